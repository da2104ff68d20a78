#include "tests/plugin/kit/statement_host.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstring>
#include <map>

#include "plugin/commands/parser_frame.h"
#include "plugin/core/host_api.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace vesk_test {
namespace {

enum TokenKind { kKeyword = 1, kString, kArgument, kPunctuation, kPatternWord, kUndecidedToken };

// The pattern words a token may stand for, besides arguments and strings.
constexpr const char* kPatternWords[] = {
    nsWendrick::kWordVariable, nsWendrick::kWordUndefinedVariable, nsWendrick::kWordLabel,
    nsWendrick::kWordButton,   nsWendrick::kWordSprite,            nsWendrick::kWordOperator};
// The separator test's values, as the script compiler host gives them.
const std::map<std::string, int> kSeparators = {{",", 1},
                                                {"{", nsWendrick::kSeparatorOpenBrace},
                                                {"}", nsWendrick::kSeparatorCloseBrace},
                                                {";", 4},
                                                {"=", 5}};
// The operator test's value of "=".
constexpr int kAssignOperator = 22;

StatementHost* g_Host = nullptr;

std::uint32_t TokenSize() { return static_cast<std::uint32_t>(g_Host->tokens.size()); }
const nsWendrick::ScriptToken* Token(std::uint32_t i) { return &g_Host->tokens.at(i); }
nsWendrick::ICompilerRef* Ref() { return g_Host; }

void Add(nsTamskLib::ICmd_Base* command, const nsTamskLib::CommandParam* param) {
  command->Setup(*param);
  g_Host->added.push_back(AddedCommand{command, *param});
}

int KindOf(std::uint32_t i) { return i < g_Host->tokens.size() ? g_Host->tokens[i].kind : 0; }
bool StringToken(std::uint32_t i) { return KindOf(i) == kString; }
bool IsPunctuation(const std::string& text) { return kSeparators.count(text) != 0; }

int Separator(std::uint32_t i) {
  return KindOf(i) == kPunctuation ? kSeparators.at(g_Host->tokens[i].text.c_str()) : 0;
}

int Identifier(std::uint32_t i) {
  if (KindOf(i) != kKeyword) return 0;
  const auto type = g_Host->keywordTypes.find(g_Host->tokens[i].text.c_str());
  return type != g_Host->keywordTypes.end() ? static_cast<int>(type->second) : 0;
}

int Operator(std::uint32_t i) {
  return KindOf(i) == kPatternWord && g_Host->tokens[i].text == nsWendrick::kWordOperator
             ? kAssignOperator
             : 0;
}

// An undecided token matches nothing; the first one keeps the words it is asked.
bool AskUndecided(std::uint32_t i, const char* word) {
  for (std::uint32_t before = 0; before < i; ++before) {
    if (KindOf(before) == kUndecidedToken) return false;
  }
  std::vector<std::string>& asked = g_Host->asked;
  if (std::find(asked.begin(), asked.end(), word) == asked.end()) asked.emplace_back(word);
  return false;
}

bool WordMatches(std::uint32_t i, const char* word) {
  const nsWendrick::ScriptToken& token = g_Host->tokens[i];
  if (token.kind == kUndecidedToken) return AskUndecided(i, word);
  if (token.kind == kPatternWord) return token.text == word;
  if (std::strcmp(word, nsWendrick::kWordArgument) == 0) return token.kind == kArgument;
  if (std::strcmp(word, nsWendrick::kWordString) == 0) return token.kind == kString;
  return token.kind == kPunctuation && token.text == word;
}

bool ValidSyntax(std::uint32_t first, std::uint32_t last, const char* word, ...) {
  if (last >= g_Host->tokens.size() || last < first) return false;
  bool ok = WordMatches(first, word);
  va_list args;
  va_start(args, word);
  for (std::uint32_t i = first + 1; i <= last; ++i) {
    const char* next = va_arg(args, const char*);
    ok = ok && WordMatches(i, next);
  }
  va_end(args);
  return ok;
}

template <typename F>
void* Address(F function) {
  return reinterpret_cast<void*>(function);
}

nsTamskLib::Expression ArgumentExpression(const std::string& text) {
  nsTamskLib::Expression expr;
  nsTamskLib::ExpressionToken token;
  const bool number =
      !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-');
  if (number) return nsTamskLib::NumberExpression(std::stoi(text));
  token.Type = nsTamskLib::kTokenSymbol;
  token.Name = text.c_str();
  expr.push_back(token);
  return expr;
}

}  // namespace

StatementHost::StatementHost() { BindServices(); }

void StatementHost::BindServices() {
  g_Host = this;
  const nsWendrick::HostResolver resolve = ResolverOf({
      {"GetTokenSize", Address(&TokenSize)},
      {"GetToken", Address(&Token)},
      {"GetRef", Address(&Ref)},
      {"AddCommand", Address(&Add)},
      {"IsString", Address(&StringToken)},
      {"IsValidSyntax", Address(&ValidSyntax)},
      {"IsSeparator", Address(&Separator)},
      {"IsIdentifer", Address(&Identifier)},
      {"IsOperator", Address(&Operator)},
  });
  nsWendrick::HostApiTable& api = nsWendrick::GetHostApi();
  for (nsWendrick::HostApiEntry entry :
       {nsWendrick::kGetTokenSize, nsWendrick::kGetToken, nsWendrick::kGetRef,
        nsWendrick::kAddCommand, nsWendrick::kIsString, nsWendrick::kIsValidSyntax,
        nsWendrick::kIsSeparator, nsWendrick::kIsIdentifer, nsWendrick::kIsOperator}) {
    api.Bind(entry, resolve);
  }
}

StatementHost::~StatementHost() {
  ClearAdded();
  g_Host = nullptr;
}

void StatementHost::ClearAdded() {
  for (AddedCommand& added_command : added) added_command.command->Destroy();
  added.clear();
}

void StatementHost::SetStatement(const std::vector<std::string>& texts, std::int32_t line) {
  tokens.clear();
  asked.clear();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string& text = texts[i];
    nsWendrick::ScriptToken token;
    token.line = line;
    const bool patternWord = std::find_if(std::begin(kPatternWords), std::end(kPatternWords),
                                          [&](const char* word) { return text == word; }) !=
                             std::end(kPatternWords);
    if (i == 0 || keywordTypes.count(text) != 0) {
      token.kind = kKeyword;
      token.text = text.c_str();
    } else if (text == kUndecided || patternWord) {
      token.kind = text == kUndecided ? kUndecidedToken : kPatternWord;
      token.text = text.c_str();
    } else if (text == nsWendrick::kWordString) {
      token.kind = kString;
      token.text = text.c_str();
    } else if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
      token.kind = kString;
      token.text = text.substr(1, text.size() - 2).c_str();
    } else if (IsPunctuation(text)) {
      token.kind = kPunctuation;
      token.text = text.c_str();
    } else {
      token.kind = kArgument;
      token.text = text.c_str();
      token.expr = ArgumentExpression(text);
    }
    tokens.push_back(std::move(token));
  }
}

}  // namespace vesk_test
