#pragma once
// The cell word of a board: one u32 per cell.

#include <cstdint>

namespace nsVesk::nsGame::nsMine {

// Number of mines among the up to eight neighbours (0-8); kept 0 on a mine cell.
inline constexpr std::uint32_t kCellCountMask = 0x0F;
inline constexpr std::uint32_t kCellMine = 0x10;
inline constexpr std::uint32_t kCellOpen = 0x20;
// First stage of the right-click mark.
inline constexpr std::uint32_t kCellFlag = 0x40;
// Second stage of the right-click mark.
inline constexpr std::uint32_t kCellMark = 0x80;
// Chips: rewards paid when the cell is opened.
inline constexpr std::uint32_t kCellPow = 0x100;
inline constexpr std::uint32_t kCellBomb = 0x200;
inline constexpr std::uint32_t kCellScore = 0x400;

// Any of these refuses an opening: already open, flagged or marked.
inline constexpr std::uint32_t kCellRefusesOpen = kCellOpen | kCellFlag | kCellMark;
// The word a position outside a board reads as.
inline constexpr std::uint32_t kCellOutside = 0xFFFFFFFFu;

// An open cell without a neighbour count (chip bits allowed).
inline constexpr bool IsBareCell(std::uint32_t word) {
  return (word & kCellOpen) != 0 && (word & kCellCountMask) == 0;
}

enum class ChipKind { Pow, Bomb, Score };

}  // namespace nsVesk::nsGame::nsMine
