#include "game/battle/effecter_bomb_icon.h"

#include <algorithm>

#include "framework/graphics/draw2d.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsGame::nsMine::nsEXEffect {

namespace {
// from + (to - from) x p, the product truncated toward zero.
int Slide(std::int32_t from, std::int32_t to, double p) {
  return static_cast<int>(from + static_cast<std::int64_t>((static_cast<double>(to) - from) * p));
}
}  // namespace

void cEffecterBombIcon::Setup(const std::string& file, const nsZarn::nsGraphics::Rect& source,
                              const std::vector<nsZarn::nsGraphics::Rect>& slots) {
  m_FileName = file;
  m_SrcRect = source;
  m_IconRects = slots;
}

void cEffecterBombIcon::Start() {
  m_Running = true;
  m_Timer.Reset();
}

std::uint32_t cEffecterBombIcon::IconCount() const {
  if (m_NeedBombP == 0) return 0;
  return m_Bomb / m_NeedBombP + (m_Bomb % m_NeedBombP != 0 ? 1u : 0u);
}

double cEffecterBombIcon::Progress() const {
  if (m_Duration == 0) return 1.0;
  return static_cast<double>(m_Timer.GetTime()) / m_Duration;
}

void cEffecterBombIcon::DrawIcon(std::uint64_t i, int x, int y, bool whole) const {
  if (m_ImageTable == nullptr) return;
  auto* picture = m_ImageTable->Find(kImageName);
  if (picture == nullptr) return;
  nsZarn::nsGraphics::Rect source = m_SrcRect;
  const std::int64_t rest = std::int64_t{m_Bomb} - std::int64_t{m_NeedBombP} * static_cast<std::int64_t>(i);
  if (!whole && m_NeedBombP != 0 && rest < std::int64_t{m_NeedBombP}) {
    const double width = static_cast<double>(source.right) - source.left;
    source.right = source.left + static_cast<std::int32_t>(static_cast<double>(rest) / m_NeedBombP * width);
  }
  picture->Draw(x, y, 255, &source, 1.0f, 1.0f, 0.0f);
}

void cEffecterBombIcon::DrawIconsBeforePicked() const {
  const std::uint64_t end = std::min<std::uint64_t>(m_Picked, m_IconRects.size());
  for (std::uint64_t i = 0; i < end; ++i) DrawIcon(i, Slot(i).left, Slot(i).top, true);
}

void cEffecterBombIconMove::Update() {
  if (!m_Running) return;
  m_Timer.Update();
  const double p = std::min(Progress(), 1.0);
  DrawIconsBeforePicked();
  const std::uint32_t count = IconCount();
  for (std::uint64_t i = std::uint64_t{m_Picked} + 1; i < count && HasSlot(i); ++i) {
    DrawIcon(i, Slide(Slot(i).left, Slot(i - 1).left, p), Slot(i).top, false);
  }
}

void cEffecterBombIconReturn::Update() {
  if (!m_Running) return;
  m_Timer.Update();
  double p = Progress();
  if (p > 1.0) {
    p = 1.0;
    m_Running = false;
  }
  DrawIconsBeforePicked();
  const std::uint32_t count = IconCount();
  for (std::uint64_t i = std::uint64_t{m_Picked} + 1; i < count && HasSlot(i); ++i) {
    DrawIcon(i, Slide(Slot(i - 1).left, Slot(i).left, p), Slot(i).top, false);
  }
  if (HasSlot(m_Picked)) {
    DrawIcon(m_Picked, Slide(m_StartX, Slot(m_Picked).left, p), Slide(m_StartY, Slot(m_Picked).top, p), true);
  }
}

}  // namespace nsVesk::nsGame::nsMine::nsEXEffect
