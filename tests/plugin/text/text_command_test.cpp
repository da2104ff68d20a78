// The text command frame by frame on the virtual clock: speed 0 shows all at once,
// click-wait points and their cursor states, one glyph per delay, an advance
// input that completes the message before another finishes it, inline waits
// under their own command id, skip mode over read and unread text, automatic
// advance, the speed of each message on its own, and the command's text form and
// body.

#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/api/command_param.h"
#include "platform/clock/clock.h"
#include "plugin/commands/text_command.h"
#include "plugin/text/text_style_state.h"
#include "tests/plugin/text/layout_fixture.h"

namespace {

using namespace nsWendrick;
using nsTamskLib::TextTokenSection;
using testing::_;
using testing::Return;

std::uint32_t TokenCount(const TextTokenSection& section) {
  std::uint32_t count = 0;
  for (std::uint32_t i = 0; i < section.size(); ++i) count += section.at(i).size();
  return count;
}

class TextCommandTest : public vesk_test::TextLayoutFixture {
 protected:
  void SetUp() override {
    TextLayoutFixture::SetUp();
    platform::UseVirtualClock(1000);
    auto& draw = engine.ownDrawManager;
    ON_CALL(draw, GetTextSpeed()).WillByDefault([this] { return speed; });
    ON_CALL(draw, GetMessageFontSize()).WillByDefault(Return(20));
    ON_CALL(draw, GetTalkerFontSize()).WillByDefault(Return(20));
    ON_CALL(draw, GetMessageWidth()).WillByDefault(Return(-1));
    ON_CALL(draw, GetMessageHeight()).WillByDefault(Return(-1));
    ON_CALL(draw, GetTalkerWidth()).WillByDefault(Return(-1));
    ON_CALL(draw, GetTalkerHeight()).WillByDefault(Return(-1));
    ON_CALL(draw, SetTextCursor(_)).WillByDefault([this](std::int32_t state) { cursor = state; });
    ON_CALL(draw, SetMessageText(_)).WillByDefault([this](const TextTokenSection& text) {
      shown = TokenCount(text);
      if (text.size() > 0 && text.at(text.size() - 1).size() > 0) {
        const auto& last = text.at(text.size() - 1);
        endWidth = last.at(last.size() - 1).Width;
      }
    });
    ON_CALL(draw, SetTalkerText(_)).WillByDefault([this](const TextTokenSection& text) {
      talkerTokens = TokenCount(text);
    });
    auto& input = engine.ownInputManager;
    ON_CALL(input, IsGoNext()).WillByDefault([this] { return advance; });
    auto& text = engine.ownTextManager;
    ON_CALL(text, IsSkip()).WillByDefault([this] { return skip; });
    ON_CALL(text, SetSkip(_)).WillByDefault([this](bool on) { skip = on; });
    ON_CALL(text, IsRead(_)).WillByDefault([this](std::uint32_t) { return read; });
    ON_CALL(text, IsAuto()).WillByDefault([this] { return autoMode; });
    ON_CALL(text, GetAutoWait()).WillByDefault(Return(1000u));
    ON_CALL(text, AddRecord(_)).WillByDefault([this](const auto&) { ++records; });
    ON_CALL(text, MarkRead(_)).WillByDefault([this](std::uint32_t) { ++marks; });
    command.SetEngine(&engine);
    engine.ownCommandHeap.iterators = {5};
  }
  void TearDown() override {
    platform::UseRealClock();
    TextLayoutFixture::TearDown();
  }

  void Set(const std::string& talker, const std::string& message) {
    nsTamskLib::CommandParam param;
    param.Str[0] = talker.c_str();
    param.Str[1] = message.c_str();
    command.Setup(param);
  }

  // One frame; the advance input is pushed in it when asked.
  void Frame(bool pushed = false, std::uint32_t later = 0) {
    platform::AdvanceVirtualClock(later);
    advance = pushed;
    command.Execute();
    advance = false;
  }

  bool Finished() const { return engine.ownCommandHeap.iterators.back() == 6; }

