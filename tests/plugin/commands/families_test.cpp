// The shared command families: Setup from a parse result, the body's byte form, a
// Save -> Load -> Save round trip, the string limits and the label dump.

#include <string>

#include <gtest/gtest.h>

#include "engine/api/command_param.h"
#include "engine/iostream/base_io_stream.h"
#include "plugin/commands/command_families.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/plugin/kit/plugin_test_host.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace nsWendrick;
using nsTamskLib::nsIOStream::BaseIOStream;

// One class of each family, as a command Part would define it.
template <typename Family, std::uint32_t Type>
class TestCmd final : public Family {
 public:
  int Execute() override { return 0; }
  std::uint32_t GetID() override { return Type; }
  void Dump(nsTamskLib::nsTextStream::ITextStream* out) override {
    if constexpr (std::is_same_v<Family, LabelCmd>) this->DumpLabelStatement(out, "goto");
  }
};
using TestSimple = TestCmd<SimpleCmd, 4>;
using TestKind = TestCmd<KindCmd, 16>;
using TestNamed = TestCmd<NamedCmd, 2>;
using TestLabel = TestCmd<LabelCmd, 8>;
using TestExpr = TestCmd<ExprCmd, 35>;

nsTamskLib::Expression MakeExpression() {
  nsTamskLib::Expression expr;
  nsTamskLib::ExpressionToken number;
  number.Type = nsTamskLib::kTokenNumber;
  number.Value = 500;
  expr.push_back(number);
  nsTamskLib::ExpressionToken symbol;
  symbol.Type = nsTamskLib::kTokenSymbol;
  symbol.Name = "wait_ms";
  expr.push_back(symbol);
  nsTamskLib::ExpressionToken plus;
  plus.Type = nsTamskLib::kTokenOperator;
  plus.SubType = 1;
  expr.push_back(plus);
  return expr;
}

class FamiliesTest : public testing::Test {
 protected:
  void SetUp() override {
    vesk_test::ResetPluginState();
    vesk_test::BindEngineHost();
  }
  void TearDown() override { vesk_test::ResetPluginState(); }

  // Saves the commands in order into a file and returns its bytes.
  std::string SaveAll(std::initializer_list<nsTamskLib::ICmd_Base*> commands,
                      const std::string& name) {
    const std::string file = dir.file(name);
    BaseIOStream out;
    EXPECT_TRUE(out.Open(file.c_str(), "wb"));
    for (nsTamskLib::ICmd_Base* command : commands) command->Save(&out);
    EXPECT_TRUE(out.Close());
    return vesk_test::ReadFile(file);
  }

  void LoadAll(std::initializer_list<nsTamskLib::ICmd_Base*> commands, const std::string& name) {
    BaseIOStream in;
    ASSERT_TRUE(in.Open(dir.file(name).c_str(), "rb"));
    for (nsTamskLib::ICmd_Base* command : commands) command->Load(&in);
    EXPECT_FALSE(in.HasReadFailed());
    in.Close();
  }

  vesk_test::TempDir dir;
};

TEST_F(FamiliesTest, SetupTakesKindNameLabelAndValueFromTheParseResult) {
  nsTamskLib::CommandParam param;
  param.Int[0] = 3;
  param.Str[0] = "bgm01.ogg";
  param.Expr[0] = MakeExpression();
  TestKind kind;
  TestNamed named;
  TestLabel label;
  TestExpr expr;
  for (nsTamskLib::ICmd_Base* command : {static_cast<nsTamskLib::ICmd_Base*>(&kind),
                                         static_cast<nsTamskLib::ICmd_Base*>(&named),
                                         static_cast<nsTamskLib::ICmd_Base*>(&label),
                                         static_cast<nsTamskLib::ICmd_Base*>(&expr)}) {
    command->Setup(param);
  }
  EXPECT_EQ(kind.GetKind(), 3);
  EXPECT_EQ(named.GetKind(), 3);
  EXPECT_EQ(named.GetName(), "bgm01.ogg");
  EXPECT_EQ(label.GetLabel(), "bgm01.ogg");
  ASSERT_EQ(expr.GetValue().size(), 3u);
  EXPECT_EQ(expr.GetValue().at(0).Value, 500);
}

