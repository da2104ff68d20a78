#include <algorithm>
#include <array>
#include <vector>

#include "game/battle/mine_ex.h"

namespace nsVesk::nsGame::nsMine::nsEX {

int ChipFrameOf(std::uint32_t word) {
  if ((word & kCellOpen) != 0) {
    return (word & kCellMine) != 0 ? 9 : static_cast<int>(word & kCellCountMask);
  }
  if ((word & kCellFlag) != 0) {
    return 10;
  }
  if ((word & kCellMark) != 0) {
    return 11;
  }
  if ((word & kCellPow) != 0) {
    return 13;
  }
  if ((word & kCellBomb) != 0) {
    return 14;
  }
  if ((word & kCellScore) != 0) {
    return 15;
  }
  return 12;
}

namespace {

// Screen and picture positions wrap as 32-bit values do, so absurd cell sizes give
// absurd places instead of overflowing.
int Wrapped(std::int64_t value) { return static_cast<int>(static_cast<std::int32_t>(value)); }

// Whether a picture placed at `start` and `size` pixels long (the other way for a
// negative size) reaches into [low, high).
bool Reaches(int start, std::int32_t size, std::int32_t low, std::int32_t high) {
  const std::int64_t end = std::int64_t{start} + size;
  return std::max<std::int64_t>(start, end) > low && std::min<std::int64_t>(start, end) < high;
}

}  // namespace

void cMineEx::Draw() {
  if (!m_ImageTable) {
    return;
  }
  const int column = m_Active ? 0 : 1;
  std::array<nsZarn::nsGraphics::Rect, kChipFrames> frames{};
  for (int n = 0; n < kChipFrames; ++n) {
    const std::int64_t left = std::int64_t{column} * m_ChipWidth;
    const std::int64_t top = std::int64_t{n} * m_ChipHeight;
    frames[static_cast<std::size_t>(n)] = {Wrapped(left), Wrapped(top), Wrapped(left + m_ChipWidth),
                                           Wrapped(top + m_ChipHeight)};
  }
  // Only the cells that reach into the area drawn on are drawn, and only for them is
  // the board above asked: a board far larger than the screen, and every board of a
  // high stack, costs what its visible part does.
  const nsZarn::nsGraphics::Rect area = m_ImageTable->DrawArea();
  std::vector<std::uint32_t> rows;
  for (std::uint32_t y = 0; y < m_Height; ++y) {
    if (Reaches(Wrapped(m_ChipBaseY + std::int64_t{y} * m_ChipHeight), m_ChipHeight, area.top, area.bottom)) {
      rows.push_back(y);
    }
  }
  // A lower board shows only through the cells that the board above has opened
  // (or beyond that board's edges).
  const nsCore::IMine* above = m_Context ? m_Context->GetBoardAbove(*this) : nullptr;
  for (std::uint32_t x = 0; x < m_Width; ++x) {
    const int screenX = Wrapped(m_ChipBaseX + std::int64_t{x} * m_ChipWidth);
    if (!Reaches(screenX, m_ChipWidth, area.left, area.right)) {
      continue;
    }
    for (const std::uint32_t y : rows) {
      if (above && (above->GetCell(static_cast<int>(x), static_cast<int>(y)) & kCellOpen) == 0) {
        continue;
      }
      const int frame = ChipFrameOf(Cell(x, y));
      if (frame == 0) {
        continue;
      }
      const int screenY = Wrapped(m_ChipBaseY + std::int64_t{y} * m_ChipHeight);
      m_ImageTable->Draw(kChipImageName, screenX, screenY, 255, frames[static_cast<std::size_t>(frame)], 1.0f, 1.0f,
                         0.0f);
    }
  }
}

}  // namespace nsVesk::nsGame::nsMine::nsEX
