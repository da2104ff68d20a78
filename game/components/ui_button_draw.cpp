#include "game/components/ui_button_draw.h"

namespace nsVesk::nsComponent {

UICButtonDraw::UICButtonDraw(cImageTable* images) : m_Images(images) { SetImages({}); }

void UICButtonDraw::SetImages(const std::array<LookImage, 4>& looks) {
  for (std::size_t i = 0; i < looks.size(); ++i) {
    if (looks[i].name == m_Looks[i].name) continue;
    if (m_Images != nullptr) m_Images->Load(looks[i].name, looks[i].name);
    m_Looks[i] = looks[i];
  }
}

nsZarn::nsGraphics::nsIDraw2D::IDraw2D* UICButtonDraw::GetCurrentImage() const {
  if (m_Images == nullptr) return nullptr;
  return m_Images->Find(GetLookImage(GetLook()).name);
}

void UICButtonDraw::Draw() {
  const LookImage& look = GetLookImage(GetLook());
  if (m_Images == nullptr) return;
  if (auto* image = m_Images->Find(look.name)) image->Draw(m_Rect.left, m_Rect.top, 255, &look.source, 1.0f, 1.0f, 0.0f);
}

bool UICButtonDraw::Update() {
  if (m_Disabled) return false;
  m_Input.FollowCursor(m_Rect, m_CursorSE);
  return m_Input.ReleaseClick(m_ClickSE);
}

}  // namespace nsVesk::nsComponent
