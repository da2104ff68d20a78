// The choice command on a fake engine: the choices laid out white with the choice
// style into the window's sections, a run that ends when a choice is taken and a
// second run that lays them out again, an unknown variable, a stored command that
// claims more choices than the window holds, and its text form and body.

#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/api/command_param.h"
#include "engine/iostream/base_io_stream.h"
#include "plugin/commands/select_command.h"
#include "plugin/core/stream_fields.h"
#include "plugin/text/text_style_state.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/plugin/text/layout_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace nsWendrick;
using nsTamskLib::TextTokenSection;
using testing::_;
using testing::Return;

class SelectCommandTest : public vesk_test::TextLayoutFixture {
 protected:
  void SetUp() override {
    TextLayoutFixture::SetUp();
    auto& draw = engine.ownDrawManager;
    ON_CALL(draw, GetSelectFont()).WillByDefault(Return("Choice"));
    ON_CALL(draw, GetSelectFontSize()).WillByDefault(Return(20));
    ON_CALL(draw, GetSelectItemWidth()).WillByDefault(Return(200));
    ON_CALL(draw, GetSelectItemHeight()).WillByDefault(Return(-1));
    ON_CALL(draw, StartSelect(_, _, _))
        .WillByDefault([this](const char* variable, std::uint32_t count, const TextTokenSection* items) {
          ++starts;
          startedVariable = variable;
          laidOut.assign(items, items + count);
        });
    ON_CALL(draw, UpdateSelect()).WillByDefault([this] { return taken; });
    ON_CALL(draw, EndSelect()).WillByDefault([this] { ++ends; });
    engine.symbolKinds.values["r"] = 1;
    engine.ownCommandHeap.iterators = {3};
    command.SetEngine(&engine);
  }

  void Set(const std::vector<std::string>& choices, const std::string& variable = "r") {
    nsTamskLib::CommandParam param;
    param.Int[0] = static_cast<std::int32_t>(choices.size());
    param.Str[0] = variable.c_str();
    for (std::size_t i = 0; i < choices.size(); ++i) param.Str[1 + i] = choices[i].c_str();
    command.Setup(param);
  }

  Cmd_select command;
  int starts = 0;
  int ends = 0;
  bool taken = false;
  std::string startedVariable;
  std::vector<TextTokenSection> laidOut;
};

TEST_F(SelectCommandTest, OneChoiceIsLaidOutWhiteWithTheChoiceStyle) {
  TextStyle().choice.cspace = 2;
  Set({"ab"});
  command.Execute();
  ASSERT_EQ(starts, 1);
  EXPECT_EQ(startedVariable, "r");
  ASSERT_EQ(laidOut.size(), 1u);
  const TextTokenSection& item = laidOut[0];
  ASSERT_EQ(item.size(), 2u);  // the width line, then the choice
  EXPECT_EQ(item.at(0).at(0).Width, 200);
  const auto& line = item.at(1);
  ASSERT_EQ(line.size(), 5u);  // head, a, spacing, b, spacing
  EXPECT_EQ(line.at(1).Colour, 0x00FFFFFFu);
  EXPECT_STREQ(line.at(1).FontFace.c_str(), "Choice");
  EXPECT_EQ(line.at(0).Width, (200 - 1 - 24) / 2);  // centred by default
  EXPECT_EQ(engine.ownCommandHeap.iterators.back(), 3);
}

TEST_F(SelectCommandTest, TakingAChoiceMovesOnAndTheNextRunLaysOutAgain) {
  Set({"a", "b"});
  command.Execute();
  command.Execute();
  EXPECT_EQ(starts, 1);
  taken = true;
  command.Execute();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(engine.ownCommandHeap.iterators.back(), 4);
  taken = false;
  command.Execute();
  EXPECT_EQ(starts, 2);
  EXPECT_EQ(laidOut.size(), 2u);
}

TEST_F(SelectCommandTest, AnUnknownVariableStopsTheProgram) {
  vesk_test::FatalTrap trap;
  Set({"a"}, "missing");
  EXPECT_FATAL(command.Execute(), "missingは存在しないシンボルです！");
}

TEST_F(SelectCommandTest, AStoredCommandWithMoreThanTenChoicesShowsTheFirstTen) {
  vesk_test::TempDir dir;
  const std::string file = dir.file("body.bin");
  {
    nsTamskLib::nsIOStream::BaseIOStream out;
    ASSERT_TRUE(out.Open(file.c_str(), "wb"));
    SaveIntField(&out, 12);
    for (int i = 0; i < 12; ++i) SaveStringField(&out, std::string(1, static_cast<char>('a' + i)));
    SaveStringField(&out, "r");
    out.SaveNum(99);  // the next command's type
    ASSERT_TRUE(out.Close());
  }
  nsTamskLib::nsIOStream::BaseIOStream in;
  ASSERT_TRUE(in.Open(file.c_str(), "rb"));
  command.Load(&in);
  std::int32_t next = 0;
  in.LoadNum(&next);
  EXPECT_EQ(next, 99);  // the whole body was read
  EXPECT_EQ(command.choices().size(), 12u);
  command.Execute();
  EXPECT_EQ(laidOut.size(), 10u);
}

TEST_F(SelectCommandTest, AnAbsurdStoredCountIsADamagedFile) {
  vesk_test::FatalTrap trap;
  vesk_test::TempDir dir;
  const std::string file = dir.file("body.bin");
  {
    nsTamskLib::nsIOStream::BaseIOStream out;
    ASSERT_TRUE(out.Open(file.c_str(), "wb"));
    SaveIntField(&out, -1);
    ASSERT_TRUE(out.Close());
  }
  nsTamskLib::nsIOStream::BaseIOStream in;
  ASSERT_TRUE(in.Open(file.c_str(), "rb"));
  EXPECT_FATAL(command.Load(&in), "選択肢の数が不正です！（4294967295）");
}

TEST_F(SelectCommandTest, TextFormAndBody) {
  Set({"はい", "いいえ"});
  command.Dump(&engine.log);
  EXPECT_EQ(engine.log.text, "select \"はい\", \"いいえ\", r;\n");
  EXPECT_EQ(command.GetID(), 10u);
}

}  // namespace
