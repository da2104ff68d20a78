#include "tools/script_compiler/script_compiler.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "engine/iostream/base_io_stream.h"
#include "engine/plugin/plugin_registry.h"
#include "engine/script/compiled_script.h"
#include "plugin/commands/parser_frame.h"
#include "tools/script_compiler/expression_parser.h"
#include "tools/script_compiler/script_lexer.h"

namespace nsScriptCompiler {
namespace {

ScriptCompiler* g_Active = nullptr;

constexpr char kExtern[] = "extern";

// Values of the separator test besides the braces.
constexpr int kSeparatorComma = 1;
constexpr int kSeparatorSemicolon = 4;
constexpr int kSeparatorEquals = 5;

// Codes of the assignment operators, "=" first.
constexpr const char* kAssignments[] = {"=", "+=", "-=", "/=", "*=", "%=", "|=", "&=", "^="};
constexpr int kFirstAssignmentCode = 22;

std::int32_t SymbolKindOf(const std::string& word) {
  if (word == "local") return 1;
  if (word == "global") return 2;
  if (word == "button") return 3;
  if (word == "sprite") return 4;
  return 0;
}

}  // namespace

void ErrorText::Write(const char* format, ...) {
  char text[1025];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  m_Text += text;
}

void ErrorText::WriteExpression(const nsTamskLib::Expression& expr) {
  nsTamskLib::nsTextStream::WriteExpressionTokens(*this, expr);
}

ScriptCompiler::ScriptCompiler(bool object) : m_Object(object) {}

ScriptCompiler::~ScriptCompiler() {
  for (nsTamskLib::ICmd_Base* command : m_Commands) command->Destroy();
  if (g_Active == this) g_Active = nullptr;
}

ScriptCompiler* ScriptCompiler::Active() { return g_Active; }

bool ScriptCompiler::Compile(const std::string& source) {
  if (!Tokenize(source)) return false;
  ScriptCompiler* previous = g_Active;
  g_Active = this;
  Run();
  g_Active = previous;
  return !m_Failed;
}

void ScriptCompiler::Error(std::uint32_t index, const char* message) {
  m_Errors.Write("エラー（%4d行目）：%s\n", m_Tokens.at(index).line, message);
  m_Failed = true;
}

bool ScriptCompiler::Tokenize(const std::string& source) {
  LexResult lexed = Lex(source);
  if (!lexed.error.empty()) {
    m_Errors.Write("%s", lexed.error.c_str());
    m_Failed = true;
    return false;
  }
  const auto& keywords = nsTamskLib::nsPlugin::GetRegistries().commandNames;
  for (const LexToken& lex : lexed.tokens) {
    nsWendrick::ScriptToken token;
    token.line = lex.line;
    token.text = lex.text.c_str();
    const bool afterExtern = !m_Tokens.empty() && m_Tokens.back().kind == kTokenWord &&
                             m_Tokens.back().text == kExtern;
    switch (lex.kind) {
      case LexKind::kWord:
        token.kind = keywords.count(lex.text) != 0 ? kTokenKeyword : kTokenWord;
        break;
      case LexKind::kLabel:
        token.kind = kTokenLabel;
        if (!m_DefinedLabels.insert(lex.text).second) {
          m_Errors.Write("エラー（%4d行目）：ラベル'%s'は定義済みです！\n", lex.line,
                         lex.text.c_str());
          m_Failed = true;
        }
        m_Labels[lex.text] = -1;
        break;
      case LexKind::kString:
        token.kind = kTokenString;
        break;
      case LexKind::kPunct:
        token.kind = kTokenPunct;
        break;
      case LexKind::kAssign:
        token.kind = kTokenAssign;
        break;
      case LexKind::kArgument:
        token.kind = kTokenArgument;
        if (!afterExtern && !ParseExpression(lex.text, token.expr)) {
          m_Errors.Write("エラー（%4d行目）：式'%s'が正しくありません！\n", lex.line,
                         lex.text.c_str());
          m_Failed = true;
        }
        break;
    }
    m_Tokens.push_back(std::move(token));
  }
  return !m_Failed;
}

void ScriptCompiler::Run() {
  const auto& parsers = nsTamskLib::nsPlugin::GetRegistries().analyses;
  const std::uint32_t size = TokenCount();
  std::uint32_t i = 0;
  while (i < size) {
    const nsWendrick::ScriptToken& token = m_Tokens[i];
    if (token.kind == kTokenLabel) {
      m_Labels[token.text.c_str()] = static_cast<std::int32_t>(m_Commands.size());
      ++i;
    } else if (token.kind == kTokenPunct && token.text == "}") {
      ++i;
    } else if (token.kind == kTokenKeyword) {
      const auto parser = parsers.find(static_cast<unsigned>(IdentifierOf(i)));
      if (parser == parsers.end()) {
        m_Errors.Write("エラー（%4d行目）：'%s'の構文解析関数が登録されていません！\n",
                       token.line, token.text.c_str());
        m_Failed = true;
        i = Resync(i);
        continue;
      }
      const int used = parser->second(i);
      if (used <= 0) {
        m_Failed = true;
        i = Resync(i);
      } else {
        i += static_cast<std::uint32_t>(used);
      }
    } else if (token.kind == kTokenWord && token.text == kExtern && m_Object) {
      i = ParseExtern(i);
    } else {
      Error(i, "構文エラーです！");
      i = Resync(i);
    }
  }
}

std::uint32_t ScriptCompiler::Resync(std::uint32_t index) const {
  const std::uint32_t size = TokenCount();
  while (index < size && SeparatorOf(index) != kSeparatorSemicolon) ++index;
  return index + 1;
}

std::uint32_t ScriptCompiler::ParseExtern(std::uint32_t index) {
  // extern local|global|button|sprite NAME ;
  const nsWendrick::ScriptToken* what = Token(index + 1);
  std::istringstream words(what != nullptr ? what->text.c_str() : "");
  std::string kindWord;
  std::string name;
  std::string extra;
  words >> kindWord >> name;
  const std::int32_t kind = SymbolKindOf(kindWord);
  if (what == nullptr || what->kind != kTokenArgument || kind == 0 || name.empty() ||
      (words >> extra) || SeparatorOf(index + 2) != kSeparatorSemicolon) {
    Error(index, "構文エラーです！");
    return Resync(index);
  }
  if (m_Symbols.count(name) != 0) {
    m_Errors.Write("エラー（%4d行目）：'%s'は既定義のシンボルです！\n", what->line, name.c_str());
    m_Failed = true;
  } else {
    m_Symbols[name] = kind;
    m_ExternSymbols.insert(name);
  }
  return index + 3;
}

void ScriptCompiler::DeclareSymbol(const char* name, std::int32_t kind) {
  if (name != nullptr) m_Symbols[name] = kind;
}

const nsWendrick::ScriptToken* ScriptCompiler::Token(std::uint32_t index) const {
  return index < m_Tokens.size() ? &m_Tokens[index] : nullptr;
}

void ScriptCompiler::AddCommand(nsTamskLib::ICmd_Base* command,
                                const nsTamskLib::CommandParam& param) {
  if (command == nullptr) return;
  command->Setup(param);
  m_Commands.push_back(command);
}

int ScriptCompiler::IdentifierOf(std::uint32_t index) const {
  const nsWendrick::ScriptToken* token = Token(index);
  if (token == nullptr || token->kind != kTokenKeyword) return 0;
  const auto& keywords = nsTamskLib::nsPlugin::GetRegistries().commandNames;
  const auto it = keywords.find(token->text.c_str());
  return it != keywords.end() ? static_cast<int>(it->second) : 0;
}

int ScriptCompiler::SeparatorOf(std::uint32_t index) const {
  const nsWendrick::ScriptToken* token = Token(index);
  if (token == nullptr || token->kind != kTokenPunct) return 0;
  switch (token->text.c_str()[0]) {
    case ',':
      return kSeparatorComma;
    case '{':
      return nsWendrick::kSeparatorOpenBrace;
    case '}':
      return nsWendrick::kSeparatorCloseBrace;
    case ';':
      return kSeparatorSemicolon;
    case '=':
      return kSeparatorEquals;
    default:
      return 0;
  }
}

int ScriptCompiler::OperatorOf(std::uint32_t index) const {
  const nsWendrick::ScriptToken* token = Token(index);
  if (token == nullptr || (token->kind != kTokenAssign && token->kind != kTokenPunct)) return 0;
  for (int i = 0; i < static_cast<int>(std::size(kAssignments)); ++i) {
    if (token->text == kAssignments[i]) return kFirstAssignmentCode + i;
  }
  return 0;
}

bool ScriptCompiler::IsStringAt(std::uint32_t index) const {
  const nsWendrick::ScriptToken* token = Token(index);
  return token != nullptr && token->kind == kTokenString;
}

const char* ScriptCompiler::SingleName(std::uint32_t index) const {
  const nsWendrick::ScriptToken* token = Token(index);
  if (token == nullptr || token->kind != kTokenArgument || token->expr.size() != 1) return nullptr;
  const nsTamskLib::ExpressionToken& only = token->expr.at(0);
  return only.Type == nsTamskLib::kTokenSymbol ? only.Name.c_str() : nullptr;
}

bool ScriptCompiler::Matches(std::uint32_t index, const char* word) {
  using namespace nsWendrick;
  const ScriptToken* token = Token(index);
  if (token == nullptr || word == nullptr) return false;
  if (std::strcmp(word, kWordArgument) == 0) return token->kind == kTokenArgument;
  if (std::strcmp(word, kWordString) == 0) return token->kind == kTokenString;
  if (std::strcmp(word, kWordOperator) == 0) return OperatorOf(index) > 0;
  const char* name = SingleName(index);
  const auto symbol = name != nullptr ? m_Symbols.find(name) : m_Symbols.end();
  const std::int32_t kind = symbol != m_Symbols.end() ? symbol->second : 0;
  if (std::strcmp(word, kWordVariable) == 0) return kind == 1 || kind == 2;
  if (std::strcmp(word, kWordButton) == 0) return kind == 3;
  if (std::strcmp(word, kWordSprite) == 0) return kind == 4;
  if (std::strcmp(word, kWordUndefinedVariable) == 0) return name != nullptr && kind == 0;
  if (std::strcmp(word, kWordLabel) == 0) {
    if (name == nullptr) return false;
    if (m_DefinedLabels.count(name) != 0) return true;
    // An object may use a label of the script it is linked into.
    if (!m_Object) return false;
    m_Labels.emplace(name, -1);
    return true;
  }
  return token->kind == kTokenPunct && token->text == word;
}

bool ScriptCompiler::Write(const std::string& file) const {
  nsTamskLib::nsIOStream::BaseIOStream stream;
  if (!stream.Open(file.c_str(), "wb")) return false;
  stream.SavePrimitive(m_Object ? nsTamskLib::nsScript::kObjectMagic
                                : nsTamskLib::nsScript::kScriptMagic,
                       4);
  nsTamskLib::nsIOStream::SaveMap(stream, m_Labels);
  const auto count = static_cast<std::uint32_t>(m_Commands.size());
  const unsigned char countBytes[4] = {
      static_cast<unsigned char>(count), static_cast<unsigned char>(count >> 8),
      static_cast<unsigned char>(count >> 16), static_cast<unsigned char>(count >> 24)};
  stream.SavePrimitive(countBytes, 4);
  for (nsTamskLib::ICmd_Base* command : m_Commands) {
    stream.SaveNum(static_cast<std::int32_t>(command->GetID()));
    command->Save(&stream);
  }
  std::map<std::string, std::int32_t> symbols = m_Symbols;
  for (const std::string& name : m_ExternSymbols) symbols[name] = -symbols[name];
  nsTamskLib::nsIOStream::SaveMap(stream, symbols);
  return stream.Close();
}

}  // namespace nsScriptCompiler
