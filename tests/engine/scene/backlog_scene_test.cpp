// The backlog screen over a player with recording back ends: the walk through the
// records and its ends, the screen's texts put back on close, the close frame still
// drawn as a backlog frame, and a backlog opened by the script before any record.

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "engine/api/backlog_record.h"
#include "tests/engine/scene/screen_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::TextToken;
using nsTamskLib::TextTokenLine;
using nsTamskLib::TextTokenSection;

// One line of one token with the text.
TextTokenSection Section(const char* text) {
  TextToken token;
  token.Text = text;
  token.Size = 25;
  token.Colour = 0xFF0000FF;
  token.FontFace = "ＭＳ ゴシック";
  token.Alpha = 255;
  token.Width = 25;
  token.Height = 25;
  TextTokenLine line;
  line.push_back(token);
  TextTokenSection section;
  section.push_back(line);
  return section;
}

std::string TextOf(const TextTokenSection* section) {
  if (section->size() == 0 || section->at(0).size() == 0) return "";
  return section->at(0).at(0).Text.c_str();
}

class BackLogSceneTest : public ScreenTest {
 protected:
  void AddRecord(const char* message, const char* talker) {
    nsTamskLib::nsTextManager::BackLogRecord record;
    record.Message = Section(message);
    record.Talker = Section(talker);
    player.Texts().AddRecord(record);
  }
  // The message and talker on screen now.
  std::string Message() { return TextOf(player.draw.GetMessageText()); }
  std::string Talker() { return TextOf(player.draw.GetTalkerText()); }
  std::int32_t CursorKind() const { return player.draw.Settings().TextCursorState; }
  bool DrewInGrey(const std::string& text) const {
    const auto draws = player.draw.Calls("DrawText(" + text + ",");
    return std::any_of(draws.begin(), draws.end(), [](const std::string& call) {
      return call.find(",0x00C0C0C0,") != std::string::npos;
    });
  }
};

TEST_F(BackLogSceneTest, WalksFromTheNewestRecordAndPutsTheScreenBack) {
  StartStory();
  AddRecord("one", "A");
  AddRecord("two", "B");
  AddRecord("three", "C");
  player.draw.SetMessageText(Section("now"));
  player.draw.SetTalkerText(Section("me"));
  player.draw.SetTextCursor(1);

  player.input.backLog = true;
  Frames();
  player.input.ReleaseKeys();
  ASSERT_EQ(player.GetStates(), States({0, 1}));
  player.draw.ClearLog();
  Frames();
  EXPECT_EQ(player.Texts().GetBackLogCursor(), 1u);
  EXPECT_EQ(Message(), "three");
  EXPECT_EQ(Talker(), "C");
  EXPECT_EQ(CursorKind(), 3);
  // Shown in the text window whatever the record's colours, as a frame of its own.
  EXPECT_TRUE(DrewInGrey("three"));
  EXPECT_TRUE(DrewInGrey("C"));
  EXPECT_EQ(player.draw.log.back(), "Present()");

  // Up is older and stops at the oldest; down is newer and stops at the newest.
  player.input.wheel = 1;
  const char* up[] = {"two", "one", "one"};
  for (const char* expected : up) {
    Frames();
    EXPECT_EQ(Message(), expected);
  }
  EXPECT_EQ(player.Texts().GetBackLogCursor(), 3u);
  player.input.wheel = -1;
  const char* down[] = {"two", "three", "three"};
  for (const char* expected : down) {
    Frames();
    EXPECT_EQ(Message(), expected);
  }
  player.input.wheel = 1;
  Frames();
  player.input.wheel = 0;

  // The close frame is still drawn as a backlog frame; then the story's screen is
  // back as it was, with no text cursor.
  player.draw.ClearLog();
  PressClose();
  EXPECT_EQ(player.GetStates(), States({0}));
  EXPECT_TRUE(DrewInGrey("two"));
  EXPECT_EQ(Message(), "now");
  EXPECT_EQ(Talker(), "me");
  EXPECT_EQ(CursorKind(), 0);
  EXPECT_EQ(player.Texts().GetBackLogCursor(), 1u);

  // Opened again, it starts at the newest record, not where it was left.
  player.PushState(1);
  Frames();
  EXPECT_EQ(Message(), "three");
  PressClose();
  EXPECT_EQ(Message(), "now");
}

TEST_F(BackLogSceneTest, ScriptCanOpenAnEmptyBackLogAndCloseIt) {
  ScriptWriter script;
  script.Label("@start").State(1).Step(7).Stay(-1);
  ASSERT_TRUE(script.WriteScript("scenario.dat"));
  ASSERT_TRUE(player.LoadScript("scenario.dat", player.GetIOStream()));
  player.draw.SetMessageText(Section("now"));
  Frames();
  ASSERT_EQ(player.GetStates(), States({0, 1}));
  player.input.wheel = 1;
  Frames(2);
  player.input.wheel = -1;
  Frames();
  // Nothing to show: the screen keeps its message.
  EXPECT_EQ(Message(), "now");
  EXPECT_EQ(player.draw.log.back(), "Present()");
  PressClose();
  EXPECT_EQ(player.GetStates(), States({0}));
  EXPECT_EQ(Message(), "now");
  Frames();
  EXPECT_EQ(CommandLog().executed.back(), "step 7");
}

TEST_F(BackLogSceneTest, NewGameRearmsTheFirstFrame) {
  StartStory();
  AddRecord("one", "A");
  AddRecord("two", "B");
  player.PushState(1);
  Frames();
  player.input.wheel = 1;
  Frames();
  player.input.wheel = 0;
  EXPECT_EQ(Message(), "one");
  // A new game while the backlog is open: the next visit prepares itself again.
  player.Initialize();
  AddRecord("fresh", "F");
  player.draw.SetMessageText(Section("story"));
  player.PushState(1);
  Frames();
  EXPECT_EQ(Message(), "fresh");
  PressClose();
  EXPECT_EQ(Message(), "story");
}

}  // namespace
}  // namespace vesk_test
