#pragma once
// The task manager as script commands see it (ITaskManager) and the task accessor
// through which the plug-in's transitions and effects build each frame's task list
// (ITMAccessor). Both are called by their position in the interface, so the order
// of the operations is part of the plug-in interface.
//
// Every setter writes the back page; the pages flip at the end of a transition.

#include <cstdint>

#include "engine/api/fwd.h"

namespace nsTamskLib::nsTaskManager {

class ITaskManager {
 public:
  virtual void SetMaxZ(std::int32_t z) = 0;
  virtual void SetMinZ(std::int32_t z) = 0;
  virtual void SetBGZ(std::int32_t z) = 0;
  virtual void SetCharaBackZ(std::int32_t z) = 0;
  virtual void SetCharaMiddleZ(std::int32_t z) = 0;
  virtual void SetCharaFrontZ(std::int32_t z) = 0;
  virtual void SetBG(const DrawTask& task) = 0;
  virtual void SetLCh(const DrawTask& task) = 0;
  virtual void SetCCh(const DrawTask& task) = 0;
  virtual void SetRCh(const DrawTask& task) = 0;
  virtual void SetChPriority(std::uint32_t priority) = 0;
  virtual void SetCharaMargin(std::int32_t margin) = 0;

  virtual void AddSprite(const char* name) = 0;
  virtual bool ExistsSprite(const char* name) = 0;
  virtual void SetAllSpritesVisible(bool visible) = 0;
  virtual void SetSpriteVisible(const char* name, bool visible) = 0;
  virtual void SetSprite(const char* name, const DrawTask& task) = 0;
  virtual void SetSpritePosition(const char* name, std::int32_t X, std::int32_t Y, std::int32_t Z,
                                 std::uint8_t A) = 0;
  virtual void MoveSprite(const char* name, std::int32_t dX, std::int32_t dY, std::int32_t dZ,
                          std::int32_t dA) = 0;
  virtual void SetSpriteImage(const char* name, const char* image, std::int32_t BltType,
                              std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom) = 0;
  virtual void SetSpriteText(const char* name, const TextTokenSection& text) = 0;

  virtual void AddButton(const char* name) = 0;
  virtual bool ExistsButton(const char* name) = 0;
  virtual void SetAllButtonsVisible(bool visible) = 0;
  virtual void SetButtonVisible(const char* name, bool visible) = 0;
  virtual void SetAllButtonsEnabled(bool enabled) = 0;
  virtual void SetButtonEnabled(const char* name, bool enabled) = 0;
  virtual void SetButton(const char* name, const DrawTask& task) = 0;
  virtual void SetButtonPosition(const char* name, std::int32_t X, std::int32_t Y, std::int32_t Z,
                                 std::uint8_t A) = 0;
  virtual void MoveButton(const char* name, std::int32_t dX, std::int32_t dY, std::int32_t dZ,
                          std::int32_t dA) = 0;
  // The four pictures Normal, OnCursor, OnHold, Disable, each left, top, right, bottom.
  virtual void SetButtonImage(const char* name, const char* image, std::int32_t BltType,
                              std::int32_t normalLeft, std::int32_t normalTop,
                              std::int32_t normalRight, std::int32_t normalBottom,
                              std::int32_t onCursorLeft, std::int32_t onCursorTop,
                              std::int32_t onCursorRight, std::int32_t onCursorBottom,
                              std::int32_t onHoldLeft, std::int32_t onHoldTop,
                              std::int32_t onHoldRight, std::int32_t onHoldBottom,
                              std::int32_t disableLeft, std::int32_t disableTop,
                              std::int32_t disableRight, std::int32_t disableBottom) = 0;
  virtual void SetButtonClickRect(const char* name, std::int32_t left, std::int32_t top,
                                  std::int32_t right, std::int32_t bottom) = 0;
  virtual void SetButtonLabel(const char* name, const char* label) = 0;
  virtual void SetButtonSounds(const char* name, const char* cursorSound,
                               const char* pushSound) = 0;

  virtual std::uint32_t GetUpdateType() = 0;
  virtual void SetUpdateData(const UpdateParam& param) = 0;
  virtual std::uint32_t GetEffectType() = 0;
  virtual void SetEffectData(const EffectParam& param) = 0;
  virtual bool IsSoundInUse(const char* name) = 0;
  virtual bool IsImageInUse(const char* name) = 0;

 protected:
  virtual ~ITaskManager() = default;
};

class ITMAccessor {
 public:
  virtual void ClearTaskList() = 0;
  virtual void SortTaskList() = 0;
  // The back page becomes a copy of the current page.
  virtual void CopyPageToBack() = 0;
  // Appends a copy when the task's kind allows it.
  virtual void PushTaskList(const DrawTask& PushTask) = 0;
  // Appends a copy without any check.
  virtual void PushTaskListDirect(const DrawTask& task) = 0;
  // count := number of queued tasks (at most kMaxPointerList are written to out);
  // the tasks may be changed through the pointers.
  virtual void GetTaskPointers(std::uint32_t* count, DrawTask** out) = 0;
  // Each layer is two tasks, index = page.
  virtual DrawTask* GetBGLayer() = 0;
  virtual DrawTask* GetLChLayer() = 0;
  virtual DrawTask* GetCChLayer() = 0;
  virtual DrawTask* GetRChLayer() = 0;
  virtual void GetSpriteList(std::uint32_t* count, Sprite** out) = 0;
  virtual Sprite* GetSprite(const char* SpriteName) = 0;
  virtual void GetButtonList(std::uint32_t* count, Button** out) = 0;
  virtual Button* GetButton(const char* ButtonName) = 0;
  virtual void UpdateCharaPositions() = 0;
  virtual void FlipPage() = 0;
  virtual std::uint32_t GetPage() = 0;
  virtual EffectParam* GetEffectData() = 0;
  virtual UpdateParam* GetUpdateData() = 0;
  // Clears both work groups.
  virtual void ClearWork() = 0;
  virtual std::int32_t* GetUpdateWorkA(std::uint32_t i) = 0;
  virtual std::uint8_t* GetUpdateWorkFlag(std::uint32_t i) = 0;
  virtual mystr* GetUpdateWorkStr(std::uint32_t i) = 0;
  virtual std::int32_t* GetUpdateWorkB(std::uint32_t i) = 0;
  virtual double* GetUpdateWorkReal(std::uint32_t i) = 0;
  virtual std::int32_t* GetUpdateWorkC(std::uint32_t i) = 0;
  virtual std::int32_t* GetEffectWorkA(std::uint32_t i) = 0;
  virtual std::uint8_t* GetEffectWorkFlag(std::uint32_t i) = 0;
  virtual mystr* GetEffectWorkStr(std::uint32_t i) = 0;
  virtual std::int32_t* GetEffectWorkB(std::uint32_t i) = 0;
  virtual double* GetEffectWorkReal(std::uint32_t i) = 0;
  virtual std::int32_t* GetEffectWorkC(std::uint32_t i) = 0;

 protected:
  virtual ~ITMAccessor() = default;
};

}  // namespace nsTamskLib::nsTaskManager
