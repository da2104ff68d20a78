#pragma once
// The row of front bomb icons while the player carries a picked icon, and while a
// dropped one flies back. One icon stands for NeedBombP bomb points; the last icon
// of the row is cut to the fraction of a bomb collected. The HUD lets these draw the
// row instead of drawing it itself while one of them runs.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/graphics_types.h"
#include "framework/timer/timer.h"
#include "game/effects/effecter.h"

namespace nsVesk {
class cImageTable;
}

namespace nsVesk::nsGame::nsMine::nsEXEffect {

// What both effects share: the icon's picture and source, the slots, the picked
// slot and the bomb numbers of this frame.
class cEffecterBombIcon : public nsEffect::IEffecter {
 public:
  // The name of the front icon in the battle's bomb icon table.
  static constexpr const char* kImageName = "BombIconImageF";

  // Draws from the table, which is not owned.
  explicit cEffecterBombIcon(cImageTable* images) : m_ImageTable(images) {}

  // The front icon's file, the source rectangle of a whole icon, and the screen
  // rectangle of each slot (an icon is drawn at its slot's top-left corner).
  void Setup(const std::string& file, const nsZarn::nsGraphics::Rect& source,
             const std::vector<nsZarn::nsGraphics::Rect>& slots);
  void SetDuration(std::uint32_t milliseconds) { m_Duration = milliseconds; }
  void SetPicked(std::uint32_t index) { m_Picked = index; }
  // The player's bomb points and the points per bomb, given every frame.
  void SetBombs(std::uint32_t bomb, std::uint32_t need) {
    m_Bomb = bomb;
    m_NeedBombP = need;
  }

  void Start() override;
  void Stop() override { m_Running = false; }
  bool IsRunning() override { return m_Running; }

 protected:
  // Icons in the row: one per bomb, and one more for a started bomb; none when a
  // bomb costs nothing.
  std::uint32_t IconCount() const;
  // The part of the slide done: time over duration (1 for a duration of 0).
  double Progress() const;
  // Draws icon i of the row at (x, y): whole, or cut to what is collected of it.
  void DrawIcon(std::uint64_t i, int x, int y, bool whole) const;
  // Whether slot i exists (data with fewer slots than icons draws fewer icons).
  bool HasSlot(std::uint64_t i) const { return i < m_IconRects.size(); }
  const nsZarn::nsGraphics::Rect& Slot(std::uint64_t i) const { return m_IconRects[static_cast<std::size_t>(i)]; }
  // Draws the whole icons in front of the picked one at their slots.
  void DrawIconsBeforePicked() const;

  std::string m_FileName;
  nsZarn::nsGraphics::Rect m_SrcRect{0, 0, 0, 0};
  std::vector<nsZarn::nsGraphics::Rect> m_IconRects;
  std::uint32_t m_Duration = 0;
  std::uint32_t m_Picked = 0;
  std::uint32_t m_Bomb = 0;
  std::uint32_t m_NeedBombP = 0;
  bool m_Running = false;
  cImageTable* m_ImageTable;
  nsZarn::nsTimer::Timer m_Timer;
};

// While the picked icon is carried, the icons behind it slide one slot toward the
// front over the duration and rest there. It runs until it is stopped.
class cEffecterBombIconMove : public cEffecterBombIcon {
 public:
  using cEffecterBombIcon::cEffecterBombIcon;
  void Update() override;
};

// After a drop outside the boards, the picked icon flies from the release point back
// to its slot while the icons behind it slide back; it stops itself at the end.
class cEffecterBombIconReturn : public cEffecterBombIcon {
 public:
  using cEffecterBombIcon::cEffecterBombIcon;
  void SetStartPoint(int x, int y) {
    m_StartX = x;
    m_StartY = y;
  }
  void Update() override;

 private:
  std::int32_t m_StartX = 0;
  std::int32_t m_StartY = 0;
};

}  // namespace nsVesk::nsGame::nsMine::nsEXEffect
