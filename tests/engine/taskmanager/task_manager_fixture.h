#pragma once
// What the task manager's tests share: a story-screen engine with a real task
// manager, the fatal trap, empty plug-in registries, and builders of draw tasks.

#include <string>

#include <gtest/gtest.h>

#include "engine/api/draw_records.h"
#include "engine/plugin/plugin_registry.h"
#include "engine/taskmanager/task_manager.h"
#include "tests/engine/fakes/story_screen_engine.h"
#include "tests/engine/kit/fatal_trap.h"

namespace vesk_test {

using nsTamskLib::TRect;
using nsTamskLib::nsTaskManager::Button;
using nsTamskLib::nsTaskManager::DrawTask;
using nsTamskLib::nsTaskManager::Sprite;
using nsTamskLib::nsTaskManager::TaskManager;

// A visible image task showing the top-left width x height of image.
inline DrawTask ImageTask(const char* image, int width, int height) {
  DrawTask task;
  task.Type = nsTamskLib::nsTaskManager::kDrawImage;
  task.Visible = true;
  task.Name = image;
  task.SrcRect = TRect{0, 0, width, height};
  return task;
}

class TaskManagerTest : public testing::Test {
 protected:
  TaskManagerTest() { nsTamskLib::nsPlugin::ClearRegistries(); }
  ~TaskManagerTest() override { nsTamskLib::nsPlugin::ClearRegistries(); }

  // The player accepts input: buttons may be added and enabled.
  void AcceptInput() { tm.LeaveExclusiveBRCS(); }

  FatalTrap trap;
  StoryScreenEngine engine;
  TaskManager& tm = engine.tasks;
};

}  // namespace vesk_test
