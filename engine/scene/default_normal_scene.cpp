#include "engine/scene/default_normal_scene.h"

#include <cstddef>

#include "engine/api/input_manager.h"
#include "engine/api/novel_engine.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/heap/command_heap.h"
#include "engine/plugin/plugin_registry.h"
#include "engine/scene/scene_player.h"
#include "engine/soundmanager/base_sound_manager.h"
#include "engine/taskmanager/task_manager.h"
#include "engine/textmanager/text_manager.h"

namespace nsTamskLib::nsScene {

void DefaultNormalScene::Initialize() {
  if (m_Visible) return;
  m_Visible = true;
  // A new game has already reset the task manager, which frees the lock.
  nsTaskManager::TaskManager& tasks = Player().Tasks();
  if (tasks.IsExclusiveBVCS()) tasks.LeaveExclusiveBVCS();
}

void DefaultNormalScene::PreUpdate() {
  IScenePlayer& player = Player();
  if (!m_Visible || player.IsInputEnabled()) return;
  nsSimulatedHeap::CommandHeap& commands = player.Commands();
  const auto& list = commands.GetCommandList();
  if (commands.GetIterators().empty()) return;
  // A script that has run off its end (or an empty list) has no current command:
  // input stays off and the command heap reports the position when it executes.
  const std::int32_t current = commands.GetIterator();
  if (current < 0 || static_cast<std::size_t>(current) >= list.size()) return;
  if (nsPlugin::IsSystemCommandEnabled(list[static_cast<std::size_t>(current)]->GetID())) {
    player.EnableInput();
  }
}

bool DefaultNormalScene::CallSystem() {
  IScenePlayer& player = Player();
  nsInputManager::IInputManager& input = *player.GetInputManager();
  if (input.IsBackLogCall() && !player.Texts().IsBackLogEmpty()) {
    player.PushState(nsCore::kStateBackLog);
    return true;
  }
  if (!player.IsMenuEnabled()) return false;
  if (input.IsMenuCall()) {
    player.PushState(nsCore::kStateMenu);
    return true;
  }
  if (input.IsSaveCall()) {
    player.PushState(nsCore::kStateSave);
    return true;
  }
  if (input.IsLoadCall()) {
    player.PushState(nsCore::kStateLoad);
    return true;
  }
  if (input.IsConfigCall()) {
    player.PushState(nsCore::kStateConfig);
    return true;
  }
  const bool suspend = input.IsSuspendCall();
  if (suspend || input.IsQuitCall()) {
    nsSoundManager::ISoundManager& sound = *player.GetSoundManager();
    sound.StopBGM();
    sound.StopAllSE();
    sound.StopAllVoice();
    player.PushState(suspend ? nsCore::kStateSuspended : nsCore::kStateQuit);
    return true;
  }
  return false;
}

void DefaultNormalScene::PollInput() {
  nsInputManager::IInputManager& input = *Player().GetInputManager();
  input.Update();
  input.UpdateClickLock();
}

bool DefaultNormalScene::AnswerInput() {
  IScenePlayer& player = Player();
  nsInputManager::IInputManager& input = *player.GetInputManager();
  if (!m_Visible) {
    if (input.IsTextWindowToggle()) {
      m_Visible = true;
      player.Tasks().LeaveExclusiveBVCS();
    }
    return false;
  }
  if (!player.IsInputEnabled()) return true;
  nsDrawManager::IDrawManager& draw = *player.GetDrawManager();
  if (input.IsTextWindowToggle() && draw.IsTextWindowVisible() && !draw.IsTextWindowForced()) {
    m_Visible = false;
    player.Tasks().EnterExclusiveBVCS();
    return false;
  }
  if (!CallSystem()) {
    nsTextManager::ITextManager& texts = *player.GetTextManager();
    if (input.IsSkipOn()) texts.SetSkip(true);
    if (input.IsSkipOff()) texts.SetSkip(false);
    if (input.IsAutoOn()) texts.SetAuto(true);
    if (input.IsAutoOff()) texts.SetAuto(false);
  }
  return true;
}

void DefaultNormalScene::ExecuteCommand() {
  IScenePlayer& player = Player();
  player.Tasks().UpdateButtons();
  player.Commands().Execute();
}

void DefaultNormalScene::Update() {
  PollInput();
  if (AnswerInput()) ExecuteCommand();
}

bool DefaultNormalScene::DrawFrame() {
  IScenePlayer& player = Player();
  if (player.GetState() != nsCore::kStateNormal) return false;
  nsDrawManager::BaseDrawManager& draw = player.Draw();
  nsTaskManager::TaskManager& tasks = player.Tasks();
  draw.ClearScreen();
  tasks.Update();
  draw.DrawUnderTasks();
  tasks.EffectBeforeDraw();
  draw.DrawTasks();
  tasks.EffectAfterDraw();
  if (m_Visible) {
    if (draw.IsTextWindowVisible() || draw.IsTextWindowForced()) {
      draw.DrawTextWindow();
      DrawControls();
      draw.DrawTalkerText();
      draw.DrawMessageText();
      draw.DrawTextCursor();
    }
    draw.DrawSelectWindow();
  }
  tasks.EffectAfterTextWindow();
  return true;
}

void DefaultNormalScene::Draw() {
  if (DrawFrame()) Player().Draw().Present();
}

void DefaultNormalScene::PostUpdate() {
  IScenePlayer& player = Player();
  if (player.IsInputEnabled()) player.DisableInput();
}

}  // namespace nsTamskLib::nsScene
