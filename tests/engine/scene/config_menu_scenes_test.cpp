// The config and menu screens over a player with recording back ends: the config
// screen opening on default and out-of-range settings, its bars' conversions and
// volumes, its mode and forced-skip buttons; the menu's toggles, the screens it
// opens above itself, the quit question; one pop per frame on both.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/backlog_record.h"
#include "engine/scene/default_config_scene.h"
#include "tests/engine/scene/screen_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::nsScene::DefaultConfigScene;
using Strings = std::vector<std::string>;

// Centres of the config screen's bars (by row) and buttons, and of the menu's buttons.
int BarY(int row) { return 80 + 60 * row; }
constexpr int kWindowX = 145;
constexpr int kFullScreenX = 315;
constexpr int kSkipOnX = 485;
constexpr int kSkipOffX = 655;
constexpr int kModeButtonY = 455;
int MenuY(int row) { return 25 + 35 * row; }
constexpr int kMenuX = 715;

class ConfigMenuTest : public ScreenTest {
 protected:
  void SetUp() override {
    StartStory();
    Frames();
  }
  DefaultConfigScene& Config() {
    return dynamic_cast<DefaultConfigScene&>(*player.GetScene(nsTamskLib::nsCore::kStateConfig));
  }
  void OpenConfig() {
    player.PushState(4);
    Frames();
  }
  // A press on a bar at x, released where it was.
  void PressBar(int row, int x) { Click(x, BarY(row)); }
  bool Drew(const std::string& call) const {
    return std::find(player.draw.log.begin(), player.draw.log.end(), call) != player.draw.log.end();
  }
};

TEST_F(ConfigMenuTest, ConfigOpensOnDefaultSettingsAndShowsThem) {
  player.PushState(4);
  player.draw.ClearLog();
  Frames();
  EXPECT_EQ(Config().AutoSpeedBar().GetRate(), 5000u);  // 1500 ms
  EXPECT_EQ(Config().TextSpeedBar().GetRate(), 1200u);  // 60 ms a glyph
  EXPECT_EQ(Config().BGMBar().GetRate(), 10000u);
  EXPECT_EQ(Config().SEBar().GetRate(), 10000u);
  EXPECT_EQ(Config().VoiceBar().GetRate(), 10000u);
  EXPECT_TRUE(Drew("FillRect({0,0,800,600},0x00000000,128)"));
  EXPECT_TRUE(Drew("DrawText(テキスト表示速度,60,130,255,ＭＳ ゴシック,20,0x00FFFFFF,0,0)"));
  EXPECT_TRUE(Drew("DrawText(強制スキップ,435,410,255,ＭＳ ゴシック,20,0x00FFFFFF,0,0)"));
  EXPECT_TRUE(Drew("FillRect({485,65,495,95},0x00000000,255)"));  // the auto bar's knob
  EXPECT_EQ(player.draw.log.back(), "Present()");
  // In a window the window button is the disabled one; forced skip is off.
  EXPECT_TRUE(Config().WindowButton().IsDisabled());
  EXPECT_FALSE(Config().FullScreenButton().IsDisabled());
  EXPECT_FALSE(Config().ForceSkipOnButton().IsDisabled());
  EXPECT_TRUE(Config().ForceSkipOffButton().IsDisabled());
}

TEST_F(ConfigMenuTest, BarsShowStoredSettingsAndHoldTheEndsForOthers) {
  player.Texts().SetAutoWait(100);
  player.draw.SetConfigTextSpeed(37);
  player.draw.SetTextSpeed(5);  // the script's own speed is not the player's setting
  OpenConfig();
  EXPECT_EQ(Config().AutoSpeedBar().GetRate(), 333u);
  EXPECT_EQ(Config().TextSpeedBar().GetRate(), 740u);
  // A script's slow auto wait or text speed does not end the program.
  player.Texts().SetAutoWait(5000);
  player.draw.SetConfigTextSpeed(900);
  Frames();
  EXPECT_EQ(Config().AutoSpeedBar().GetRate(), 10000u);
  EXPECT_EQ(Config().TextSpeedBar().GetRate(), 10000u);
  EXPECT_EQ(player.Texts().GetAutoWait(), 5000u);
  player.draw.SetConfigTextSpeed(-5);
  Frames();
  EXPECT_EQ(Config().TextSpeedBar().GetRate(), 0u);
}

