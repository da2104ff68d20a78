#include "game/components/ui_button_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/managers/draw_manager_fd.h"
#include "game/shell/shell_objects.h"
#include "platform/clock/clock.h"

namespace nsVesk::nsComponent {
namespace {

constexpr char kCommonIni[] = "Data/Common.ini";

// The integer part, held within the 32-bit range so that extreme parameters give
// an extreme place instead of an undefined conversion.
std::int32_t TruncToInt(double value) {
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(value)) return 0;
  return static_cast<std::int32_t>(std::clamp(std::trunc(value), kMin, kMax));
}

std::int32_t ClampedSubtract(std::int32_t a, std::int32_t b) {
  const std::int64_t r = static_cast<std::int64_t>(a) - b;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(r, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

ScaledText ScaleText(std::int32_t left, std::int32_t top, std::int32_t fontSize, std::int32_t scaling,
                     std::size_t byteLength) {
  const double factor = scaling / 100.0;
  const double growth = factor - 1.0;
  ScaledText out{};
  // The size multiplies before it divides, so that 25 points at 116 percent is 29, not
  // the 28 that the inexact factor 1.16 gives; a double product cannot overflow.
  out.size = TruncToInt(static_cast<double>(fontSize) * scaling / 100.0);
  out.y = ClampedSubtract(top, TruncToInt(growth * 0.5 * fontSize));
  out.x = ClampedSubtract(left, TruncToInt(growth * fontSize * static_cast<double>(byteLength) * 0.25));
  return out;
}

std::uint8_t BlinkAlpha(std::uint8_t alpha, std::int32_t interval, std::uint32_t nowMs) {
  if (interval <= 0) return alpha;
  const std::uint32_t half = static_cast<std::uint32_t>(interval);
  // Twice the interval in unsigned 32 bits; an interval past 2^31 - 1 cannot occur.
  return nowMs % (2u * half) < half ? std::uint8_t{0} : alpha;
}

void UICButtonText::DrawCaption(std::int32_t x, std::int32_t y, std::int32_t size, std::uint32_t color,
                                std::uint8_t alpha) const {
  g_Graphic.DrawFreeText(m_Text, x, y, nsDrawManagerfD::ToGraphicColor(color, alpha), m_FontFace, size, false,
                         false, 0.0f);
}

void UICButtonText::Draw() { DrawCaption(m_Rect.left, m_Rect.top, m_FontSize, ColorOf(GetLook()), m_Alpha); }

bool UICButtonText::Update() {
  if (m_Disabled) return false;
  m_Input.FollowCursor(m_Rect, m_CursorSE);
  return m_Input.ReleaseClick(m_ClickSE);
}

void UICButtonText::DrawScaled(std::int32_t scaling, std::uint8_t pressedAlpha) {
  const ButtonLook look = GetLook();
  if (look == ButtonLook::Normal || look == ButtonLook::Disabled) {
    UICButtonText::Draw();
    return;
  }
  const ScaledText placed = ScaleText(m_Rect.left, m_Rect.top, m_FontSize, scaling, m_Text.size());
  const std::uint8_t alpha = look == ButtonLook::Pressed ? pressedAlpha : m_Alpha;
  DrawCaption(placed.x, placed.y, placed.size, ColorOf(look), alpha);
}

void UICButtonTextE1::Draw() {
  const std::int32_t interval = GetParamInt(kCommonIni, "UIButtonTextE1", "IntervalBlink", 0);
  DrawScaled(GetParamInt(kCommonIni, "UIButtonTextE1", "ScalingOnCH", 0),
             BlinkAlpha(m_Alpha, interval, platform::NowMs()));
}

bool UICButtonTextE1::Update() {
  if (m_Disabled) return false;
  m_Input.FollowCursor(m_Rect, m_CursorSE);
  if (m_Input.pressed != 0) return true;
  if (m_Input.onCursor != 0 && g_InputManager.IsLeftPushed()) {
    PlayButtonSound(m_ClickSE);
    m_Input.pressed = 1;
    return true;
  }
  return false;
}

void UICButtonTextE2::Draw() { DrawScaled(GetParamInt(kCommonIni, "UIButtonTextE2", "ScalingOnCH", 0), m_Alpha); }

}  // namespace nsVesk::nsComponent
