#pragma once
// IInputManager: the engine asks its questions by meaning (open the backlog, advance
// the text, was a button clicked); the game's subclass answers the device questions
// from the mouse state it polls once per frame.

#include <cstdint>

namespace nsTamskLib::nsInputManager {

class IInputManager {
 public:
  // Device state of this frame: pushed = went down, released = went up, down = held.
  virtual bool IsLeftDown() = 0;
  virtual bool IsLeftPushed() = 0;
  virtual bool IsLeftReleased() = 0;
  virtual bool IsMiddleDown() = 0;
  virtual bool IsMiddlePushed() = 0;
  virtual bool IsMiddleReleased() = 0;
  virtual bool IsRightDown() = 0;
  virtual bool IsRightPushed() = 0;
  virtual bool IsRightReleased() = 0;
  virtual void GetMousePos(int& x, int& y) = 0;
  // Signed wheel movement of this frame (positive is up), stored and returned.
  virtual int GetWheel(int& wheel) = 0;

  // The engine's questions.
  virtual bool IsBackLogCall() = 0;
  virtual bool IsConfigCall() = 0;
  virtual bool IsMenuCall() = 0;
  virtual bool IsSaveCall() = 0;
  virtual bool IsLoadCall() = 0;
  virtual bool IsSuspendCall() = 0;
  virtual bool IsQuitCall() = 0;
  virtual bool IsBackLogClose() = 0;
  virtual bool IsConfigClose() = 0;
  virtual bool IsMenuClose() = 0;
  virtual bool IsSaveClose() = 0;
  virtual bool IsLoadClose() = 0;
  virtual bool IsAutoOn() = 0;
  virtual bool IsAutoOff() = 0;
  virtual bool IsSkipOn() = 0;
  virtual bool IsSkipOff() = 0;
  virtual bool IsGoNext() = 0;
  virtual bool IsTextWindowToggle() = 0;
  virtual bool IsBackLogScrollUp() = 0;
  virtual bool IsBackLogScrollDown() = 0;
  virtual bool IsSpareDown() = 0;
  virtual bool IsSparePushed() = 0;
  virtual bool IsSpareReleased() = 0;
  virtual bool IsButtonDown() = 0;
  virtual bool IsButtonPushed() = 0;
  virtual bool IsButtonReleased() = 0;
  virtual bool IsComponentDown() = 0;
  virtual bool IsComponentPushed() = 0;
  virtual bool IsComponentReleased() = 0;

  // The click lock keeps one click from acting twice.
  virtual void UpdateClickLock() = 0;
  virtual bool IsClickLocked() = 0;
  virtual void SetClickLock(unsigned frames) = 0;

  virtual ~IInputManager() = default;

  // Polls the devices for this frame.
  virtual void Update() = 0;
};

}  // namespace nsTamskLib::nsInputManager
