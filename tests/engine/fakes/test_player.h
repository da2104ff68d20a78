#pragma once
// TestPlayer: the engine's script player over recording back ends, for tests that
// run compiled test scripts frame by frame. The window handle is null, OnSuspend
// and Quit count their calls, the input manager answers the system questions from
// flags the test sets, and the draw and sound managers record what they are asked.
// Header-only, so any engine test can use it.

#include <string>

#include "engine/core/novel_player.h"
#include "tests/engine/fakes/recording_draw_manager.h"
#include "tests/engine/fakes/recording_sound_manager.h"
#include "tests/engine/fakes/scripted_input_manager.h"
#include "tests/engine/kit/fake_engine.h"

namespace vesk_test {

// The scripted mouse, with every system question answered by a flag.
class KeyedInputManager : public ScriptedInputManager {
 public:
  bool IsBackLogCall() override { return backLog; }
  bool IsMenuCall() override { return menu; }
  bool IsSaveCall() override { return save; }
  bool IsLoadCall() override { return load; }
  bool IsConfigCall() override { return config; }
  bool IsSuspendCall() override { return suspend; }
  bool IsQuitCall() override { return quit; }
  bool IsTextWindowToggle() override { return toggle; }
  bool IsSkipOn() override { return skipOn; }
  bool IsSkipOff() override { return skipOff; }
  bool IsAutoOn() override { return autoOn; }
  bool IsAutoOff() override { return autoOff; }

  // Releases every key.
  void ReleaseKeys() {
    backLog = menu = save = load = config = suspend = quit = toggle = false;
    skipOn = skipOff = autoOn = autoOff = false;
  }

  bool backLog = false;
  bool menu = false;
  bool save = false;
  bool load = false;
  bool config = false;
  bool suspend = false;
  bool quit = false;
  bool toggle = false;
  bool skipOn = false;
  bool skipOff = false;
  bool autoOn = false;
  bool autoOff = false;
};

// A scene for a system state that draws nothing and gives the normal state back on
// its first update, for tests of the normal state that open system states.
class LeavingScene : public nsTamskLib::nsScene::IScene_Base {
 public:
  explicit LeavingScene(int state) : m_State(state) {}
  void Initialize() override {}
  void PreUpdate() override {}
  void Update() override {
    if (Player().GetState() == m_State) Player().PopState();
  }
  void Draw() override {}
  void PostUpdate() override {}

 private:
  int m_State;
};

class TestPlayer : public nsTamskLib::nsCore::NovelPlayer {
 public:
  TestPlayer()
      : TestPlayer(new RecordingTextStream, new KeyedInputManager, new RecordingSoundManager,
                   new RecordingDrawManager) {}

  // Replaces the scenes of the backlog, save, load, config and menu states with
  // scenes that leave at once.
  void UseLeavingScenes() {
    for (int state = nsTamskLib::nsCore::kStateBackLog; state < nsTamskLib::nsCore::kSceneStates;
         ++state) {
      SetScene(state, new LeavingScene(state));
    }
  }

  nsTamskLib::WindowHandle GetWindowHandle() const override { return nullptr; }
  void OnSuspend() override { ++suspendCalls; }
  void Quit() override { ++quitCalls; }

  RecordingTextStream& log;
  KeyedInputManager& input;
  RecordingSoundManager& sound;
  RecordingDrawManager& draw;
  int suspendCalls = 0;
  int quitCalls = 0;

 private:
  TestPlayer(RecordingTextStream* logStream, KeyedInputManager* keys,
             RecordingSoundManager* sounds, RecordingDrawManager* drawing)
      : NovelPlayer(logStream, keys, sounds, drawing, true),
        log(*logStream),
        input(*keys),
        sound(*sounds),
        draw(*drawing) {}
};

}  // namespace vesk_test
