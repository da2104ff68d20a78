#include "engine/component/ui_button_draw.h"

#include "engine/api/input_manager.h"
#include "engine/api/mystr.h"
#include "engine/api/novel_engine.h"
#include "engine/drawmanager/base_draw_manager.h"

namespace nsTamskLib::nsComponent {

void UICButtonDraw::SetRect(int left, int top, int right, int bottom, std::uint8_t alpha) {
  m_Left = left;
  m_Top = top;
  m_Right = right;
  m_Bottom = bottom;
  m_Alpha = alpha;
}

void UICButtonDraw::SetSounds(const std::string& over, const std::string& press) {
  m_OverSound = over;
  m_PressSound = press;
}

void UICButtonDraw::SetCaption(const std::string& text, const std::string& font, int size) {
  m_Caption = text;
  m_CaptionFont = font;
  m_CaptionSize = size;
}

void UICButtonDraw::SetTextColors(std::uint32_t normal, std::uint32_t over, std::uint32_t pressed,
                                  std::uint32_t disabled) {
  m_TextColors = {normal, over, pressed, disabled};
}

void UICButtonDraw::SetFillColors(std::uint32_t normal, std::uint32_t over, std::uint32_t pressed,
                                  std::uint32_t disabled) {
  m_FillColors = {normal, over, pressed, disabled};
}

void UICButtonDraw::SetBorderColors(std::uint32_t normal, std::uint32_t over,
                                    std::uint32_t pressed, std::uint32_t disabled) {
  m_BorderColors = {normal, over, pressed, disabled};
}

bool UICButtonDraw::IsPointerInside() const {
  int x = 0;
  int y = 0;
  m_Engine->GetInputManager()->GetMousePos(x, y);
  return IsInHitArea(x, y, m_Left, m_Top, m_Right, m_Bottom, m_BorderWidth);
}

bool UICButtonDraw::Update() {
  if (m_Disabled) return false;
  nsInputManager::IInputManager& input = *m_Engine->GetInputManager();
  if (!m_Over) {
    if (IsPointerInside()) {
      PlayComponentSound(m_Engine, m_OverSound);
      m_Over = true;
    }
  } else {
    m_Over = IsPointerInside();
  }
  if (m_Pressed) {
    m_Pressed = m_Over && input.IsComponentDown();
    return m_Over && input.IsComponentReleased();
  }
  if (m_Over && input.IsComponentPushed()) {
    PlayComponentSound(m_Engine, m_PressSound);
    m_Pressed = true;
  }
  return false;
}

void UICButtonDraw::Draw() {
  std::size_t look = kLookDisabled;
  if (!m_Disabled) {
    if (IsPointerInside()) {
      look = m_Engine->GetInputManager()->IsComponentDown() ? kLookPressed : kLookOver;
    } else {
      look = kLookNormal;
    }
  }
  nsDrawManager::BaseDrawManager& draw = DrawManagerOf(m_Engine);
  draw.FillRectWithBorder(TRect{m_Left, m_Top, m_Right, m_Bottom}, m_FillColors[look], m_Alpha,
                          static_cast<std::uint32_t>(m_BorderWidth), m_BorderColors[look]);
  // The caption is centred by an estimate of its width: half an em per byte, so a
  // two-byte character counts one em. Signed, so a caption wider or taller than the
  // button overhangs it equally on both sides.
  const std::int64_t size = m_CaptionSize;
  const auto bytes = static_cast<std::int64_t>(m_Caption.size());
  const std::int64_t x = m_Left + ((std::int64_t{m_Right} - m_Left) - size * bytes / 2) / 2;
  const std::int64_t y = m_Top + ((std::int64_t{m_Bottom} - m_Top) - size) / 2;
  draw.DrawTextChecked(mystr(m_Caption.c_str()), static_cast<std::int32_t>(x),
                       static_cast<std::int32_t>(y), m_Alpha, mystr(m_CaptionFont.c_str()), m_CaptionSize,
                       m_TextColors[look], 0, 0);
}

}  // namespace nsTamskLib::nsComponent
