#pragma once
// Text buttons: a caption drawn with the graphics object's free text in one of four
// colours (normal, cursor over, pressed, disabled), reacting to the mouse inside
// its rectangle (bounds inclusive).
//
//   UICButtonText   clicks on the release inside after a press inside.
//   UICButtonTextE2 clicks like the base; the caption grows while the cursor is over
//                   it or it is pressed ([UIButtonTextE2] ScalingOnCH, percent).
//   UICButtonTextE1 clicks on the press and stays clicked every frame until
//                   ResetState; it grows like E2 ([UIButtonTextE1] ScalingOnCH) and
//                   blinks while pressed ([UIButtonTextE1] IntervalBlink, ms).
// Both parameters are read from "Data/Common.ini" at each draw.

#include <array>
#include <cstdint>
#include <string>

#include "framework/graphics/graphics_types.h"
#include "game/components/button_state.h"
#include "game/components/ui_component.h"

namespace nsVesk::nsComponent {

// Where and how large an enlarged caption is drawn: scaled about its own area by
// `scaling` percent, moved left by a quarter of the growth per byte of the
// Shift-JIS caption and up by half the growth of one line.
struct ScaledText {
  std::int32_t x;
  std::int32_t y;
  std::int32_t size;
};
ScaledText ScaleText(std::int32_t left, std::int32_t top, std::int32_t fontSize, std::int32_t scaling,
                     std::size_t byteLength);

// The blink of a pressed E1 caption: clear during the first half of each period of
// twice the interval, else the alpha. An interval of 0 or less does not blink.
std::uint8_t BlinkAlpha(std::uint8_t alpha, std::int32_t interval, std::uint32_t nowMs);

class UICButtonText : public IUIComponent {
 public:
  static constexpr std::uint32_t kNormalColor = 0xFFFFFF;
  static constexpr std::uint32_t kOnCursorColor = 0xC0C0C0;
  static constexpr std::uint32_t kPressedColor = 0x808080;
  static constexpr std::uint32_t kDisabledColor = 0x808080;

  UICButtonText() = default;
  ~UICButtonText() override = default;

  void SetRect(const nsZarn::nsGraphics::Rect& rect, std::uint8_t alpha) {
    m_Rect = rect;
    m_Alpha = alpha;
  }
  // Colours with red in the lowest byte.
  void SetColors(std::uint32_t normal, std::uint32_t onCursor, std::uint32_t pressed, std::uint32_t disabled) {
    m_Colors = {normal, onCursor, pressed, disabled};
  }
  // The caption in Shift-JIS, its font face and size.
  void SetText(const std::string& text, const std::string& face, std::int32_t size) {
    m_Text = text;
    m_FontFace = face;
    m_FontSize = size;
  }
  void SetSounds(const std::string& cursorSE, const std::string& clickSE) {
    m_CursorSE = cursorSE;
    m_ClickSE = clickSE;
  }
  void SetDisabled(bool disabled) { m_Disabled = disabled; }
  bool IsDisabled() const { return m_Disabled; }
  // Forgets the cursor and the press (re-arms a latched E1 button).
  void ResetState() { m_Input.Reset(); }

  const nsZarn::nsGraphics::Rect& GetRect() const { return m_Rect; }
  const std::string& GetText() const { return m_Text; }
  ButtonLook GetLook() const { return CurrentLook(m_Disabled, m_Rect); }

  // The caption at (left, top) in the colour of the current look.
  void Draw() override;
  // The release click.
  bool Update() override;

 protected:
  std::uint32_t ColorOf(ButtonLook look) const { return m_Colors[static_cast<std::size_t>(look)]; }
  // The caption at a place and size, in an engine colour with an alpha.
  void DrawCaption(std::int32_t x, std::int32_t y, std::int32_t size, std::uint32_t color,
                   std::uint8_t alpha) const;
  // Draws the normal and disabled looks plainly and the cursor-over and pressed
  // looks enlarged by the scaling; the pressed look's alpha comes from pressedAlpha.
  void DrawScaled(std::int32_t scaling, std::uint8_t pressedAlpha);

  bool m_Disabled = false;
  nsZarn::nsGraphics::Rect m_Rect{0, 0, 0, 0};
  std::uint8_t m_Alpha = 0;
  std::string m_CursorSE;
  std::string m_ClickSE;
  std::string m_Text;
  std::string m_FontFace = "ＭＳ ゴシック";
  std::int32_t m_FontSize = 20;
  std::array<std::uint32_t, 4> m_Colors{kNormalColor, kOnCursorColor, kPressedColor, kDisabledColor};
  ButtonInput m_Input;
};

class UICButtonTextE1 : public UICButtonText {
 public:
  void Draw() override;
  // The press click, latched until ResetState.
  bool Update() override;
};

class UICButtonTextE2 : public UICButtonText {
 public:
  void Draw() override;
};

}  // namespace nsVesk::nsComponent
