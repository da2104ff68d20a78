// The default normal scene over recording back ends: system input only while the
// current command accepts it and the menu flag allows it, the window toggle with
// its button lock, sounds stopped on suspend and quit, the frame's drawing, a
// script that ran off its end, and long runs without lock errors.

#include <algorithm>

#include <gtest/gtest.h>

#include "engine/api/backlog_record.h"
#include "engine/scene/default_normal_scene.h"
#include "tests/engine/core/player_fixture.h"

namespace vesk_test {
namespace {

using States = std::vector<std::int32_t>;

bool Contains(const std::vector<std::string>& log, const std::string& prefix) {
  return std::any_of(log.begin(), log.end(),
                     [&](const std::string& entry) { return entry.rfind(prefix, 0) == 0; });
}

class NormalSceneTest : public PlayerTest {
 protected:
  // A script whose current command accepts system input (Stay) or not (Hold).
  void Start(bool systemEnabled) {
    ScriptWriter script;
    script.Label("@start");
    if (systemEnabled) {
      script.Stay(-1);
    } else {
      script.Hold(-1);
    }
    LoadScript(script);
  }

  // One frame with the keys set by press, released afterwards.
  template <typename Press>
  void FrameWith(Press press) {
    press(player.input);
    player.Run();
    player.input.ReleaseKeys();
  }

  nsTamskLib::nsScene::DefaultNormalScene& Scene() {
    return dynamic_cast<nsTamskLib::nsScene::DefaultNormalScene&>(
        *player.GetScene(nsTamskLib::nsCore::kStateNormal));
  }
  std::size_t Executions() const { return CommandLog().executed.size(); }
  void AddBackLogRecord() { player.Texts().AddRecord(nsTamskLib::nsTextManager::BackLogRecord()); }
};

TEST_F(NormalSceneTest, FrameDrawsScreenTasksTextWindowThenPresents) {
  Start(true);
  player.Run();
  const std::vector<std::string>& log = player.draw.log;
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "Present()");
  const auto clear = std::find_if(log.begin(), log.end(), [](const std::string& e) {
    return e.rfind("Clear(", 0) == 0;
  });
  const auto window = std::find(log.begin(), log.end(), "FillRect({25,425,775,575},0x00000000,255)");
  ASSERT_NE(clear, log.end());
  ASSERT_NE(window, log.end());
  EXPECT_LT(clear, window);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Present()"), 1);

