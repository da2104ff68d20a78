#include "engine/taskmanager/task_manager.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "engine/api/draw_manager.h"
#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/taskmanager/task_rules.h"

namespace nsTamskLib::nsTaskManager {
namespace {

// Highest character priority; each of 0 to 5 is one order of the three characters.
constexpr std::uint32_t kMaxChPriority = 5;

bool NameIs(const DrawTask& task, const char* name) {
  return std::strcmp(task.Name.c_str(), name) == 0;
}

}  // namespace

TaskManager::TaskManager()
    : m_Engine(nullptr),
      m_MaxZ(0),
      m_MinZ(0),
      m_BGZ(0),
      m_CharaBackZ(0),
      m_CharaMiddleZ(0),
      m_CharaFrontZ(0),
      m_CharaMargin(0),
      m_ChPriority{1, 1},
      m_Page(0),
      m_BRCS(true),
      m_BVCS(false) {
  Reset();
}

TaskManager::~TaskManager() = default;

void TaskManager::Reset() {
  SetMaxZ(32000);
  SetMinZ(-32000);
  SetBGZ(0);
  SetCharaBackZ(100);
  SetCharaMiddleZ(200);
  SetCharaFrontZ(300);
  ClearTaskList();
  for (int p = 0; p < 2; ++p) {
    m_BG[p].Clear();
    m_LCh[p].Clear();
    m_CCh[p].Clear();
    m_RCh[p].Clear();
  }
  m_Sprites.clear();
  m_Buttons.clear();
  SetCharaMargin(30);
  m_ChPriority[0] = 1;
  m_ChPriority[1] = 1;
  m_Page = 0;
  m_UpdateData.Clear();
  m_EffectData.Clear();
  m_BRCSEnabled.clear();
  m_BRCS = true;
  m_BVCSVisible[0].clear();
  m_BVCSVisible[1].clear();
  m_BVCS = false;
  ClearWork();
}

WindowHandle TaskManager::Owner() const {
  return m_Engine != nullptr ? m_Engine->GetWindowHandle() : nullptr;
}

void TaskManager::RegisterImage(const char* name) {
  // Only the draw manager's bookkeeping; whether the image loads shows when drawn.
  (void)m_Engine->GetDrawManager()->RegisterImage(name);
}

void TaskManager::CheckSourceRect(const char* owner, const TRect& src, const char* picture) const {
  if (!IsBadSrcRect(src)) return;
  if (picture != nullptr) {
    RuntimeError(Owner(), "転送元矩形の指定が間違っています！\n（%s.SrcRect[%s] = {%d, %d, %d, %d}）", owner,
                 picture, src.left, src.top, src.right, src.bottom);
  }
  RuntimeError(Owner(), "転送元矩形の指定が間違っています！\n（%s.SrcRect = {%d, %d, %d, %d}）", owner,
               src.left, src.top, src.right, src.bottom);
}

void TaskManager::SetLayer(DrawTask* layer, const char* layerName, const DrawTask& task) {
  CheckSourceRect(layerName, task.SrcRect);
  layer[BackPage()] = task;
  RegisterImage(task.Name.c_str());
}

void TaskManager::SetBG(const DrawTask& task) { SetLayer(m_BG, "m_BG", task); }
void TaskManager::SetLCh(const DrawTask& task) { SetLayer(m_LCh, "m_LCh", task); }
void TaskManager::SetCCh(const DrawTask& task) { SetLayer(m_CCh, "m_CCh", task); }
void TaskManager::SetRCh(const DrawTask& task) { SetLayer(m_RCh, "m_RCh", task); }

void TaskManager::SetChPriority(std::uint32_t priority) {
  if (priority > kMaxChPriority) {
    RuntimeError(Owner(), "優先順位の指定が間違っています！（ChPriority = %d）",
                 static_cast<int>(priority));
  }
  m_ChPriority[BackPage()] = priority;
}

bool TaskManager::IsSoundInUse(const char* name) {
  if (name == nullptr) return false;
  for (const auto& [key, button] : m_Buttons) {
    if (button.PushSound == name || button.CursorSound == name) return true;
  }
  return false;
}

bool TaskManager::IsImageInUse(const char* name) {
  if (name == nullptr) return false;
  for (const DrawTask& task : m_TaskList) {
    if (NameIs(task, name)) return true;
  }
  for (int p = 0; p < 2; ++p) {
    if (NameIs(m_BG[p], name) || NameIs(m_LCh[p], name) || NameIs(m_CCh[p], name) ||
        NameIs(m_RCh[p], name)) {
      return true;
    }
  }
  for (const auto& [key, sprite] : m_Sprites) {
    if (NameIs(sprite.Task[0], name) || NameIs(sprite.Task[1], name)) return true;
  }
  for (const auto& [key, button] : m_Buttons) {
    if (NameIs(button.Task[0], name) || NameIs(button.Task[1], name)) return true;
  }
  return false;
}

void TaskManager::SortTaskList() {
  // Sort positions, then copy each task once into its place: a task holds eleven
  // strings and a text section, which are expensive to move about by copying.
  std::vector<std::uint32_t> order(m_TaskList.size());
  std::iota(order.begin(), order.end(), 0U);
  std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
    return DrawTaskLess(m_TaskList[a], m_TaskList[b]);
  });
  std::vector<DrawTask> sorted;
  sorted.reserve(m_TaskList.size());
  for (const std::uint32_t i : order) sorted.push_back(m_TaskList[i]);
  m_TaskList.swap(sorted);
}

