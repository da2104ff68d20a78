#pragma once
// The game's input back end of the engine's input manager: each Update polls the
// framework's input object once and keeps the left, right and middle buttons of
// the two most recent polls, the cursor and the wheel. Pushed and released compare
// the two polls, so each holds for exactly one poll.
//
// Two instances exist: the one the script player owns (polled through the player by
// the story scenes) and the program-wide one the game's own scenes poll.

#include <array>
#include <cstdint>

#include "engine/inputmanager/base_input_manager.h"

namespace nsVesk::nsInputManager {

class InputManagerfD : public nsTamskLib::nsInputManager::BaseInputManager {
 public:
  // Polls the program's input object, in the graphics object's screen mode.
  InputManagerfD() = default;
  ~InputManagerfD() override = default;

  bool IsLeftDown() override { return Down(m_Left); }
  bool IsLeftPushed() override { return Pushed(m_Left); }
  bool IsLeftReleased() override { return Released(m_Left); }
  bool IsMiddleDown() override { return Down(m_Middle); }
  bool IsMiddlePushed() override { return Pushed(m_Middle); }
  bool IsMiddleReleased() override { return Released(m_Middle); }
  bool IsRightDown() override { return Down(m_Right); }
  bool IsRightPushed() override { return Pushed(m_Right); }
  bool IsRightReleased() override { return Released(m_Right); }
  void GetMousePos(int& x, int& y) override;
  int GetWheel(int& wheel) override;
  // One poll: the input object is updated, the current poll becomes the previous
  // one, and the buttons (device buttons 0 left, 1 right, 2 middle), the cursor and
  // the wheel are read.
  void Update() override;

  // Forgets both polls of every button: nothing reads as held, pushed or released
  // until the next poll, and a button still held then reads as pushed again.
  void ResetButtons();

 private:
  using ButtonPolls = std::array<std::uint8_t, 2>;
  bool Down(const ButtonPolls& b) const { return b[m_Index] != 0; }
  bool Pushed(const ButtonPolls& b) const { return b[m_Index] != 0 && b[1 - m_Index] == 0; }
  bool Released(const ButtonPolls& b) const { return b[m_Index] == 0 && b[1 - m_Index] != 0; }

  ButtonPolls m_Left{};
  ButtonPolls m_Right{};
  ButtonPolls m_Middle{};
  std::int32_t m_MouseX = 0;
  std::int32_t m_MouseY = 0;
  std::int32_t m_Wheel = 0;
  std::uint32_t m_Index = 0;  // the element of each pair that holds the current poll
};

}  // namespace nsVesk::nsInputManager