TEST_F(FamiliesTest, BodiesHaveTheirByteFormAndRoundTripUnchanged) {
  nsTamskLib::CommandParam param;
  param.Int[0] = 1;
  param.Str[0] = "/";
  param.Expr[0] = MakeExpression();
  TestSimple simple;
  TestKind kind;
  TestNamed named;
  TestLabel label;
  TestExpr expr;
  simple.Setup(param);
  kind.Setup(param);
  named.Setup(param);
  param.Str[0] = "@start";
  label.Setup(param);
  expr.Setup(param);

  const std::string kindAndName = SaveAll({&simple, &kind, &named}, "a.dat");
  // Nothing; kind 1; kind 1, "/" complemented and terminated.
  EXPECT_EQ(kindAndName, std::string("\x01\0\0\0" "\x01\0\0\0" "\xD0\0", 10));

  const std::string first = SaveAll({&simple, &kind, &named, &label, &expr}, "first.dat");
  TestSimple simple2;
  TestKind kind2;
  TestNamed named2;
  TestLabel label2;
  TestExpr expr2;
  LoadAll({&simple2, &kind2, &named2, &label2, &expr2}, "first.dat");
  EXPECT_EQ(named2.GetName(), "/");
  EXPECT_EQ(label2.GetLabel(), "@start");
  ASSERT_EQ(expr2.GetValue().size(), 3u);
  EXPECT_EQ(std::string(expr2.GetValue().at(1).Name.c_str()), "wait_ms");
  EXPECT_EQ(SaveAll({&simple2, &kind2, &named2, &label2, &expr2}, "second.dat"), first);
}

TEST_F(FamiliesTest, StringsUpToTheLimitRoundTripAndLongerOnesAreRefused) {
  vesk_test::FatalTrap trap;
  nsTamskLib::CommandParam param;
  param.Str[0] = std::string(65535, 'x').c_str();
  TestLabel longest;
  longest.Setup(param);
  SaveAll({&longest}, "longest.dat");
  TestLabel loaded;
  LoadAll({&loaded}, "longest.dat");
  EXPECT_EQ(loaded.GetLabel().size(), 65535u);

  param.Str[0] = std::string(65536, 'x').c_str();
  TestLabel tooLong;
  tooLong.Setup(param);
  BaseIOStream out;
  ASSERT_TRUE(out.Open(dir.file("long.dat").c_str(), "wb"));
  EXPECT_FATAL(tooLong.Save(&out), "文字列が長すぎます！（65536バイト：上限65535バイト）");
}

TEST_F(FamiliesTest, StringFieldsNeedAnOpenStream) {
  vesk_test::FatalTrap trap;
  BaseIOStream closed;
  TestNamed named;
  EXPECT_FATAL(named.Load(&closed), "ファイルがオープンされていません！");
  TestLabel label;
  EXPECT_FATAL(label.Save(&closed), "ファイルがオープンされていません！");
}

TEST_F(FamiliesTest, ALabelDumpShowsThePositionOrThatTheLabelIsUnknown) {
  vesk_test::FakeEngine engine;
  engine.labels.values["@start"] = 12;
  nsTamskLib::CommandParam param;
  param.Str[0] = "@start";
  TestLabel known;
  known.SetEngine(&engine);
  known.Setup(param);
  vesk_test::RecordingTextStream out;
  known.Dump(&out);
  param.Str[0] = "@nowhere";
  TestLabel unknown;
  unknown.SetEngine(&engine);
  unknown.Setup(param);
  unknown.Dump(&out);
  EXPECT_EQ(out.text, "goto @start（12）;\ngoto @nowhere（未定義）;\n");
}

TEST_F(FamiliesTest, CommandsDeleteThemselvesThroughTheInterface) {
  nsTamskLib::ICmd_Base* command = new TestNamed();
  command->SetEngine(nullptr);
  command->Reset();
  EXPECT_EQ(command->GetID(), 2u);
  command->Destroy();
}

}  // namespace
