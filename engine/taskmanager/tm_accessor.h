#pragma once
// TMAccessor: the plug-in's view of the task manager. One instance exists for the
// process (GetTMAccessor); SetTMAccessor binds it to an engine, and every operation
// works on that engine's task manager, fetched anew at each call.

#include <cstdint>

#include "engine/api/fwd.h"
#include "engine/api/task_manager.h"

namespace nsTamskLib::nsTaskManager {

class TaskManager;

class TMAccessor final : public ITMAccessor {
 public:
  constexpr TMAccessor() = default;
  TMAccessor(const TMAccessor&) = delete;
  TMAccessor& operator=(const TMAccessor&) = delete;
  ~TMAccessor() override = default;

  void Bind(nsCore::INovelEngine* engine) { m_Engine = engine; }
  nsCore::INovelEngine* GetEngine() const { return m_Engine; }

  void ClearTaskList() override;
  void SortTaskList() override;
  void CopyPageToBack() override;
  void PushTaskList(const DrawTask& PushTask) override;
  void PushTaskListDirect(const DrawTask& task) override;
  void GetTaskPointers(std::uint32_t* count, DrawTask** out) override;
  DrawTask* GetBGLayer() override;
  DrawTask* GetLChLayer() override;
  DrawTask* GetCChLayer() override;
  DrawTask* GetRChLayer() override;
  void GetSpriteList(std::uint32_t* count, Sprite** out) override;
  Sprite* GetSprite(const char* SpriteName) override;
  void GetButtonList(std::uint32_t* count, Button** out) override;
  Button* GetButton(const char* ButtonName) override;
  void UpdateCharaPositions() override;
  void FlipPage() override;
  std::uint32_t GetPage() override;
  EffectParam* GetEffectData() override;
  UpdateParam* GetUpdateData() override;
  void ClearWork() override;
  std::int32_t* GetUpdateWorkA(std::uint32_t i) override;
  std::uint8_t* GetUpdateWorkFlag(std::uint32_t i) override;
  mystr* GetUpdateWorkStr(std::uint32_t i) override;
  std::int32_t* GetUpdateWorkB(std::uint32_t i) override;
  double* GetUpdateWorkReal(std::uint32_t i) override;
  std::int32_t* GetUpdateWorkC(std::uint32_t i) override;
  std::int32_t* GetEffectWorkA(std::uint32_t i) override;
  std::uint8_t* GetEffectWorkFlag(std::uint32_t i) override;
  mystr* GetEffectWorkStr(std::uint32_t i) override;
  std::int32_t* GetEffectWorkB(std::uint32_t i) override;
  double* GetEffectWorkReal(std::uint32_t i) override;
  std::int32_t* GetEffectWorkC(std::uint32_t i) override;

 private:
  TaskManager& Manager() const;

  nsCore::INovelEngine* m_Engine = nullptr;
};

}  // namespace nsTamskLib::nsTaskManager
