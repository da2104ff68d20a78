// The parser services a compiler host exports by name. Plug-ins bind them at
// attach among the program's own exports; each serves the active compiler and
// answers "nothing" while none is active.

#include <cstdarg>
#include <cstdint>

#include "tools/script_compiler/script_compiler.h"

using nsScriptCompiler::ScriptCompiler;

#define COMPILER_EXPORT extern "C" __attribute__((visibility("default")))

COMPILER_EXPORT std::uint32_t GetTokenSize() {
  const ScriptCompiler* compiler = ScriptCompiler::Active();
  return compiler != nullptr ? compiler->TokenCount() : 0;
}

COMPILER_EXPORT const nsWendrick::ScriptToken* GetToken(std::uint32_t index) {
  const ScriptCompiler* compiler = ScriptCompiler::Active();
  return compiler != nullptr ? compiler->Token(index) : nullptr;
}

COMPILER_EXPORT nsWendrick::ICompilerRef* GetRef() { return ScriptCompiler::Active(); }

COMPILER_EXPORT void AddCommand(nsTamskLib::ICmd_Base* command,
                                const nsTamskLib::CommandParam* param) {
  ScriptCompiler* compiler = ScriptCompiler::Active();
  if (compiler == nullptr || param == nullptr) {
    if (command != nullptr) command->Destroy();
    return;
  }
  compiler->AddCommand(command, *param);
}

COMPILER_EXPORT bool IsString(std::uint32_t index) {
  const ScriptCompiler* compiler = ScriptCompiler::Active();
  return compiler != nullptr && compiler->IsStringAt(index);
}

COMPILER_EXPORT int IsOperator(std::uint32_t index) {
  const ScriptCompiler* compiler = ScriptCompiler::Active();
  return compiler != nullptr ? compiler->OperatorOf(index) : 0;
}

COMPILER_EXPORT int IsIdentifer(std::uint32_t index) {
  const ScriptCompiler* compiler = ScriptCompiler::Active();
  return compiler != nullptr ? compiler->IdentifierOf(index) : 0;
}

COMPILER_EXPORT int IsSeparator(std::uint32_t index) {
  const ScriptCompiler* compiler = ScriptCompiler::Active();
  return compiler != nullptr ? compiler->SeparatorOf(index) : 0;
}

// Bound by plug-ins but not asked by the parsers: the pattern words cover them.
COMPILER_EXPORT int IsConst(std::uint32_t /*index*/) { return 0; }
COMPILER_EXPORT int IsLabel(std::uint32_t /*index*/) { return 0; }
COMPILER_EXPORT int IsParameter(std::uint32_t /*index*/) { return 0; }
COMPILER_EXPORT int IsButtonVar(std::uint32_t /*index*/) { return 0; }
COMPILER_EXPORT int IsSpriteVar(std::uint32_t /*index*/) { return 0; }

// True when the tokens first..last match the pattern words one by one.
COMPILER_EXPORT bool IsValidSyntax(std::uint32_t first, std::uint32_t last, const char* word,
                                   ...) {
  ScriptCompiler* compiler = ScriptCompiler::Active();
  if (compiler == nullptr || last < first || last >= compiler->TokenCount()) return false;
  bool matches = compiler->Matches(first, word);
  va_list args;
  va_start(args, word);
  for (std::uint32_t i = first + 1; i <= last && matches; ++i) {
    matches = compiler->Matches(i, va_arg(args, const char*));
  }
  va_end(args);
  return matches;
}
