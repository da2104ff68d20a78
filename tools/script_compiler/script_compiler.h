#pragma once
// ScriptCompiler: the compiler host of the script parsers that plug-ins register.
// It lexes a Shift-JIS script, offers the tokens to the parsers through the parser
// services (exported by name from the program, see compiler_services.cpp), runs the
// registered parser of each statement's keyword, and writes what the parsers made
// as a compiled script ("scenario.dat", magic ".scr") or object (".obj"), each
// command's body by the command's own Save.
//
// The plug-ins must be loaded (and so registered) before compiling; one compiler
// is active at a time.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/api/command.h"
#include "engine/api/command_param.h"
#include "engine/api/text_stream.h"
#include "plugin/core/compiler_services.h"

namespace nsScriptCompiler {

// How the compiler classifies a token (the token record's kind).
enum TokenKind : std::int32_t {
  kTokenKeyword = 1,  // a registered keyword
  kTokenWord,         // another word at a statement's start
  kTokenLabel,        // a label definition
  kTokenString,
  kTokenPunct,
  kTokenAssign,
  kTokenArgument,
};

// Collects the parsers' error messages.
class ErrorText final : public nsTamskLib::nsTextStream::ITextStream {
 public:
  void Write(const char* format, ...) override __attribute__((format(printf, 2, 3)));
  void WriteExpression(const nsTamskLib::Expression& expr) override;
  const std::string& Text() const { return m_Text; }

 private:
  std::string m_Text;
};

class ScriptCompiler final : public nsWendrick::ICompilerRef {
 public:
  // An object leaves labels it uses but does not define to the script it is
  // linked into, and may refer to symbols declared there ("extern").
  explicit ScriptCompiler(bool object = false);
  ScriptCompiler(const ScriptCompiler&) = delete;
  ScriptCompiler& operator=(const ScriptCompiler&) = delete;
  ~ScriptCompiler() override;

  // Compiles Shift-JIS source; false after any error (see Errors).
  bool Compile(const std::string& source);
  // Writes the compiled file; false when it cannot be written.
  bool Write(const std::string& file) const;
  // The error messages (Shift-JIS), one per line.
  const std::string& Errors() const { return m_Errors.Text(); }

  // What the parsers made, in order, with their command types.
  const std::vector<nsTamskLib::ICmd_Base*>& Commands() const { return m_Commands; }
  const std::map<std::string, std::int32_t>& Labels() const { return m_Labels; }
  const std::map<std::string, std::int32_t>& Symbols() const { return m_Symbols; }

  // ICompilerRef
  nsTamskLib::nsTextStream::ITextStream* GetErrorOutput() override { return &m_Errors; }
  void DeclareSymbol(const char* name, std::int32_t kind) override;

  // The parser services of the active compiler.
  static ScriptCompiler* Active();
  std::uint32_t TokenCount() const { return static_cast<std::uint32_t>(m_Tokens.size()); }
  const nsWendrick::ScriptToken* Token(std::uint32_t index) const;
  void AddCommand(nsTamskLib::ICmd_Base* command, const nsTamskLib::CommandParam& param);
  int IdentifierOf(std::uint32_t index) const;
  int SeparatorOf(std::uint32_t index) const;
  int OperatorOf(std::uint32_t index) const;
  bool IsStringAt(std::uint32_t index) const;
  // Whether the token satisfies one pattern word of the parsers.
  bool Matches(std::uint32_t index, const char* word);

 private:
  bool Tokenize(const std::string& source);
  void Run();
  // Index behind the next ";" from index on.
  std::uint32_t Resync(std::uint32_t index) const;
  std::uint32_t ParseExtern(std::uint32_t index);
  // The name when the token is an argument that is one name alone.
  const char* SingleName(std::uint32_t index) const;
  void Error(std::uint32_t index, const char* message);

  bool m_Object;
  bool m_Failed = false;
  std::vector<nsWendrick::ScriptToken> m_Tokens;
  std::vector<nsTamskLib::ICmd_Base*> m_Commands;
  std::map<std::string, std::int32_t> m_Labels;
  std::set<std::string> m_DefinedLabels;
  std::map<std::string, std::int32_t> m_Symbols;
  std::set<std::string> m_ExternSymbols;
  ErrorText m_Errors;
};

}  // namespace nsScriptCompiler
