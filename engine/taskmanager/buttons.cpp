// The task manager's named buttons: their setters, the per-frame mouse handling that
// plays their sounds and calls their labels, and the two locks over all buttons.

#include <string>

#include "engine/api/heaps.h"
#include "engine/api/input_manager.h"
#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/api/sound_manager.h"
#include "engine/taskmanager/task_manager.h"
#include "engine/taskmanager/task_rules.h"

namespace nsTamskLib::nsTaskManager {

Button& TaskManager::FindButton(const char* name) {
  const auto it = m_Buttons.find(NameOrEmpty(name));
  if (it == m_Buttons.end()) RuntimeError(Owner(), "%sは存在しないボタンです！", NameOrEmpty(name));
  return it->second;
}

void TaskManager::RefuseWhileBRCS() const {
  if (m_BRCS) RuntimeError(Owner(), "排他制御中です！（BRCS）");
}

void TaskManager::RefuseWhileBVCS() const {
  if (m_BVCS) RuntimeError(Owner(), "排他制御中です！（BVCS）");
}

void TaskManager::AddButton(const char* name) {
  RefuseWhileBRCS();
  RefuseWhileBVCS();
  const char* key = NameOrEmpty(name);
  if (m_Buttons.count(key) != 0) RuntimeError(Owner(), "%sは既に存在するボタンです！", key);
  m_Buttons.emplace(key, Button());
}

bool TaskManager::ExistsButton(const char* name) {
  return m_Buttons.count(NameOrEmpty(name)) != 0;
}

void TaskManager::SetAllButtonsVisible(bool visible) {
  RefuseWhileBVCS();
  const std::uint32_t back = BackPage();
  for (auto& [key, button] : m_Buttons) button.Task[back].Visible = visible;
}

void TaskManager::SetButtonVisible(const char* name, bool visible) {
  RefuseWhileBVCS();
  FindButton(name).Task[BackPage()].Visible = visible;
}

void TaskManager::SetAllButtonsEnabled(bool enabled) {
  RefuseWhileBRCS();
  for (auto& [key, button] : m_Buttons) button.Enabled = enabled;
}

void TaskManager::SetButtonEnabled(const char* name, bool enabled) {
  RefuseWhileBRCS();
  FindButton(name).Enabled = enabled;
}

void TaskManager::SetButton(const char* name, const DrawTask& task) {
  CheckSourceRect(NameOrEmpty(name), task.SrcRect);
  FindButton(name).Task[BackPage()] = task;
}

void TaskManager::SetButtonPosition(const char* name, std::int32_t X, std::int32_t Y,
                                    std::int32_t Z, std::uint8_t A) {
  PlaceTask(FindButton(name).Task[BackPage()], X, Y, Z, A);
}

void TaskManager::MoveButton(const char* name, std::int32_t dX, std::int32_t dY, std::int32_t dZ,
                             std::int32_t dA) {
  MoveTask(FindButton(name).Task[BackPage()], dX, dY, dZ, dA);
}

void TaskManager::SetButtonImage(
    const char* name, const char* image, std::int32_t BltType, std::int32_t normalLeft,
    std::int32_t normalTop, std::int32_t normalRight, std::int32_t normalBottom,
    std::int32_t onCursorLeft, std::int32_t onCursorTop, std::int32_t onCursorRight,
    std::int32_t onCursorBottom, std::int32_t onHoldLeft, std::int32_t onHoldTop,
    std::int32_t onHoldRight, std::int32_t onHoldBottom, std::int32_t disableLeft,
    std::int32_t disableTop, std::int32_t disableRight, std::int32_t disableBottom) {
  Button& button = FindButton(name);
  const TRect pictures[4] = {
      {normalLeft, normalTop, normalRight, normalBottom},
      {onCursorLeft, onCursorTop, onCursorRight, onCursorBottom},
      {onHoldLeft, onHoldTop, onHoldRight, onHoldBottom},
      {disableLeft, disableTop, disableRight, disableBottom},
  };
  static const char* const kPictureNames[4] = {"Normal", "OnCursor", "OnHold", "Disable"};
  // Every picture is checked before anything changes.
  for (int state = 0; state < 4; ++state) {
    CheckSourceRect(NameOrEmpty(name), pictures[state], kPictureNames[state]);
  }
  const std::uint32_t back = BackPage();
  DrawTask& task = button.Task[back];
  task.Name = NameOrEmpty(image);
  task.Type = kDrawImage;
  task.BltType = BltType;
  const TRect& normal = pictures[kButtonNormal];
  // The click rectangle becomes the size of the normal picture.
  button.ClickRect = TRect{0, 0, normal.right - normal.left, normal.bottom - normal.top};
  task.SrcRect = normal;
  for (int state = 0; state < 4; ++state) button.SrcRect[back][state] = pictures[state];
  RegisterImage(NameOrEmpty(image));
}

void TaskManager::SetButtonClickRect(const char* name, std::int32_t left, std::int32_t top,
                                     std::int32_t right, std::int32_t bottom) {
  Button& button = FindButton(name);
  if (bottom < top || right < left) {
    RuntimeError(Owner(), "判定矩形の指定が間違っています！\n（%s.ClickRect = {%d, %d, %d, %d}）",
                 NameOrEmpty(name), left, top, right, bottom);
  }
  button.ClickRect = TRect{left, top, right, bottom};
}

void TaskManager::SetButtonLabel(const char* name, const char* label) {
  Button& button = FindButton(name);
  if (!m_Engine->GetLabelHeap()->Exists(NameOrEmpty(label))) {
    RuntimeError(Owner(), "%sは存在しないラベルです！", NameOrEmpty(label));
  }
  button.Label = NameOrEmpty(label);
}

void TaskManager::SetButtonSounds(const char* name, const char* cursorSound,
                                  const char* pushSound) {
  Button& button = FindButton(name);
  button.CursorSound = NameOrEmpty(cursorSound);
  button.PushSound = NameOrEmpty(pushSound);
}

void TaskManager::PlaySound(const char* name) {
  // A sound that cannot play leaves the button working.
  (void)m_Engine->GetSoundManager()->PlaySE(name);
}

void TaskManager::UpdateButtons() {
  nsInputManager::IInputManager& input = *m_Engine->GetInputManager();
  int mouseX = 0;
  int mouseY = 0;
  input.GetMousePos(mouseX, mouseY);
  for (auto& [name, button] : m_Buttons) UpdateButton(name, button, mouseX, mouseY, input);
}

void TaskManager::UpdateButton(const std::string& name, Button& button, int mouseX, int mouseY,
                               nsInputManager::IInputManager& input) {
  const std::uint32_t current = m_Page;
  const std::uint32_t back = BackPage();
  const auto showPicture = [&](int state) {
    button.Task[current].SrcRect = button.SrcRect[current][state];
    button.Task[back].SrcRect = button.SrcRect[back][state];
  };

  if (!button.Enabled) {
    // While input is locked a button that was enabled before keeps its normal look.
    bool enabledUnderLock = false;
    if (m_BRCS) {
      const auto saved = m_BRCSEnabled.find(name);
      enabledUnderLock = saved != m_BRCSEnabled.end() && saved->second;
    }
    showPicture(enabledUnderLock ? kButtonNormal : kButtonDisable);
    return;
  }

  const DrawTask& shown = button.Task[current];
  const TRect& hit = button.ClickRect;
  const std::int64_t x = mouseX;
  const std::int64_t y = mouseY;
  const bool inside = static_cast<std::int64_t>(shown.X) + hit.left <= x &&
                      x <= static_cast<std::int64_t>(shown.X) + hit.right &&
                      static_cast<std::int64_t>(shown.Y) + hit.top <= y &&
                      y <= static_cast<std::int64_t>(shown.Y) + hit.bottom;

  if (!button.CursorOver) {
    if (inside) {
      PlaySound(button.CursorSound.c_str());
      button.CursorOver = true;
    }
  } else {
    button.CursorOver = inside;
  }

  if (!button.Held) {
    if (button.CursorOver && input.IsButtonPushed()) {
      PlaySound(button.PushSound.c_str());
      input.SetClickLock(1);
      button.Held = true;
    }
  } else {
    button.Held = button.CursorOver && input.IsButtonDown();
    if (!button.Held && button.CursorOver && input.IsButtonReleased()) {
      // The click: the script continues at the label, the interrupted position
      // stays beneath it for the return.
      const std::int32_t index = m_Engine->GetLabelHeap()->Get(button.Label.c_str());
      m_Engine->GetCommandHeap()->PushIterator(index);
    }
    if (button.Held) input.SetClickLock(1);
  }

  int state = kButtonNormal;
  if (button.CursorOver) state = input.IsButtonDown() ? kButtonOnHold : kButtonOnCursor;
  showPicture(state);
}

void TaskManager::EnterExclusiveBRCS() {
  if (m_BRCS) RuntimeError(Owner(), "既に排他制御中です！（BRCS）");
  m_BRCS = true;
  for (auto& [name, button] : m_Buttons) {
    m_BRCSEnabled[name] = button.Enabled;
    button.Enabled = false;
  }
}

void TaskManager::LeaveExclusiveBRCS() {
  if (!m_BRCS) RuntimeError(Owner(), "既に排他制御外です！（BRCS）");
  m_BRCS = false;
  for (auto& [name, button] : m_Buttons) {
    // A button that has no flag saved by the lock keeps its own.
    const auto saved = m_BRCSEnabled.find(name);
    if (saved != m_BRCSEnabled.end()) button.Enabled = saved->second;
  }
  m_BRCSEnabled.clear();
}

void TaskManager::EnterExclusiveBVCS() {
  if (m_BVCS) RuntimeError(Owner(), "既に排他制御中です！（BVCS）");
  m_BVCS = true;
  for (auto& [name, button] : m_Buttons) {
    for (int p = 0; p < 2; ++p) {
      m_BVCSVisible[p][name] = button.Task[p].Visible;
      button.Task[p].Visible = false;
    }
  }
}

void TaskManager::LeaveExclusiveBVCS() {
  if (!m_BVCS) RuntimeError(Owner(), "既に排他制御外です！（BVCS）");
  m_BVCS = false;
  for (auto& [name, button] : m_Buttons) {
    for (int p = 0; p < 2; ++p) {
      const auto saved = m_BVCSVisible[p].find(name);
      if (saved != m_BVCSVisible[p].end()) button.Task[p].Visible = saved->second;
    }
  }
  m_BVCSVisible[0].clear();
  m_BVCSVisible[1].clear();
}

}  // namespace nsTamskLib::nsTaskManager
