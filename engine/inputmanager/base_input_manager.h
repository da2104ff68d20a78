#pragma once
// BaseInputManager: the default answer to every question of the engine, built on
// the device state that the game's subclass polls once per frame (the pure
// operations), and the click lock that keeps one click from acting twice. A game
// changes the mapping of a question by overriding that one operation.
//
// Default mapping: the left button advances, ends skip and auto mode and works
// buttons and components; the right button closes the system scenes and toggles the
// text window; the middle button opens the menu; the wheel opens and scrolls the
// backlog. No save, load, config, suspend or quit input, no auto or skip on.

#include <cstdint>

#include "engine/api/input_manager.h"

namespace nsTamskLib::nsInputManager {

class BaseInputManager : public IInputManager {
 public:
  BaseInputManager() = default;
  ~BaseInputManager() override = default;

  bool IsBackLogCall() override;
  bool IsConfigCall() override { return false; }
  bool IsMenuCall() override { return IsMiddlePushed(); }
  bool IsSaveCall() override { return false; }
  bool IsLoadCall() override { return false; }
  bool IsSuspendCall() override { return false; }
  bool IsQuitCall() override { return false; }
  bool IsBackLogClose() override { return IsRightPushed(); }
  bool IsConfigClose() override { return IsRightPushed(); }
  bool IsMenuClose() override { return IsRightPushed(); }
  bool IsSaveClose() override { return IsRightPushed(); }
  bool IsLoadClose() override { return IsRightPushed(); }
  bool IsAutoOn() override { return false; }
  bool IsAutoOff() override { return IsLeftPushed(); }
  bool IsSkipOn() override { return false; }
  bool IsSkipOff() override { return IsLeftPushed(); }
  bool IsGoNext() override { return IsLeftPushed(); }
  bool IsTextWindowToggle() override { return IsRightPushed(); }
  bool IsBackLogScrollUp() override;
  bool IsBackLogScrollDown() override;
  bool IsSpareDown() override { return IsLeftDown(); }
  bool IsSparePushed() override { return IsLeftPushed(); }
  bool IsSpareReleased() override { return IsLeftReleased(); }
  bool IsButtonDown() override { return IsLeftDown(); }
  bool IsButtonPushed() override { return IsLeftPushed(); }
  bool IsButtonReleased() override { return IsLeftReleased(); }
  bool IsComponentDown() override { return IsLeftDown(); }
  bool IsComponentPushed() override { return IsLeftPushed(); }
  bool IsComponentReleased() override { return IsLeftReleased(); }

  // Counts the lock down by one frame; called right after Update each frame.
  void UpdateClickLock() override;
  bool IsClickLocked() override { return m_ClickLock != 0; }
  // Locks clicks for the given number of frames (a button that took a click sets 1).
  void SetClickLock(unsigned frames) override { m_ClickLock = frames; }

 private:
  std::uint32_t m_ClickLock = 0;
};

}  // namespace nsTamskLib::nsInputManager
