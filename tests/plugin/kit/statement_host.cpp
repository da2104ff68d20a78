#include "tests/plugin/kit/statement_host.h"

#include <cctype>
#include <cstdarg>
#include <cstring>
#include <map>

#include "plugin/commands/parser_frame.h"
#include "plugin/core/host_api.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace vesk_test {
namespace {

enum TokenKind { kKeyword = 1, kString, kArgument, kPunctuation };

StatementHost* g_Host = nullptr;

std::uint32_t TokenSize() { return static_cast<std::uint32_t>(g_Host->tokens.size()); }
const nsWendrick::ScriptToken* Token(std::uint32_t i) { return &g_Host->tokens.at(i); }
nsWendrick::ICompilerRef* Ref() { return g_Host; }

void Add(nsTamskLib::ICmd_Base* command, const nsTamskLib::CommandParam* param) {
  command->Setup(*param);
  g_Host->added.push_back(AddedCommand{command, *param});
}

bool StringToken(std::uint32_t i) { return g_Host->tokens.at(i).kind == kString; }

bool WordMatches(const nsWendrick::ScriptToken& token, const char* word) {
  if (std::strcmp(word, nsWendrick::kWordArgument) == 0) return token.kind == kArgument;
  if (std::strcmp(word, nsWendrick::kWordString) == 0) return token.kind == kString;
  return token.kind == kPunctuation && token.text == word;
}

bool ValidSyntax(std::uint32_t first, std::uint32_t last, const char* word, ...) {
  if (last >= g_Host->tokens.size() || last < first) return false;
  bool ok = WordMatches(g_Host->tokens[first], word);
  va_list args;
  va_start(args, word);
  for (std::uint32_t i = first + 1; i <= last; ++i) {
    ok = WordMatches(g_Host->tokens[i], va_arg(args, const char*)) && ok;
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
  });
  nsWendrick::HostApiTable& api = nsWendrick::GetHostApi();
  for (nsWendrick::HostApiEntry entry :
       {nsWendrick::kGetTokenSize, nsWendrick::kGetToken, nsWendrick::kGetRef,
        nsWendrick::kAddCommand, nsWendrick::kIsString, nsWendrick::kIsValidSyntax}) {
    api.Bind(entry, resolve);
  }
}

StatementHost::~StatementHost() {
  for (AddedCommand& added_command : added) added_command.command->Destroy();
  g_Host = nullptr;
}

void StatementHost::SetStatement(const std::vector<std::string>& texts, std::int32_t line) {
  tokens.clear();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string& text = texts[i];
    nsWendrick::ScriptToken token;
    token.line = line;
    if (i == 0) {
      token.kind = kKeyword;
      token.text = text.c_str();
    } else if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
      token.kind = kString;
      token.text = text.substr(1, text.size() - 2).c_str();
    } else if (text == "," || text == ";" || text == "=" || text == "{" || text == "}") {
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
