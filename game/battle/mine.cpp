#include "game/battle/mine.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "platform/debug/debug_sink.h"

namespace nsVesk::nsGame::nsMine::nsCore {

namespace {

// After this many draws in a row that hit no eligible cell, generation takes the
// first eligible cell in column order instead, so that a generator that never
// reaches some cells cannot hang the game. Valid boards never get near it.
constexpr std::uint32_t kMaxRejectedDraws = 1u << 20;

constexpr std::uint32_t kCellUsedBits = 0x7FF;

std::uint32_t ChipBit(ChipKind kind) {
  switch (kind) {
    case ChipKind::Pow:
      return kCellPow;
    case ChipKind::Bomb:
      return kCellBomb;
    case ChipKind::Score:
      return kCellScore;
  }
  return 0;
}

// A Pow chip needs a cell without any chip; Bomb and Score chips only keep off each
// other, so they may join a Pow chip.
std::uint32_t ChipBlockingBits(ChipKind kind) {
  return kind == ChipKind::Pow ? (kCellPow | kCellBomb | kCellScore) : (kCellBomb | kCellScore);
}

std::uint64_t ClampCount(std::int64_t requested, std::uint64_t available) {
  if (requested <= 0) {
    return 0;
  }
  return std::min(static_cast<std::uint64_t>(requested), available);
}

}  // namespace

cMine::cMine(IBoardHost* host, std::unique_ptr<IPictureTable> images)
    : m_Host(host), m_ImageTable(std::move(images)), m_Random(&TheBattleRandom()) {}

cMine::~cMine() = default;

void cMine::Reset() {
  SetCleared(false);
  SetMineOpened(false);
  m_OpenedThisClick = 0;
  m_OpenedCount = 0;
  m_FlagCount = 0;
}

void cMine::Create(std::uint32_t width, std::uint32_t height) {
  constexpr auto kMaxSide = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
  if (width > kMaxSide || height > kMaxSide || std::uint64_t{width} * height > kMaxCells) {
    char line[128];
    std::snprintf(line, sizeof line, "Failed : board of %u x %u cells refused", width, height);
    platform::WriteDebugLine(line);
    width = 0;
    height = 0;
  }
  m_Cells.assign(static_cast<std::size_t>(std::uint64_t{width} * height), 0);
  m_Width = width;
  m_Height = height;
}

void cMine::GetSize(std::uint32_t& width, std::uint32_t& height) const {
  width = m_Width;
  height = m_Height;
}

void cMine::SetChipImage(const std::string& file) {
  m_ChipImage = file;
  if (m_ImageTable) {
    m_ImageTable->Load(kChipImageName, file);
  }
}

void cMine::SetOnOpenChipSE(const std::string& file) {
  m_OnOpenChipSE = file;
  if (m_Host) {
    m_Host->LoadSE(file);
  }
}

void cMine::SetOnSetFlagSE(const std::string& file) {
  m_OnSetFlagSE = file;
  if (m_Host) {
    m_Host->LoadSE(file);
  }
}

void cMine::ClearCells() { std::fill(m_Cells.begin(), m_Cells.end(), 0u); }

std::uint32_t cMine::GetCell(int x, int y) const {
  if (x < 0 || y < 0 || static_cast<std::uint32_t>(x) >= m_Width || static_cast<std::uint32_t>(y) >= m_Height) {
    return kCellOutside;
  }
  return Cell(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
}

template <typename Eligible, typename Place>
void cMine::PlaceRandomly(std::uint64_t count, Eligible eligible, Place place) {
  std::uint32_t rejected = 0;
  while (count > 0) {
    if (rejected >= kMaxRejectedDraws) {
      const auto found = std::find_if(m_Cells.begin(), m_Cells.end(), eligible);
      place(*found);  // count > 0 means an eligible cell is left
      --count;
      rejected = 0;
      continue;
    }
    const std::uint32_t x = m_Random->Next() % m_Width;
    const std::uint32_t y = m_Random->Next() % m_Height;
    std::uint32_t& word = Cell(x, y);
    if (eligible(word)) {
      place(word);
      --count;
      rejected = 0;
    } else {
      ++rejected;
    }
  }
}

void cMine::PlaceMines() {
  const auto free = [](std::uint32_t word) { return word != kCellMine; };
  const auto available = static_cast<std::uint64_t>(std::count_if(m_Cells.begin(), m_Cells.end(), free));
  const std::uint64_t count = ClampCount(m_MineNum, available);
  if (m_MineNum < 0 || static_cast<std::uint64_t>(m_MineNum) > available) {
    // Keep the count equal to the mines on the board: those already there plus the new ones.
    m_MineNum = static_cast<std::int32_t>(CellCount() - available + count);
  }
  PlaceRandomly(count, free, [](std::uint32_t& word) { word = kCellMine; });
}

void cMine::PlaceChips(ChipKind kind, int n) {
  const std::uint32_t bit = ChipBit(kind);
  const std::uint32_t blocking = ChipBlockingBits(kind);
  const auto free = [blocking](std::uint32_t word) { return (word & blocking) == 0; };
  const auto available = static_cast<std::uint64_t>(std::count_if(m_Cells.begin(), m_Cells.end(), free));
  PlaceRandomly(ClampCount(n, available), free, [bit](std::uint32_t& word) { word |= bit; });
}

void cMine::RecountNeighbours() {
  for (std::uint32_t x = 0; x < m_Width; ++x) {
    const std::uint32_t left = x > 0 ? x - 1 : 0;
    const std::uint32_t right = std::min(x + 1, m_Width - 1);
    for (std::uint32_t y = 0; y < m_Height; ++y) {
      std::uint32_t& word = Cell(x, y);
      word &= ~kCellCountMask;
      if ((word & kCellMine) != 0) {
        continue;
      }
      const std::uint32_t top = y > 0 ? y - 1 : 0;
      const std::uint32_t bottom = std::min(y + 1, m_Height - 1);
      std::uint32_t mines = 0;
      for (std::uint32_t nx = left; nx <= right; ++nx) {
        for (std::uint32_t ny = top; ny <= bottom; ++ny) {
          if ((Cell(nx, ny) & kCellMine) != 0) {
            ++mines;
          }
        }
      }
      word |= mines;
    }
  }
}

void cMine::SetCell(int x, int y, std::uint32_t word) {
  if (x < 0 || y < 0 || static_cast<std::uint32_t>(x) >= m_Width || static_cast<std::uint32_t>(y) >= m_Height) {
    return;
  }
  word &= kCellUsedBits;
  std::uint32_t& cell = Cell(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
  if ((cell & kCellOpen) == 0 && (word & kCellOpen) != 0) {
    ++m_OpenedThisClick;
    ++m_OpenedCount;
  }
  // The mine and flag counters follow the word, so they keep matching the board.
  if ((cell & kCellMine) != 0 && (word & kCellMine) == 0) {
    --m_MineNum;
  } else if ((cell & kCellMine) == 0 && (word & kCellMine) != 0) {
    ++m_MineNum;
  }
  if ((cell & kCellFlag) != 0 && (word & kCellFlag) == 0) {
    --m_FlagCount;
  } else if ((cell & kCellFlag) == 0 && (word & kCellFlag) != 0) {
    ++m_FlagCount;
  }
  cell = word;
  RecountNeighbours();
}

void cMine::ResolveOpenedMines() {
  m_MineOpened = false;
  bool resolved = false;
  for (std::uint32_t& word : m_Cells) {
    if ((word & kCellMine) != 0 && (word & kCellOpen) != 0) {
      --m_MineNum;
      if ((word & kCellFlag) != 0) {
        --m_FlagCount;
      }
      word = kCellOpen;
      resolved = true;
    }
  }
  if (resolved) {
    // The counts depend on the mine bits only, so one recount after all the
    // changes gives the same words as one after each.
    RecountNeighbours();
    m_MineOpened = true;
  }
}

void cMine::CheckCleared() {
  if (m_MineOpened) {
    return;
  }
  m_Cleared = static_cast<std::int64_t>(m_OpenedCount) + m_MineNum == static_cast<std::int64_t>(CellCount());
}

bool cMine::CellAtPoint(int x, int y, std::uint32_t& cellX, std::uint32_t& cellY) const {
  if (m_ChipWidth <= 0 || m_ChipHeight <= 0) {
    return false;
  }
  cellX = (static_cast<std::uint32_t>(x) - static_cast<std::uint32_t>(m_ChipBaseX)) /
          static_cast<std::uint32_t>(m_ChipWidth);
  cellY = (static_cast<std::uint32_t>(y) - static_cast<std::uint32_t>(m_ChipBaseY)) /
          static_cast<std::uint32_t>(m_ChipHeight);
  return cellX < m_Width && cellY < m_Height;
}

}  // namespace nsVesk::nsGame::nsMine::nsCore
