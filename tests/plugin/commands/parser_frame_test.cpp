// The parser frame over a small compiler host: patterns tried in order, keyword
// kinds, the parse result handed to AddCommand, and the error messages.

#include <cstdarg>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/command_param.h"
#include "plugin/commands/command_families.h"
#include "plugin/commands/parser_frame.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace {

using namespace nsWendrick;

enum TokenKind { kKeyword, kString, kArgument, kPunctuation };

struct Compiler final : ICompilerRef {
  nsTamskLib::nsTextStream::ITextStream* GetErrorOutput() override { return &errors; }
  void DeclareSymbol(const char* /*name*/, std::int32_t /*kind*/) override {}

  std::vector<ScriptToken> tokens;
  std::vector<std::string> variables;
  std::vector<std::pair<nsTamskLib::ICmd_Base*, nsTamskLib::CommandParam>> added;
  vesk_test::RecordingTextStream errors;
};
Compiler* g_Compiler = nullptr;

std::uint32_t TokenSize() { return static_cast<std::uint32_t>(g_Compiler->tokens.size()); }
const ScriptToken* Token(std::uint32_t i) { return &g_Compiler->tokens.at(i); }
ICompilerRef* Ref() { return g_Compiler; }
void Add(nsTamskLib::ICmd_Base* command, const nsTamskLib::CommandParam* param) {
  command->Setup(*param);
  g_Compiler->added.emplace_back(command, *param);
}
bool StringToken(std::uint32_t i) { return g_Compiler->tokens.at(i).kind == kString; }

bool WordMatches(const ScriptToken& token, const char* word) {
  if (std::strcmp(word, kWordArgument) == 0) return token.kind == kArgument;
  if (std::strcmp(word, kWordString) == 0) return token.kind == kString;
  if (std::strcmp(word, kWordVariable) == 0) {
    const auto& vars = g_Compiler->variables;
    return token.kind == kArgument &&
           std::find(vars.begin(), vars.end(), token.text.c_str()) != vars.end();
  }
  return token.kind == kPunctuation && token.text == word;
}

bool ValidSyntax(std::uint32_t first, std::uint32_t last, const char* word, ...) {
  if (last >= g_Compiler->tokens.size() || last < first) return false;
  bool ok = WordMatches(g_Compiler->tokens[first], word);
  va_list args;
  va_start(args, word);
  for (std::uint32_t i = first + 1; i <= last; ++i) {
    const char* next = va_arg(args, const char*);
    ok = ok && WordMatches(g_Compiler->tokens[i], next);
  }
  va_end(args);
  return ok;
}

template <typename F>
void* Address(F function) {
  return reinterpret_cast<void*>(function);
}

class TestNamed final : public NamedCmd {
 public:
  int Execute() override { return 0; }
  std::uint32_t GetID() override { return 2; }
  void Dump(nsTamskLib::nsTextStream::ITextStream* /*out*/) override {}
  static nsTamskLib::ICmd_Base* Factory() { return new TestNamed(); }
};

const SyntaxPattern kSePatterns[] = {{";"}, {kWordString, ";"}};
const KeywordKind kSeKinds[] = {{"stopallse", 1, "/"}, {"playse", 0}, {"stopse", 1}};

class ParserFrameTest : public testing::Test {
 protected:
  void SetUp() override {
    vesk_test::ResetPluginState();
    g_Compiler = &compiler;
    std::map<std::string, void*> exports = vesk_test::EngineExports();
    exports["GetTokenSize"] = Address(&TokenSize);
    exports["GetToken"] = Address(&Token);
    exports["GetRef"] = Address(&Ref);
    exports["AddCommand"] = Address(&Add);
    exports["IsString"] = Address(&StringToken);
    exports["IsValidSyntax"] = Address(&ValidSyntax);
    const HostResolver resolve = vesk_test::ResolverOf(exports);
    for (std::size_t e = 0; e < kHostApiEntryCount; ++e) {
      GetHostApi().Bind(static_cast<HostApiEntry>(e), resolve);
    }
  }
  void TearDown() override {
    for (auto& [command, param] : compiler.added) command->Destroy();
    g_Compiler = nullptr;
    vesk_test::ResetPluginState();
  }

  void Tokens(std::initializer_list<std::pair<const char*, TokenKind>> tokens, int line = 1) {
    for (const auto& [text, kind] : tokens) {
      ScriptToken token;
      token.line = line;
      token.text = text;
      token.kind = kind;
      if (kind == kArgument) {
        nsTamskLib::ExpressionToken symbol;
        symbol.Type = nsTamskLib::kTokenSymbol;
        symbol.Name = text;
        token.expr.push_back(symbol);
      }
      compiler.tokens.push_back(token);
    }
  }

  int ParseSe(std::uint32_t keyword) {
    return ParseStatement(keyword, kSePatterns, kSeKinds, &TestNamed::Factory);
  }

