#include "engine/taskmanager/tm_accessor.h"

#include <vector>

#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/api/types.h"
#include "engine/plugin/plugin_registry.h"
#include "engine/taskmanager/task_manager.h"
#include "engine/taskmanager/work_group.h"

namespace nsTamskLib::nsTaskManager {
namespace {

constinit TMAccessor g_Accessor;

// The element of a work array; an index past the array is the caller's error and is
// reported with the operation's signature.
template <typename T>
T* WorkElement(T (&array)[kWorkElements], std::uint32_t i, const char* signature) {
  if (i >= kWorkElements) RuntimeError(nullptr, "%s", signature);
  return &array[i];
}

// Queued tasks of the kinds the engine draws itself need something to show.
bool IsWorthDrawing(const DrawTask& task) {
  if (task.A == 0 || !task.Visible) return false;
  switch (task.Type) {
    case kDrawFilledRect:
      return task.Rect.top <= task.Rect.bottom && task.Rect.left <= task.Rect.right;
    case kDrawText:
      return task.Text.size() >= 1;
    case kDrawImage:
      return task.Name != "";
    default:
      return false;
  }
}

// Up to kMaxPointerList addresses of the map's records, in name order.
template <typename Map, typename Record>
void ListRecords(Map& map, std::uint32_t* count, Record** out) {
  std::uint32_t written = 0;
  for (auto& entry : map) {
    if (written == kMaxPointerList) break;
    out[written++] = &entry.second;
  }
  *count = written;
}

}  // namespace

TaskManager& TMAccessor::Manager() const {
  if (m_Engine == nullptr) RuntimeError(nullptr, "SetTMAccessor(INovelEngine* engine)");
  return *static_cast<TaskManager*>(m_Engine->GetTaskManager());
}

void TMAccessor::ClearTaskList() { Manager().ClearTaskList(); }

void TMAccessor::SortTaskList() { Manager().SortTaskList(); }

void TMAccessor::CopyPageToBack() { Manager().CopyPageToBack(); }

void TMAccessor::PushTaskList(const DrawTask& PushTask) {
  if (PushTask.Type >= kDrawFirstPluginType) {
    // A plug-in kind decides itself what to queue.
    const DrawTaskFunc add = nsPlugin::FindAddDrawTaskFunc(PushTask.Type);
    if (add == nullptr) RuntimeError(nullptr, "TMAccessor::PushTaskList(const DrawTask& PushTask)");
    (void)add(m_Engine, &PushTask);
    return;
  }
  if (IsWorthDrawing(PushTask)) Manager().AppendTask(PushTask);
}

void TMAccessor::PushTaskListDirect(const DrawTask& task) { Manager().AppendTask(task); }

void TMAccessor::GetTaskPointers(std::uint32_t* count, DrawTask** out) {
  std::vector<DrawTask>& list = Manager().TaskList();
  std::uint32_t written = 0;
  for (DrawTask& task : list) {
    if (written == kMaxPointerList) break;
    out[written++] = &task;
  }
  *count = written;
}

DrawTask* TMAccessor::GetBGLayer() { return Manager().BGLayer(); }
DrawTask* TMAccessor::GetLChLayer() { return Manager().LChLayer(); }
DrawTask* TMAccessor::GetCChLayer() { return Manager().CChLayer(); }
DrawTask* TMAccessor::GetRChLayer() { return Manager().RChLayer(); }

void TMAccessor::GetSpriteList(std::uint32_t* count, Sprite** out) {
  ListRecords(Manager().Sprites(), count, out);
}

Sprite* TMAccessor::GetSprite(const char* SpriteName) {
  TaskManager::SpriteMap& sprites = Manager().Sprites();
  const auto it = sprites.find(SpriteName != nullptr ? SpriteName : "");
  if (it == sprites.end()) RuntimeError(nullptr, "TMAccessor::GetSprite(const char* SpriteName)");
  return &it->second;
}

void TMAccessor::GetButtonList(std::uint32_t* count, Button** out) {
  ListRecords(Manager().Buttons(), count, out);
}

Button* TMAccessor::GetButton(const char* ButtonName) {
  TaskManager::ButtonMap& buttons = Manager().Buttons();
  const auto it = buttons.find(ButtonName != nullptr ? ButtonName : "");
  if (it == buttons.end()) RuntimeError(nullptr, "TMAccessor::GetButton(const char* ButtonName)");
  return &it->second;
}

void TMAccessor::UpdateCharaPositions() { Manager().UpdateCharaPositions(); }
void TMAccessor::FlipPage() { Manager().FlipPage(); }
std::uint32_t TMAccessor::GetPage() { return Manager().GetPage(); }
EffectParam* TMAccessor::GetEffectData() { return &Manager().EffectData(); }
UpdateParam* TMAccessor::GetUpdateData() { return &Manager().UpdateData(); }
void TMAccessor::ClearWork() { Manager().ClearWork(); }

std::int32_t* TMAccessor::GetUpdateWorkA(std::uint32_t i) {
  return WorkElement(Manager().UpdateWork().A, i, "TMAccessor::GetUpdateWorkA(unsigned int i)");
}
std::uint8_t* TMAccessor::GetUpdateWorkFlag(std::uint32_t i) {
  return WorkElement(Manager().UpdateWork().Flag, i,
                     "TMAccessor::GetUpdateWorkFlag(unsigned int i)");
}
mystr* TMAccessor::GetUpdateWorkStr(std::uint32_t i) {
  return WorkElement(Manager().UpdateWork().Str, i, "TMAccessor::GetUpdateWorkStr(unsigned int i)");
}
std::int32_t* TMAccessor::GetUpdateWorkB(std::uint32_t i) {
  return WorkElement(Manager().UpdateWork().B, i, "TMAccessor::GetUpdateWorkB(unsigned int i)");
}
double* TMAccessor::GetUpdateWorkReal(std::uint32_t i) {
  return WorkElement(Manager().UpdateWork().Real, i,
                     "TMAccessor::GetUpdateWorkReal(unsigned int i)");
}
std::int32_t* TMAccessor::GetUpdateWorkC(std::uint32_t i) {
  return WorkElement(Manager().UpdateWork().C, i, "TMAccessor::GetUpdateWorkC(unsigned int i)");
}
std::int32_t* TMAccessor::GetEffectWorkA(std::uint32_t i) {
  return WorkElement(Manager().EffectWork().A, i, "TMAccessor::GetEffectWorkA(unsigned int i)");
}
std::uint8_t* TMAccessor::GetEffectWorkFlag(std::uint32_t i) {
  return WorkElement(Manager().EffectWork().Flag, i,
                     "TMAccessor::GetEffectWorkFlag(unsigned int i)");
}
mystr* TMAccessor::GetEffectWorkStr(std::uint32_t i) {
  return WorkElement(Manager().EffectWork().Str, i, "TMAccessor::GetEffectWorkStr(unsigned int i)");
}
std::int32_t* TMAccessor::GetEffectWorkB(std::uint32_t i) {
  return WorkElement(Manager().EffectWork().B, i, "TMAccessor::GetEffectWorkB(unsigned int i)");
}
double* TMAccessor::GetEffectWorkReal(std::uint32_t i) {
  return WorkElement(Manager().EffectWork().Real, i,
                     "TMAccessor::GetEffectWorkReal(unsigned int i)");
}
std::int32_t* TMAccessor::GetEffectWorkC(std::uint32_t i) {
  return WorkElement(Manager().EffectWork().C, i, "TMAccessor::GetEffectWorkC(unsigned int i)");
}

}  // namespace nsTamskLib::nsTaskManager

extern "C" {

nsTamskLib::nsTaskManager::ITMAccessor* GetTMAccessor(void) {
  return &nsTamskLib::nsTaskManager::g_Accessor;
}

void SetTMAccessor(nsTamskLib::nsCore::INovelEngine* engine) {
  nsTamskLib::nsTaskManager::g_Accessor.Bind(engine);
}

}  // extern "C"
