#pragma once
// StoryScreenEngine: the kit's fake engine wired for the story screen. It owns a real
// task manager and a scripted mouse, its draw manager reports an 800x600 screen and
// records the images registered with it, and its sound manager records the effect
// sounds played. Header-only, so any engine test can use it.

#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "engine/taskmanager/task_manager.h"
#include "tests/engine/fakes/scripted_input_manager.h"
#include "tests/engine/kit/fake_engine.h"

namespace vesk_test {

class StoryScreenEngine : public FakeEngine {
 public:
  static constexpr int kScreenWidth = 800;
  static constexpr int kScreenHeight = 600;

  StoryScreenEngine() {
    using testing::Return;
    taskManager = &tasks;
    inputManager = &mouse;
    tasks.SetEngine(this);
    ON_CALL(ownDrawManager, GetScreenWidth()).WillByDefault(Return(kScreenWidth));
    ON_CALL(ownDrawManager, GetScreenHeight()).WillByDefault(Return(kScreenHeight));
    ON_CALL(ownDrawManager, RegisterImage(testing::_)).WillByDefault([this](const char* name) {
      registeredImages.emplace_back(name);
      return true;
    });
    ON_CALL(ownSoundManager, PlaySE(testing::_)).WillByDefault([this](const char* name) {
      playedSounds.emplace_back(name);
      return true;
    });
  }

  nsTamskLib::nsTaskManager::TaskManager tasks;
  ScriptedInputManager mouse;
  std::vector<std::string> registeredImages;
  std::vector<std::string> playedSounds;
};

}  // namespace vesk_test