  // A script that turned the window off: no window, still a frame.
  player.draw.SetTextWindowVisible(false);
  player.draw.ClearLog();
  player.Run();
  EXPECT_FALSE(Contains(player.draw.log, "FillRect({25,425,775,575}"));
  EXPECT_EQ(player.draw.log.back(), "Present()");
  // Forced on, it is drawn again.
  player.draw.SetTextWindowForced(true);
  player.draw.ClearLog();
  player.Run();
  EXPECT_TRUE(Contains(player.draw.log, "FillRect({25,425,775,575}"));
}

TEST_F(NormalSceneTest, CommandThatDoesNotAcceptSystemInputSeesNoSystemKey) {
  Start(false);
  AddBackLogRecord();
  FrameWith([](KeyedInputManager& keys) {
    keys.backLog = keys.menu = keys.save = keys.quit = keys.toggle = true;
    keys.skipOn = keys.autoOn = true;
  });
  EXPECT_EQ(player.GetStates(), States({0}));
  EXPECT_TRUE(Scene().IsVisible());
  EXPECT_FALSE(player.Texts().IsSkip());
  EXPECT_FALSE(player.Texts().IsAuto());
  EXPECT_FALSE(player.IsInputEnabled());
  // The command itself still runs, and so do the buttons.
  EXPECT_EQ(Executions(), 1u);
}

TEST_F(NormalSceneTest, SystemKeyPushesItsStateAfterTheCommandsStep) {
  Start(true);
  FrameWith([](KeyedInputManager& keys) { keys.menu = true; });
  EXPECT_EQ(player.GetStates(), States({0, 5}));
  // In the frame of the push the command still ran, and nothing was drawn.
  EXPECT_EQ(Executions(), 1u);
  EXPECT_TRUE(player.draw.Calls("Present").empty());
  EXPECT_FALSE(player.IsInputEnabled());
  player.Run();  // the menu scene (here one that leaves at once) hands back
  EXPECT_EQ(player.GetStates(), States({0}));
  EXPECT_EQ(Executions(), 1u);

  const std::pair<void (*)(KeyedInputManager&), int> keys[] = {
      {[](KeyedInputManager& k) { k.save = true; }, 2},
      {[](KeyedInputManager& k) { k.load = true; }, 3},
      {[](KeyedInputManager& k) { k.config = true; }, 4},
      {[](KeyedInputManager& k) { k.menu = k.save = true; }, 5},
  };
  for (const auto& [press, state] : keys) {
    FrameWith(press);
    EXPECT_EQ(player.GetStates(), States({0, state}));
    player.Run();
  }
}

TEST_F(NormalSceneTest, BackLogKeyNeedsARecordAndOtherwiseFallsThrough) {
  Start(true);
  FrameWith([](KeyedInputManager& keys) { keys.backLog = keys.save = true; });
  EXPECT_EQ(player.GetStates(), States({0, 2}));
  player.Run();
  AddBackLogRecord();
  FrameWith([](KeyedInputManager& keys) { keys.backLog = keys.save = true; });
  EXPECT_EQ(player.GetStates(), States({0, 1}));
}

TEST_F(NormalSceneTest, MenuFlagOffLeavesOnlyBackLogToggleAndReadingModes) {
  Start(true);
  player.SetMenuEnabled(false);
  FrameWith([](KeyedInputManager& keys) {
    keys.menu = keys.save = keys.load = keys.config = keys.suspend = keys.quit = true;
    keys.skipOn = keys.autoOn = true;
  });
  EXPECT_EQ(player.GetStates(), States({0}));
  EXPECT_TRUE(player.Texts().IsSkip());
  EXPECT_TRUE(player.Texts().IsAuto());
  FrameWith([](KeyedInputManager& keys) { keys.skipOff = keys.autoOff = true; });
  EXPECT_FALSE(player.Texts().IsSkip());
  EXPECT_FALSE(player.Texts().IsAuto());
  AddBackLogRecord();
  FrameWith([](KeyedInputManager& keys) { keys.backLog = true; });
  EXPECT_EQ(player.GetStates(), States({0, 1}));
}

TEST_F(NormalSceneTest, SuspendAndQuitStopEverySoundFirst) {
  Start(true);
  const auto play = [this] {
    player.sound.PlayBGM("theme.ogg");
    player.sound.PlaySE("door.wav");
    player.sound.PlayVoice("hello.wav");
  };
  play();
  FrameWith([](KeyedInputManager& keys) { keys.config = true; });
  EXPECT_TRUE(player.sound.bgmPlaying);
  EXPECT_EQ(player.sound.se.playing.size(), 1u);
  player.Run();

  FrameWith([](KeyedInputManager& keys) { keys.suspend = true; });
  EXPECT_EQ(player.GetStates(), States({0, 6}));
  EXPECT_FALSE(player.sound.bgmPlaying);
  EXPECT_TRUE(player.sound.se.playing.empty());
  EXPECT_TRUE(player.sound.voice.playing.empty());
  player.Run();
  EXPECT_EQ(player.suspendCalls, 1);

  player.PopState();
  play();
  FrameWith([](KeyedInputManager& keys) { keys.quit = true; });
  EXPECT_EQ(player.GetStates(), States({0, 7}));
  EXPECT_FALSE(player.sound.bgmPlaying);
  EXPECT_TRUE(player.sound.voice.playing.empty());
  player.Run();
  EXPECT_EQ(player.quitCalls, 1);
}

TEST_F(NormalSceneTest, ToggleHidesTheWindowStopsTheScriptAndLocksTheButtons) {
  Start(true);
  player.EnableInput();
  player.Tasks().AddButton("b");
  player.Tasks().SetButtonVisible("b", true);
  player.Tasks().FlipPage();
  player.Tasks().SetButtonVisible("b", true);
  player.DisableInput();

  FrameWith([](KeyedInputManager& keys) { keys.toggle = true; });
  EXPECT_FALSE(Scene().IsVisible());
  EXPECT_TRUE(player.Tasks().IsExclusiveBVCS());
  EXPECT_FALSE(player.Tasks().Buttons().at("b").Task[0].Visible);
  EXPECT_EQ(Executions(), 0u);
  player.draw.ClearLog();
  FrameWith([](KeyedInputManager& keys) { keys.menu = true; });
  EXPECT_EQ(player.GetStates(), States({0}));
  EXPECT_EQ(Executions(), 0u);
  EXPECT_FALSE(Contains(player.draw.log, "FillRect({25,425,775,575}"));
  EXPECT_EQ(player.draw.log.back(), "Present()");

  FrameWith([](KeyedInputManager& keys) { keys.toggle = true; });
  EXPECT_TRUE(Scene().IsVisible());
  EXPECT_FALSE(player.Tasks().IsExclusiveBVCS());
  EXPECT_TRUE(player.Tasks().Buttons().at("b").Task[0].Visible);
  EXPECT_TRUE(player.Tasks().Buttons().at("b").Task[1].Visible);
  EXPECT_EQ(Executions(), 0u);  // the frame that shows the window runs no command
  player.Run();
  EXPECT_EQ(Executions(), 1u);
}

TEST_F(NormalSceneTest, ToggleFallsThroughWhileTheWindowIsForcedOrOff) {
  Start(true);
  player.draw.SetTextWindowForced(true);
  FrameWith([](KeyedInputManager& keys) { keys.toggle = keys.load = true; });
  EXPECT_TRUE(Scene().IsVisible());
  EXPECT_EQ(player.GetStates(), States({0, 3}));
  player.Run();
  player.draw.SetTextWindowForced(false);
  player.draw.SetTextWindowVisible(false);
  FrameWith([](KeyedInputManager& keys) { keys.toggle = keys.skipOn = true; });
  EXPECT_TRUE(Scene().IsVisible());
  EXPECT_TRUE(player.Texts().IsSkip());
}

TEST_F(NormalSceneTest, NewGameShowsAHiddenWindowAgain) {
  Start(true);
  FrameWith([](KeyedInputManager& keys) { keys.toggle = true; });
  ASSERT_FALSE(Scene().IsVisible());
  // The new game resets the task manager before the scenes, which frees the lock.
  player.Initialize();
  EXPECT_TRUE(Scene().IsVisible());
  EXPECT_FALSE(player.Tasks().IsExclusiveBVCS());
  player.Run();
  EXPECT_EQ(Executions(), 1u);
}

TEST_F(NormalSceneTest, ScriptThatRanOffItsEndIsReportedByTheCommandHeap) {
  ScriptWriter script;
  script.Label("@start").Step(1);
  LoadScript(script);
  player.Run();
  EXPECT_FATAL(player.Run(), "スクリプトを実行出来ません！（イテレータが終端以上）");
  EXPECT_FALSE(player.IsInputEnabled());
}

TEST_F(NormalSceneTest, LongRunsOfKeysNeverSwitchALockTwice) {
  ScriptWriter script;
  script.Label("@start").Stay(3).Hold(2).Jump("@start");
  LoadScript(script);
  AddBackLogRecord();
  for (int frame = 0; frame < 600; ++frame) {
    FrameWith([frame](KeyedInputManager& keys) {
      keys.toggle = frame % 7 == 0;
      keys.backLog = frame % 11 == 0;
      keys.menu = frame % 13 == 0;
      keys.save = frame % 17 == 0;
      keys.skipOn = frame % 5 == 0;
      keys.skipOff = frame % 9 == 0;
    });
    ASSERT_FALSE(player.IsInputEnabled()) << frame;
  }
  EXPECT_TRUE(player.Tasks().IsExclusiveBRCS());
  EXPECT_GT(Executions(), 100u);
}

}  // namespace
}  // namespace vesk_test
