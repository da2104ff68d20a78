#include "engine/component/ui_bar_draw.h"

#include "engine/api/input_manager.h"
#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/drawmanager/base_draw_manager.h"

namespace nsTamskLib::nsComponent {

void UICBarDraw::SetRects(int left, int top, int right, int bottom, int knobLeft, int knobTop,
                          int knobRight, int knobBottom, std::uint8_t alpha) {
  m_Left = left;
  m_Top = top;
  m_Right = right;
  m_Bottom = bottom;
  m_KnobLeft = knobLeft;
  m_KnobTop = knobTop;
  m_KnobRight = knobRight;
  m_KnobBottom = knobBottom;
  m_Alpha = alpha;
}

void UICBarDraw::SetBarSounds(const std::string& over, const std::string& press) {
  m_OverSound = over;
  m_PressSound = press;
}

void UICBarDraw::SetFillColors(std::uint32_t normal, std::uint32_t over, std::uint32_t pressed,
                               std::uint32_t disabled) {
  m_FillColors = {normal, over, pressed, disabled};
}

void UICBarDraw::SetBorderColors(std::uint32_t normal, std::uint32_t over, std::uint32_t pressed,
                                 std::uint32_t disabled) {
  m_BorderColors = {normal, over, pressed, disabled};
}

void UICBarDraw::SetRate(unsigned rate) {
  if (rate > kMaxRate) {
    RuntimeError(m_Engine != nullptr ? m_Engine->GetWindowHandle() : nullptr,
                 "UICBarDraw::SetRate(unsigned int Rate)");
  }
  m_Rate = rate;
}

std::int64_t UICBarDraw::KnobX() const {
  return m_Left + (std::int64_t{m_Right} - m_Left) * m_Rate / kMaxRate;
}

std::int64_t UICBarDraw::KnobY() const { return m_Top + (std::int64_t{m_Bottom} - m_Top) / 2; }

bool UICBarDraw::IsPointerOver(int x, int y) const {
  const std::int64_t kx = KnobX();
  const std::int64_t ky = KnobY();
  return IsInHitArea(x, y, m_Left, m_Top, m_Right, m_Bottom, m_BorderWidth) ||
         IsInHitArea(x, y, kx + m_KnobLeft, ky + m_KnobTop, kx + m_KnobRight, ky + m_KnobBottom,
                     m_BorderWidth);
}

unsigned UICBarDraw::RateAt(int x) const {
  // A bar without width has no position to divide by: the knob stays at the left.
  if (m_Right <= m_Left || x < m_Left) return 0;
  if (x > m_Right) return kMaxRate;
  return static_cast<unsigned>((std::int64_t{x} - m_Left) * kMaxRate /
                               (std::int64_t{m_Right} - m_Left));
}

bool UICBarDraw::Update() {
  if (m_Disabled) return false;
  nsInputManager::IInputManager& input = *m_Engine->GetInputManager();
  int x = 0;
  int y = 0;
  input.GetMousePos(x, y);
  if (!m_Over) {
    if (IsPointerOver(x, y)) {
      PlayComponentSound(m_Engine, m_OverSound);
      m_Over = true;
    }
  } else {
    m_Over = IsPointerOver(x, y);
  }
  if (m_Dragging) {
    m_Dragging = m_Over && input.IsComponentDown();
    if (m_Dragging) SetRate(RateAt(x));
    return m_Dragging;
  }
  if (m_Over && input.IsComponentPushed()) {
    SetRate(RateAt(x));
    PlayComponentSound(m_Engine, m_PressSound);
    m_Dragging = true;
  }
  return m_Dragging;
}

void UICBarDraw::Draw() {
  std::size_t look = kLookDisabled;
  if (!m_Disabled) {
    int x = 0;
    int y = 0;
    m_Engine->GetInputManager()->GetMousePos(x, y);
    if (IsPointerOver(x, y)) {
      look = m_Engine->GetInputManager()->IsComponentDown() ? kLookPressed : kLookOver;
    } else {
      look = kLookNormal;
    }
  }
  nsDrawManager::BaseDrawManager& draw = DrawManagerOf(m_Engine);
  const auto width = static_cast<std::uint32_t>(m_BorderWidth);
  draw.FillRectWithBorder(TRect{m_Left, m_Top, m_Right, m_Bottom}, m_FillColors[look], m_Alpha,
                          width, m_BorderColors[look]);
  const std::int64_t kx = KnobX();
  const std::int64_t ky = KnobY();
  const TRect knob{static_cast<std::int32_t>(kx + m_KnobLeft), static_cast<std::int32_t>(ky + m_KnobTop),
                   static_cast<std::int32_t>(kx + m_KnobRight),
                   static_cast<std::int32_t>(ky + m_KnobBottom)};
  draw.FillRectWithBorder(knob, m_FillColors[look], m_Alpha, width, m_BorderColors[look]);
}

}  // namespace nsTamskLib::nsComponent
