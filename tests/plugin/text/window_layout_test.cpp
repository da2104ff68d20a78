// The text window's layout: click-wait points and percent signs, typewriter tags
// as records and markers, and the steps of those records on the virtual clock and
// the advance input.

#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/clock/clock.h"
#include "plugin/text/text_style_state.h"
#include "plugin/text/window_layout.h"
#include "tests/plugin/text/layout_fixture.h"

namespace {

using namespace nsWendrick;
using nsTamskLib::TextTokenSection;
using testing::ElementsAre;
using testing::Return;

class WindowLayoutTest : public vesk_test::TextLayoutFixture {
 protected:
  void SetUp() override {
    TextLayoutFixture::SetUp();
    platform::UseVirtualClock(1000);
  }
  void TearDown() override {
    platform::UseRealClock();
    TextLayoutFixture::TearDown();
  }

  void Layout(const std::string& message, std::int32_t maxWidth = -1) {
    LayoutTextWindowText(message, "Gothic", 20, 0, 0, 0, 0, 0, maxWidth, -1, &engine, section,
                         tagCmds);
  }

  void SetAdvance(bool pushed) {
    ON_CALL(engine.ownInputManager, IsGoNext()).WillByDefault(Return(pushed));
  }

  TextTokenSection section;
  TagCmdList tagCmds;
  SpeedStack speeds{40};
};

TEST_F(WindowLayoutTest, ClickWaitPointsAndPercentSigns) {
  Layout("ab%ccd");
  EXPECT_THAT(Texts(section.at(0)), ElementsAre("", "a", "b", "ClickWait", "c", "d"));
  EXPECT_TRUE(tagCmds.empty());
  Layout("50%%");
  EXPECT_THAT(Texts(section.at(0)), ElementsAre("", "5", "0", "%"));
  Layout("%%c");  // a percent sign, then the letter c
  EXPECT_THAT(Texts(section.at(0)), ElementsAre("", "%", "c"));
}

TEST_F(WindowLayoutTest, TheMessageHasNoWidthLineButIsAligned) {
  LayoutTextWindowText("ab", "Gothic", 20, 0, 0, 0, 0, kAlignRight, 100, -1, &engine, section,
                       tagCmds);
  ASSERT_EQ(section.size(), 1u);
  EXPECT_EQ(section.at(0).at(0).Width, 100 - 22);
}

TEST_F(WindowLayoutTest, TypewriterTagsBecomeRecordsAndMarkers) {
  Layout("<speed 30>a</speed><wait -500>b<b>c");
  ASSERT_EQ(tagCmds.size(), 3u);
  EXPECT_EQ(tagCmds[0].kind, kTagCmdSpeed);
  EXPECT_THAT(tagCmds[0].args, ElementsAre(30));
  EXPECT_EQ(tagCmds[0].systemCommandsAllowed, 1);
  EXPECT_EQ(tagCmds[1].kind, kTagCmdSpeedEnd);
  EXPECT_TRUE(tagCmds[1].args.empty());
  EXPECT_EQ(tagCmds[2].kind, kTagCmdWait);
  EXPECT_THAT(tagCmds[2].args, ElementsAre(-500));
  EXPECT_EQ(tagCmds[2].systemCommandsAllowed, 0);
  const auto& line = section.at(0);
  EXPECT_THAT(Texts(line), ElementsAre("", "TagCmd", "a", "TagCmd", "TagCmd", "b", "c"));
  EXPECT_EQ(line.at(1).Size, 0);
  EXPECT_EQ(line.at(3).Size, 1);
  EXPECT_EQ(line.at(4).Size, 2);
  EXPECT_EQ(line.at(4).Width, 0);
  EXPECT_EQ(line.at(6).Flag1, 1);  // the text tags still work
}

TEST_F(WindowLayoutTest, ASpeedTagWithANegativeNumberIsText) {
  Layout("<speed -5>");
  EXPECT_TRUE(tagCmds.empty());
  EXPECT_EQ(Texts(section.at(0)).size(), 1u + 10u);
  EXPECT_EQ(Texts(section.at(0))[1], "<");
}

TEST_F(WindowLayoutTest, AClickWaitDoesNotBreakTheLineBreakingCarry) {
  Layout("ab「%cc", 45);
  ASSERT_EQ(section.size(), 2u);
  EXPECT_THAT(Texts(section.at(0)), ElementsAre("", "a", "b"));
  EXPECT_THAT(Texts(section.at(1)), ElementsAre("", "\n", "「", "ClickWait", "c"));
}

TEST_F(WindowLayoutTest, SpeedTagsPushAndPopButNeverTheBottomEntry) {
  Layout("<speed 10>a</speed></speed>");
  TagCmdStep(tagCmds, 0, speeds, &engine);
  EXPECT_THAT(speeds, ElementsAre(40, 10));
  EXPECT_EQ(tagCmds[0].done, 1);
  EXPECT_EQ(tagCmds[0].active, 0);
  TagCmdStep(tagCmds, 1, speeds, &engine);
  TagCmdStep(tagCmds, 2, speeds, &engine);
  EXPECT_THAT(speeds, ElementsAre(40));
  TagCmdStep(tagCmds, 7, speeds, &engine);  // no such record
  EXPECT_THAT(speeds, ElementsAre(40));
}

TEST_F(WindowLayoutTest, ANegativeWaitEndsAfterItsTimeOrOnTheAdvanceInput) {
  Layout("<wait -500><wait -500>");
  TagCmdStep(tagCmds, 0, speeds, &engine);
  EXPECT_EQ(tagCmds[0].active, 1);
  EXPECT_TRUE(AnyTagCmdActive(tagCmds));
  EXPECT_FALSE(TagCmdAllowsSystemCommands(tagCmds));
  platform::AdvanceVirtualClock(499);
  TagCmdStep(tagCmds, 0, speeds, &engine);
  EXPECT_EQ(tagCmds[0].done, 0);
  platform::AdvanceVirtualClock(1);
  TagCmdStep(tagCmds, 0, speeds, &engine);
  EXPECT_EQ(tagCmds[0].done, 1);
  EXPECT_THAT(tagCmds[0].args, ElementsAre(-500));
  EXPECT_TRUE(TagCmdAllowsSystemCommands(tagCmds));

  TagCmdStep(tagCmds, 1, speeds, &engine);
  SetAdvance(true);
  TagCmdStep(tagCmds, 1, speeds, &engine);
  EXPECT_EQ(tagCmds[1].done, 1);
  EXPECT_FALSE(AnyTagCmdActive(tagCmds));
}

TEST_F(WindowLayoutTest, AZeroWaitEndsOnlyOnTheAdvanceInputAndAPositiveOneOnlyOnTime) {
  Layout("<wait 0><wait 300>");
  TagCmdStep(tagCmds, 0, speeds, &engine);
  platform::AdvanceVirtualClock(100000);
  TagCmdStep(tagCmds, 0, speeds, &engine);
  EXPECT_EQ(tagCmds[0].done, 0);
  SetAdvance(true);
  TagCmdStep(tagCmds, 0, speeds, &engine);
  EXPECT_EQ(tagCmds[0].done, 1);

  TagCmdStep(tagCmds, 1, speeds, &engine);
  TagCmdStep(tagCmds, 1, speeds, &engine);
  EXPECT_EQ(tagCmds[1].done, 0);  // the advance input does not end a timed wait
  platform::AdvanceVirtualClock(300);
  TagCmdStep(tagCmds, 1, speeds, &engine);
  EXPECT_EQ(tagCmds[1].done, 1);
}

TEST_F(WindowLayoutTest, TheMostNegativeWaitIsALongTimedWait) {
  Layout("<wait -2147483648>");
  ASSERT_EQ(tagCmds.size(), 1u);
  TagCmdStep(tagCmds, 0, speeds, &engine);
  platform::AdvanceVirtualClock(0x7FFFFFFFu);
  TagCmdStep(tagCmds, 0, speeds, &engine);
  EXPECT_EQ(tagCmds[0].done, 0);
  platform::AdvanceVirtualClock(1);
  TagCmdStep(tagCmds, 0, speeds, &engine);
  EXPECT_EQ(tagCmds[0].done, 1);
}

TEST_F(WindowLayoutTest, FinishingMarksEveryPendingRecordDoneWithoutCarryingItOut) {
  Layout("<speed 5><wait 100></speed>");
  TagCmdStep(tagCmds, 1, speeds, &engine);  // the wait is running
  FinishTagCmds(tagCmds, &engine);
  for (const TagCmd& record : tagCmds) {
    EXPECT_EQ(record.done, 1);
    EXPECT_EQ(record.active, 0);
  }
  EXPECT_THAT(tagCmds[1].args, ElementsAre(100));
  EXPECT_THAT(speeds, ElementsAre(40));
  EXPECT_TRUE(TagCmdAllowsSystemCommands(tagCmds));
}

}  // namespace
