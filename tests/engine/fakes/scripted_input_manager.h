#pragma once
// ScriptedInputManager: the engine's input manager base over a mouse that the test
// sets by hand. The default mapping and the click lock are the real ones; only the
// device state is scripted. Header-only, so any engine test can use it.

#include "engine/inputmanager/base_input_manager.h"

namespace vesk_test {

// One mouse button in one frame.
struct ScriptedMouseButton {
  bool down = false;
  bool pushed = false;
  bool released = false;
};

class ScriptedInputManager : public nsTamskLib::nsInputManager::BaseInputManager {
 public:
  bool IsLeftDown() override { return left.down; }
  bool IsLeftPushed() override { return left.pushed; }
  bool IsLeftReleased() override { return left.released; }
  bool IsMiddleDown() override { return middle.down; }
  bool IsMiddlePushed() override { return middle.pushed; }
  bool IsMiddleReleased() override { return middle.released; }
  bool IsRightDown() override { return right.down; }
  bool IsRightPushed() override { return right.pushed; }
  bool IsRightReleased() override { return right.released; }
  void GetMousePos(int& x, int& y) override {
    x = mouseX;
    y = mouseY;
  }
  int GetWheel(int& value) override {
    value = wheel;
    return wheel;
  }
  void Update() override { ++updates; }

  // The left button in the frames of one click: pushed, held, released.
  void PushLeft() { left = {true, true, false}; }
  void HoldLeft() { left = {true, false, false}; }
  void ReleaseLeft() { left = {false, false, true}; }
  void IdleLeft() { left = {}; }
  void MoveTo(int x, int y) {
    mouseX = x;
    mouseY = y;
  }

  ScriptedMouseButton left;
  ScriptedMouseButton middle;
  ScriptedMouseButton right;
  int mouseX = 0;
  int mouseY = 0;
  int wheel = 0;
  int updates = 0;
};

}  // namespace vesk_test