  Cmd_text command;
  std::int32_t speed = 30;
  bool advance = false;
  bool skip = false;
  bool read = false;
  bool autoMode = false;
  std::int32_t cursor = -1;
  std::uint32_t shown = 0;
  std::int32_t endWidth = 0;  // of the last token shown
  std::uint32_t talkerTokens = 0;
  int records = 0;
  int marks = 0;
};

TEST_F(TextCommandTest, SpeedZeroShowsTheWholeMessageAtOnceAndTypewriterTagsDoNothing) {
  speed = 0;
  Set("Ann", "<speed 500>ab<wait 0>c");
  Frame();
  EXPECT_EQ(cursor, 2);
  EXPECT_EQ(shown, 6u);  // head, marker, a, b, marker, c
  EXPECT_EQ(talkerTokens, 4u);
  EXPECT_EQ(command.GetID(), 9u);
  EXPECT_EQ(command.speeds().size(), 1u);
  Frame(true);
  EXPECT_TRUE(Finished());
  EXPECT_EQ(records, 1);
  EXPECT_EQ(marks, 1);
  EXPECT_EQ(command.step(), -1);
}

TEST_F(TextCommandTest, ANegativeSpeedCountsByItsSize) {
  speed = -30;
  Set("", "ab");
  Frame();
  EXPECT_EQ(cursor, 0);
  Frame(false, 30);
  EXPECT_EQ(shown, 3u);  // head, a, end marker
}

TEST_F(TextCommandTest, AClickWaitAloneNeedsTwoAdvanceInputs) {
  Set("", "%c");
  Frame();
  EXPECT_EQ(cursor, 1);
  Frame(true);
  EXPECT_EQ(cursor, 2);
  EXPECT_FALSE(Finished());
  Frame(true);
  EXPECT_TRUE(Finished());
}

TEST_F(TextCommandTest, GlyphsAppearOnePerDelayAndAnAdvanceCompletesBeforeItFinishes) {
  Set("", "abcd");
  Frame();
  EXPECT_EQ(shown, 2u);  // the head and the end marker
  Frame(false, 29);
  EXPECT_EQ(shown, 2u);
  Frame(false, 1);
  EXPECT_EQ(shown, 3u);
  Frame(false, 30);
  EXPECT_EQ(shown, 4u);
  EXPECT_EQ(cursor, 0);
  Frame(true);
  EXPECT_EQ(cursor, 2);
  EXPECT_EQ(shown, 5u);  // the whole message
  EXPECT_FALSE(Finished());
  Frame(true);
  EXPECT_TRUE(Finished());
  EXPECT_EQ(records, 1);
}

TEST_F(TextCommandTest, TheEndMarkerKeepsTheSlantWhileTheTokenDueIsOnAShownLine) {
  // After the italic a the click wait is due on a's line; b is on the next one.
  Set("", "<i>a%c\nb</i>");
  Frame();
  Frame(false, 30);
  EXPECT_EQ(cursor, 1);
  EXPECT_EQ(endWidth, 5);
}

TEST_F(TextCommandTest, AnInlineWaitRunsUnderItsOwnCommandId) {
  Set("", "a<wait 500>b");
  Frame();
  Frame(false, 30);  // a
  EXPECT_EQ(command.GetID(), 9u);
  Frame(false, 30);  // the wait starts
  EXPECT_EQ(command.GetID(), 44u);
  Frame(false, 499);
  EXPECT_EQ(command.GetID(), 44u);
  Frame(false, 1);
  EXPECT_EQ(command.GetID(), 9u);
  Frame(false, 30);
  EXPECT_EQ(cursor, 2);
}

TEST_F(TextCommandTest, ASpeedTagChangesTheDelayUntilItsEnd) {
  Set("", "<speed 100>ab</speed>c");
  Frame();
  Frame();  // the speed record
  EXPECT_EQ(command.speeds().back(), 100);
  Frame(false, 99);
  EXPECT_EQ(shown, 2u);  // the head and the end marker
  Frame(false, 1);
  EXPECT_EQ(shown, 3u);
}

TEST_F(TextCommandTest, SkipModeFinishesReadTextAfterTheSkipWaitWithoutMarkingItAgain) {
  skip = true;
  read = true;
  Set("", "abc");
  Frame();
  EXPECT_EQ(cursor, 2);
  EXPECT_FALSE(Finished());
  Frame(false, 99);
  EXPECT_FALSE(Finished());
  Frame(false, 1);
  EXPECT_TRUE(Finished());
  EXPECT_EQ(records, 1);
  EXPECT_EQ(marks, 0);
}

TEST_F(TextCommandTest, UnreadTextEndsSkipModeUnlessUnreadTextMaySkip) {
  skip = true;
  Set("", "abc");
  Frame();
  EXPECT_FALSE(skip);
  EXPECT_EQ(cursor, 0);

  skip = true;
  ON_CALL(engine.ownTextManager, IsKidokuSkip()).WillByDefault(Return(true));
  Cmd_text other;
  other.SetEngine(&engine);
  nsTamskLib::CommandParam param;
  param.Str[1] = "abc";
  other.Setup(param);
  other.Execute();
  EXPECT_TRUE(skip);
  EXPECT_EQ(cursor, 2);
}

TEST_F(TextCommandTest, AutomaticAdvancePassesClickWaitsAndFinishesAfterItsWait) {
  autoMode = true;
  speed = 0;
  Set("", "a%cb");
  Frame();
  EXPECT_EQ(cursor, 2);  // shown at once
  Frame(false, 999);
  EXPECT_FALSE(Finished());
  Frame(false, 1);
  EXPECT_TRUE(Finished());
  EXPECT_EQ(marks, 1);
}

TEST_F(TextCommandTest, EachMessageStartsFromItsOwnSpeed) {
  Set("", "</speed></speed>a");
  for (int run = 0; run < 3; ++run) {
    Frame();
    Frame(true);
    Frame(true);
    command.Reset();
  }
  EXPECT_EQ(command.speeds().size(), 1u);
  EXPECT_EQ(command.speeds().back(), 30);
}

TEST_F(TextCommandTest, TextFormAndBody) {
  Set("Ann", "Hi%c");
  command.Dump(&engine.log);
  EXPECT_EQ(engine.log.text, "text \"Ann\", \"Hi%c\";\n");
  EXPECT_EQ(command.GetID(), 9u);
}

}  // namespace