TEST_F(ConfigMenuTest, DraggedBarsStoreTheirSettings) {
  OpenConfig();
  PressBar(0, 740);
  EXPECT_EQ(player.Texts().GetAutoWait(), 3000u);
  EXPECT_EQ(Config().AutoSpeedBar().GetRate(), 10000u);
  PressBar(0, 242);
  EXPECT_EQ(player.Texts().GetAutoWait(), 12u);
  // The text bar sets the player's speed; while the script sets none it applies.
  PressBar(1, 490);
  EXPECT_EQ(player.draw.GetConfigTextSpeed(), 250);
  EXPECT_EQ(player.draw.GetTextSpeed(), -250);
  PressBar(1, 240);
  EXPECT_EQ(player.draw.GetConfigTextSpeed(), 0);
  PressBar(4, 615);
  EXPECT_EQ(player.sound.GetDefaultVoiceVolume(), 7500);
  EXPECT_EQ(Config().VoiceBar().GetRate(), 7500u);
}

TEST_F(ConfigMenuTest, VolumeBarIsHeardAtOnceOnlyWhileTheVolumeFollowsTheDefault) {
  OpenConfig();
  player.sound.ClearLog();
  PressBar(2, 490);
  EXPECT_EQ(player.sound.GetDefaultBGMVolume(), 5000);
  EXPECT_EQ(player.sound.Calls("_SetBGMVolume"), Strings({"_SetBGMVolume(5000)"}));
  PressBar(3, 365);
  EXPECT_EQ(player.sound.GetDefaultSEVolume(), 2500);
  EXPECT_EQ(player.sound.Calls("_SetSEVolume"), Strings({"_SetSEVolume(2500)"}));

  // The script set the music's volume: only the default moves.
  player.sound.ApplyBGMVolume(3000);
  player.sound.ClearLog();
  PressBar(2, 740);
  EXPECT_EQ(player.sound.GetDefaultBGMVolume(), 10000);
  EXPECT_TRUE(player.sound.Calls("_SetBGMVolume").empty());
  EXPECT_EQ(player.sound.GetBGMVolume(), 3000);
}

TEST_F(ConfigMenuTest, ModeAndForcedSkipButtonsSwitchOnlyToTheOtherSetting) {
  OpenConfig();
  Click(kWindowX, kModeButtonY);  // disabled in a window
  EXPECT_TRUE(player.draw.Calls("SetFullScreen").empty());
  Click(kFullScreenX, kModeButtonY);
  EXPECT_EQ(player.draw.Calls("SetFullScreen"), Strings({"SetFullScreen(1)"}));
  EXPECT_TRUE(Config().FullScreenButton().IsDisabled());
  EXPECT_FALSE(Config().WindowButton().IsDisabled());
  Click(kFullScreenX, kModeButtonY);
  Click(kWindowX, kModeButtonY);
  EXPECT_EQ(player.draw.Calls("SetFullScreen"), Strings({"SetFullScreen(1)", "SetFullScreen(0)"}));

  Click(kSkipOnX, kModeButtonY);
  EXPECT_TRUE(player.Texts().IsKidokuSkip());
  EXPECT_TRUE(Config().ForceSkipOnButton().IsDisabled());
  EXPECT_FALSE(Config().ForceSkipOffButton().IsDisabled());
  Click(kSkipOffX, kModeButtonY);
  EXPECT_FALSE(player.Texts().IsKidokuSkip());
  EXPECT_EQ(player.GetStates(), States({0, 4}));
}

TEST_F(ConfigMenuTest, BackButtonAndCloseKeyInOneFramePopOnce) {
  player.PushState(5);
  OpenConfig();
  player.input.MoveTo(680, 510);
  player.input.PushLeft();
  Frames();
  player.input.ReleaseLeft();
  PressClose();
  player.input.IdleLeft();
  EXPECT_EQ(player.GetStates(), States({0, 5}));
  OpenConfig();
  PressClose();
  EXPECT_EQ(player.GetStates(), States({0, 5}));
}

TEST_F(ConfigMenuTest, MenuAutoAndSkipToggleAndCloseInTheSameFrame) {
  player.input.menu = true;
  Frames();
  player.input.ReleaseKeys();
  ASSERT_EQ(player.GetStates(), States({0, 5}));
  player.draw.ClearLog();
  Frames();
  EXPECT_TRUE(Drew("FillRect({0,0,800,600},0x00000000,128)"));
  EXPECT_TRUE(Drew("DrawText(ゲームに戻る,655,225,255,ＭＳ ゴシック,20,0x00FFFFFF,0,0)"));
  EXPECT_EQ(player.draw.log.back(), "Present()");

  Click(kMenuX, MenuY(0));
  EXPECT_TRUE(player.Texts().IsAuto());
  EXPECT_EQ(player.GetStates(), States({0}));
  player.PushState(5);
  Click(kMenuX, MenuY(0));
  EXPECT_FALSE(player.Texts().IsAuto());
  player.PushState(5);
  Click(kMenuX, MenuY(1));
  EXPECT_TRUE(player.Texts().IsSkip());
  EXPECT_EQ(player.GetStates(), States({0}));
}

