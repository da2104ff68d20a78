#pragma once
// What a script compiler host offers the script parsers: the token records of the
// script being compiled and its compiler context. Only a compiler host exports the
// services; the game program does not, so in the game the parsers are never run.

#include <cstdint>

#include "engine/api/fwd.h"
#include "engine/api/mystr.h"
#include "engine/api/token_containers.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// One token of a script being compiled.
struct ScriptToken {
  std::int32_t line = 0;              // line number in the source, from 1
  nsTamskLib::mystr text;             // the token's text (a string literal without its quotes)
  std::int32_t kind = 0;              // the host's own classification
  Expression expr;        // the parsed expression of an argument token
};

// The compiler context of a compiler host.
class ICompilerRef {
 public:
  // Where the parsers print their error messages.
  virtual ITextStream* GetErrorOutput() = 0;
  // Enters a name declared by a statement into the compiler's symbol table with its
  // kind (1 local, 2 global, 3 button, 4 sprite).
  virtual void DeclareSymbol(const char* name, std::int32_t kind) = 0;

 protected:
  virtual ~ICompilerRef() = default;
};

// Values of the separator test.
inline constexpr int kSeparatorOpenBrace = 2;
inline constexpr int kSeparatorCloseBrace = 3;

// The service functions, by the names a compiler host exports.
using GetTokenSizeFunc = std::uint32_t (*)();
using GetTokenFunc = const ScriptToken* (*)(std::uint32_t index);
using GetRefFunc = ICompilerRef* (*)();
using AddCommandFunc = void (*)(ICmd_Base* command, const CommandParam* param);
using TokenTestFunc = int (*)(std::uint32_t index);
using IsStringFunc = bool (*)(std::uint32_t index);
// True when the tokens first..last match the pattern words one by one.
using IsValidSyntaxFunc = bool (*)(std::uint32_t first, std::uint32_t last, const char* word, ...);

}  // namespace nsWendrick
