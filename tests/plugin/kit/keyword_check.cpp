#include "tests/plugin/kit/keyword_check.h"

#include <map>
#include <sstream>

#include "plugin/commands/parser_frame.h"
#include "tests/plugin/kit/plugin_test_host.h"
#include "tests/plugin/kit/statement_host.h"

namespace vesk_test {
namespace {

// The undecided tokens behind a statement being learnt: more than the longest form.
constexpr std::size_t kUndecidedTokens = 64;

// The text of each pattern word. The script declares v, b and s, defines @next right
// behind the statement and never declares u.
const std::map<std::string, std::string> kWordTexts = {
    {nsWendrick::kWordArgument, "1"},
    {nsWendrick::kWordString, std::string("\"") + kCheckPicture + "\""},
    {nsWendrick::kWordVariable, "v"},
    {nsWendrick::kWordUndefinedVariable, "u"},
    {nsWendrick::kWordLabel, "@next"},
    {nsWendrick::kWordButton, "b"},
    {nsWendrick::kWordSprite, "s"},
    {nsWendrick::kWordOperator, "+="},
    {nsWendrick::kWordComma, ","},
    {nsWendrick::kWordSemicolon, ";"},
    {nsWendrick::kWordEquals, "="},
    // A block is written empty.
    {nsWendrick::kWordOpenBrace, "{ }"},
};

// What a keyword needs besides its form: statements around it (space-separated
// tokens), another argument or string, or, for a parser that reads braces instead of
// a pattern, the form itself.
struct KeywordNeeds {
  const char* keyword;
  const char* before = "";
  const char* after = "";
  const char* argument = nullptr;
  const char* string = nullptr;
  const char* form = nullptr;
};

const KeywordNeeds kKeywordNeeds[] = {
    // else continues an if block; its parser looks at the braces around it.
    {"else", "if 1 { }", "", nullptr, nullptr, "{"},
    // A loop needs both its ends; the break leaves it on the first pass, and the
    // beginloop's condition fails when an endloop goes back to it.
    {"beginloop", "", "break ; endloop , ;"},
    {"endloop", "beginloop v<1 , v += 1 ;"},
    {"break", "beginloop , ;", "endloop , ;"},
    // return leaves a subroutine.
    {"return", "gosub @sub ; end ; @sub:"},
    // initialize starts the script again, with the globals kept: once is enough.
    {"initialize", "global g = 0 ; calc g += 1 ; if g<2 {", "}"},
    // The moves add their arguments to a full alpha, which 1 would take over 255.
    {"movebutton", "", "", "0"},
    {"movesprite", "", "", "0"},
    // The strip patterns are numbered 17 to 24.
    {"update2", "", "", "17"},
    // These name a label or an object file in a string.
    {"gotod", "", "", nullptr, "@next"},
    {"gosubd", "", "", nullptr, "@next"},
    {"loadobject", "", "", nullptr, kCheckObject},
};

const KeywordNeeds& NeedsOf(const std::string& keyword) {
  static const KeywordNeeds none{""};
  for (const KeywordNeeds& needs : kKeywordNeeds) {
    if (keyword == needs.keyword) return needs;
  }
  return none;
}

std::vector<std::string> Tokens(const char* text) {
  std::vector<std::string> tokens;
  std::istringstream words(text);
  for (std::string word; words >> word;) tokens.push_back(word);
  return tokens;
}

// Learns the forms that start with form: the parser runs on the keyword, form and
// undecided tokens; every word it asks of the first undecided one is tried in turn.
void Learn(StatementHost& host, nsTamskLib::AnalysisFunc parser, const std::string& keyword,
           KeywordForm& form, std::vector<KeywordForm>& forms) {
  const KeywordNeeds& needs = NeedsOf(keyword);
  std::vector<std::string> texts = Tokens(needs.before);
  const auto at = static_cast<unsigned>(texts.size());
  texts.push_back(keyword);
  for (const std::string& word : form) {
    texts.push_back(word);
    if (word == nsWendrick::kWordOpenBrace) texts.emplace_back(nsWendrick::kWordCloseBrace);
  }
  texts.insert(texts.end(), kUndecidedTokens, kUndecided);
  for (const std::string& text : Tokens(needs.after)) texts.push_back(text);
  host.SetStatement(texts);
  const bool made = parser(at) > 0 && !host.added.empty();
  host.ClearAdded();
  if (made) {
    forms.push_back(form);
    return;
  }
  const std::vector<std::string> asked = host.asked;
  for (const std::string& word : asked) {
    if (form.size() >= kUndecidedTokens) return;
    form.push_back(word);
    Learn(host, parser, keyword, form, forms);
    form.pop_back();
  }
}

// The statement of a form with the statements its keyword needs around it. A word
// without a text is written as it is, for the compiler to refuse.
std::string StatementOf(const std::string& keyword, const KeywordForm& form) {
  const KeywordNeeds& needs = NeedsOf(keyword);
  std::string statement = needs.before;
  statement += (statement.empty() ? "" : " ") + keyword;
  for (const std::string& word : form) {
    const auto known = kWordTexts.find(word);
    std::string text = known != kWordTexts.end() ? known->second : word;
    if (word == nsWendrick::kWordArgument && needs.argument != nullptr) text = needs.argument;
    if (word == nsWendrick::kWordString && needs.string != nullptr) {
      text = std::string("\"") + needs.string + "\"";
    }
    statement += " " + text;
  }
  if (*needs.after != '\0') statement += std::string(" ") + needs.after;
  return statement;
}

}  // namespace

std::vector<KeywordForm> FormsOf(std::span<const nsWendrick::CommandTypeEntry> rows,
                                 const nsWendrick::CommandTypeEntry& row, const char* keyword) {
  const KeywordNeeds& needs = NeedsOf(keyword);
  if (needs.form != nullptr) return {Tokens(needs.form)};
  std::vector<KeywordForm> forms;
  if (row.parser == nullptr) return forms;
  StatementHost host;
  for (const nsWendrick::CommandTypeEntry& other : rows) {
    if (other.keywords == nullptr) continue;
    for (const char* word : other.keywords()) host.keywordTypes[word] = other.type;
  }
  KeywordForm form;
  Learn(host, row.parser, keyword, form, forms);
  // The host's services go with it.
  ResetPluginState();
  return forms;
}

std::vector<std::string> KeywordFaults(std::span<const nsWendrick::CommandTypeEntry> rows,
                                       const ScriptPlay& play) {
  std::vector<std::string> faults;
  for (const nsWendrick::CommandTypeEntry& row : rows) {
    if (row.keywords == nullptr) continue;
    for (const char* keyword : row.keywords()) {
      const std::vector<KeywordForm> forms = FormsOf(rows, row, keyword);
      const std::string name = std::string(keyword) + ": ";
      if (forms.empty()) faults.push_back(name + "its parser takes no form");
      for (const KeywordForm& form : forms) {
        const std::string statement = StatementOf(keyword, form);
        const std::string fault =
            play("@start:\nlocal v = 0; button b; sprite s;\n" + statement + "\n@next:\nend;\n");
        if (!fault.empty()) faults.push_back(name + "\"" + statement + "\" " + fault);
      }
    }
  }
  return faults;
}

}  // namespace vesk_test