TEST_F(ConfigMenuTest, MenuOpensScreensAboveItselfAndReturns) {
  player.PushState(5);
  Frames();
  const std::pair<int, int> screens[] = {{2, 2}, {3, 3}, {4, 4}};
  for (const auto& [row, state] : screens) {
    Click(kMenuX, MenuY(row));
    EXPECT_EQ(player.GetStates(), States({0, 5, state}));
    PressClose();
    EXPECT_EQ(player.GetStates(), States({0, 5}));
  }
  Click(kMenuX, MenuY(6));
  EXPECT_EQ(player.GetStates(), States({0}));
  // The close key closes it too, and a button with the close key pops once.
  player.PushState(5);
  PressClose();
  EXPECT_EQ(player.GetStates(), States({0}));
  player.PushState(5);
  player.input.MoveTo(kMenuX, MenuY(6));
  player.input.PushLeft();
  Frames();
  player.input.ReleaseLeft();
  PressClose();
  EXPECT_EQ(player.GetStates(), States({0}));
}

// A screen opened with the close key in the same frame is closed again at once; a
// confirmed quit stays.
TEST_F(ConfigMenuTest, CloseKeyWithAScreenButtonPopsTheScreenButNotTheQuit) {
  player.PushState(5);
  Frames();
  boxes.answers = {true};
  for (int row : {2, 3, 4, 5}) {
    player.input.MoveTo(kMenuX, MenuY(row));
    player.input.PushLeft();
    Frames();
    player.input.ReleaseLeft();
    PressClose();
    player.input.IdleLeft();
    EXPECT_EQ(player.GetStates(), row == 5 ? States({0, 5, 7}) : States({0, 5})) << row;
  }
}

TEST_F(ConfigMenuTest, QuitAsksFirstAndStopsTheSoundOnlyOnYes) {
  player.sound.PlayBGM("theme.ogg");
  player.sound.PlaySE("door.wav");
  player.PushState(5);
  boxes.answers = {false};
  Click(kMenuX, MenuY(5));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "確認");
  EXPECT_EQ(boxes.boxes[0].text, "終了しますか？");
  EXPECT_EQ(boxes.boxes[0].icon, platform::MessageBoxIcon::None);
  EXPECT_EQ(player.GetStates(), States({0, 5}));
  EXPECT_TRUE(player.sound.bgmPlaying);
  EXPECT_EQ(player.sound.se.playing.size(), 1u);

  boxes.answers = {true};
  Click(kMenuX, MenuY(5));
  EXPECT_EQ(player.GetStates(), States({0, 5, 7}));
  EXPECT_FALSE(player.sound.bgmPlaying);
  EXPECT_TRUE(player.sound.se.playing.empty());
  Frames();
  EXPECT_EQ(player.quitCalls, 1);
}

TEST_F(ConfigMenuTest, LongRunsThroughEveryScreenKeepTheStoryAndItsLocksSound) {
  player.Texts().AddRecord(nsTamskLib::nsTextManager::BackLogRecord());
  const int menuRows[] = {0, 1, 2, 3, 4, 6};
  const std::size_t executedBefore = CommandLog().executed.size();
  std::set<std::int32_t> visited;
  for (int frame = 0; frame < 1200; ++frame) {
    KeyedInputManager& keys = player.input;
    keys.backLog = frame % 11 == 0;
    keys.menu = frame % 13 == 0;
    keys.save = frame % 17 == 0;
    keys.load = frame % 19 == 0;
    keys.config = frame % 23 == 0;
    keys.right = frame % 7 == 0 ? ScriptedMouseButton{true, true, false} : ScriptedMouseButton{};
    // Clicks over the menu's column (never quit), which on the other screens land
    // on bars, or on nothing.
    keys.MoveTo(kMenuX, MenuY(menuRows[(frame / 2) % 6]));
    if (frame % 2 == 0) {
      keys.PushLeft();
    } else {
      keys.ReleaseLeft();
    }
    visited.insert(player.GetState());
    player.Run();
    keys.ReleaseKeys();
    ASSERT_FALSE(player.IsInputEnabled()) << frame;
    ASSERT_LT(player.GetStates().size(), 5u) << frame;
  }
  EXPECT_EQ(visited, (std::set<std::int32_t>{0, 1, 2, 3, 4, 5}));
  EXPECT_TRUE(player.Tasks().IsExclusiveBRCS());
  EXPECT_GT(CommandLog().executed.size() - executedBefore, 100u);
}

}  // namespace
}  // namespace vesk_test
