#pragma once
// What the game's buttons share: their rectangle (inclusive bounds), the look a
// button has under the current cursor, the click logic that turns a press inside
// and a release inside into one click, and their two sounds.

#include <cstdint>
#include <string>

#include "framework/graphics/graphics_types.h"

namespace nsVesk::nsComponent {

// The four looks of a button, in the order of its colours and images.
enum class ButtonLook : std::uint8_t { Normal = 0, OnCursor = 1, Pressed = 2, Disabled = 3 };

// True when (x, y) lies within the rectangle, its right and bottom edges included.
bool IsInside(const nsZarn::nsGraphics::Rect& rect, int x, int y);

// The look under the program-wide input manager's cursor and left button.
ButtonLook CurrentLook(bool disabled, const nsZarn::nsGraphics::Rect& rect);

// Plays an effect sound through the script player's sound manager; an empty name
// or a missing player plays nothing.
void PlayButtonSound(const std::string& name);

// The cursor-following and press/release state of one button, read from the
// program-wide input manager.
struct ButtonInput {
  std::uint8_t onCursor = 0;
  std::uint8_t pressed = 0;

  // Follows the cursor: leaving clears the flag; entering sets it and plays the
  // cursor sound (on entry only).
  void FollowCursor(const nsZarn::nsGraphics::Rect& rect, const std::string& cursorSE);
  // The release click: a press inside is remembered while the button stays held
  // inside; the release inside after it is the click. A press plays the click sound.
  bool ReleaseClick(const std::string& clickSE);
  void Reset() { onCursor = pressed = 0; }
};

}  // namespace nsVesk::nsComponent