  const TestNamed& Added(std::size_t i) {
    return *static_cast<const TestNamed*>(compiler.added.at(i).first);
  }

  Compiler compiler;
};

TEST_F(ParserFrameTest, TheFirstMatchingFormDecidesAndTheKeywordGivesTheKind) {
  Tokens({{"playse", kKeyword}, {"a.wav", kString}, {";", kPunctuation},
          {"stopse", kKeyword}, {";", kPunctuation},
          {"stopallse", kKeyword}, {";", kPunctuation}});
  EXPECT_EQ(ParseSe(0), 3);
  EXPECT_EQ(ParseSe(3), 2);
  EXPECT_EQ(ParseSe(5), 2);
  ASSERT_EQ(compiler.added.size(), 3u);
  EXPECT_EQ(Added(0).GetKind(), 0);
  EXPECT_EQ(Added(0).GetName(), "a.wav");
  EXPECT_EQ(Added(1).GetKind(), 1);
  EXPECT_EQ(Added(1).GetName(), "");
  // A keyword with a fixed name puts it first.
  EXPECT_EQ(Added(2).GetKind(), 1);
  EXPECT_EQ(Added(2).GetName(), "/");
  EXPECT_TRUE(compiler.errors.text.empty());
}

TEST_F(ParserFrameTest, AWrongFormIsASyntaxErrorWithTheKeywordsLineInFourColumns) {
  Tokens({{"playse", kKeyword}, {"x", kArgument}, {";", kPunctuation}}, 7);
  Tokens({{"end", kKeyword}, {";", kPunctuation}}, 1234);
  Tokens({{"playse", kKeyword}}, 12345);
  EXPECT_EQ(ParseSe(0), -1);
  // A keyword the class does not have.
  EXPECT_EQ(ParseSe(3), -1);
  // The form would run past the last token.
  EXPECT_EQ(ParseSe(5), -1);
  EXPECT_TRUE(compiler.added.empty());
  EXPECT_EQ(compiler.errors.text,
            "エラー（   7行目）：構文エラーです！\n"
            "エラー（1234行目）：構文エラーです！\n"
            "エラー（12345行目）：構文エラーです！\n");
}

TEST_F(ParserFrameTest, StringsAndArgumentsFillTheParseResultInStatementOrder) {
  compiler.variables = {"hp"};
  Tokens({{"bg", kKeyword}, {"hp", kArgument}, {",", kPunctuation}, {"bg.png", kString},
          {",", kPunctuation}, {"x", kArgument}, {",", kPunctuation}, {"y", kArgument},
          {";", kPunctuation}});
  SyntaxPattern pattern{kWordVariable, ",", kWordString, ","};
  AppendArguments(pattern, 2).push_back(";");
  ASSERT_TRUE(MatchesSyntax(1, pattern));
  nsTamskLib::CommandParam param;
  FillParamFromPattern(0, pattern, param);
  EXPECT_STREQ(param.Str[0].c_str(), "hp");
  EXPECT_STREQ(param.Str[1].c_str(), "bg.png");
  EXPECT_STREQ(param.Str[2].c_str(), "");
  ASSERT_EQ(param.Expr[0].size(), 1u);
  EXPECT_STREQ(param.Expr[0].at(0).Name.c_str(), "x");
  EXPECT_STREQ(param.Expr[1].at(0).Name.c_str(), "y");
  EXPECT_EQ(param.Expr[2].size(), 0u);
  // "hp" is a declared variable but "x" is not.
  EXPECT_FALSE(MatchesSyntax(5, SyntaxPattern{kWordVariable}));
}

TEST_F(ParserFrameTest, ArgumentListsAndTheBraceMessage) {
  const auto words = [](const SyntaxPattern& pattern) {
    return std::vector<std::string>(pattern.begin(), pattern.end());
  };
  const std::string a = kWordArgument;
  EXPECT_EQ(words(ArgumentsStatement(3)), (std::vector<std::string>{a, ",", a, ",", a, ";"}));
  EXPECT_EQ(words(ArgumentsStatement(1)), (std::vector<std::string>{a, ";"}));
  EXPECT_EQ(ReportBraceError(), -1);
  EXPECT_EQ(compiler.errors.text, "エラー　　　　　　：括弧の対応が間違っています！\n");
}

TEST_F(ParserFrameTest, WithoutACompilerHostNothingIsParsed) {
  Tokens({{"stopse", kKeyword}, {";", kPunctuation}});
  GetHostApi().Clear();
  EXPECT_FALSE(HasParserServices());
  EXPECT_EQ(ParseSe(0), -1);
  EXPECT_EQ(GetTokenCount(), 0u);
  EXPECT_EQ(GetScriptToken(0), nullptr);
  EXPECT_TRUE(compiler.added.empty());
  EXPECT_TRUE(compiler.errors.text.empty());
}

}  // namespace