void TaskManager::UpdateCharaPositions() {
  nsDrawManager::IDrawManager* draw = m_Engine->GetDrawManager();
  const std::int64_t screenW = draw->GetScreenWidth();
  const std::int64_t screenH = draw->GetScreenHeight();
  const auto width = [](const DrawTask& t) {
    return Wrap32(static_cast<std::int64_t>(t.SrcRect.right) - t.SrcRect.left);
  };
  const auto height = [](const DrawTask& t) {
    return Wrap32(static_cast<std::int64_t>(t.SrcRect.bottom) - t.SrcRect.top);
  };
  const std::uint32_t priority = m_ChPriority[m_Page];
  for (int p = 0; p < 2; ++p) {
    DrawTask& left = m_LCh[p];
    DrawTask& centre = m_CCh[p];
    DrawTask& right = m_RCh[p];
    left.X = m_CharaMargin;
    left.Y = Wrap32(screenH - height(left));
    // Halved with a signed shift: an image wider than the screen is centred at a
    // negative position.
    centre.X = Wrap32((screenW - width(centre)) >> 1);
    centre.Y = Wrap32(screenH - height(centre));
    right.X = Wrap32(screenW - width(right) - m_CharaMargin);
    right.Y = Wrap32(screenH - height(right));
    m_BG[p].Z = m_BGZ;

    // Back, middle and front layer for each priority.
    DrawTask* order[3] = {nullptr, nullptr, nullptr};
    switch (priority) {
      case 0: order[0] = &left; order[1] = &centre; order[2] = &right; break;
      case 1: order[0] = &left; order[1] = &right; order[2] = &centre; break;
      case 2: order[0] = &centre; order[1] = &left; order[2] = &right; break;
      case 3: order[0] = &centre; order[1] = &right; order[2] = &left; break;
      case 4: order[0] = &right; order[1] = &centre; order[2] = &left; break;
      case 5: order[0] = &right; order[1] = &left; order[2] = &centre; break;
      default: continue;
    }
    order[0]->Z = m_CharaBackZ;
    order[1]->Z = m_CharaMiddleZ;
    order[2]->Z = m_CharaFrontZ;
  }
}

void TaskManager::CopyPageToBack() {
  const std::uint32_t current = m_Page;
  const std::uint32_t back = BackPage();
  m_BG[back] = m_BG[current];
  m_LCh[back] = m_LCh[current];
  m_CCh[back] = m_CCh[current];
  m_RCh[back] = m_RCh[current];
  for (auto& [key, sprite] : m_Sprites) sprite.Task[back] = sprite.Task[current];
  for (auto& [key, button] : m_Buttons) {
    for (int state = 0; state < 4; ++state) {
      button.SrcRect[back][state] = button.SrcRect[current][state];
    }
    button.Task[back] = button.Task[current];
  }
  m_ChPriority[back] = m_ChPriority[current];
}

void TaskManager::ClearWork() {
  m_UpdateWork.Clear();
  m_EffectWork.Clear();
}

}  // namespace nsTamskLib::nsTaskManager
