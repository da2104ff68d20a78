#include <algorithm>
#include <vector>

#include "game/battle/mine_ex.h"

namespace nsVesk::nsGame::nsMine::nsEX {

namespace {

// The 3 x 3 block around a cell, clipped to the board.
struct Block {
  std::uint32_t left, right, top, bottom;
};

Block BlockAround(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height) {
  return Block{x > 0 ? x - 1 : 0, std::min(x + 1, width - 1), y > 0 ? y - 1 : 0, std::min(y + 1, height - 1)};
}

}  // namespace

cMineEx::cMineEx(IBoardHost* context, std::unique_ptr<IPictureTable> images)
    : cMineStd(context, std::move(images)), m_Context(context) {}

void cMineEx::OnClick() {
  m_Active = false;
  m_OpenedThisClick = 0;
  if (m_Cleared || m_MineOpened) {
    return;
  }
  const BoardMouse mouse = m_Context ? m_Context->GetBoardMouse() : BoardMouse{};
  std::uint32_t cx = 0;
  std::uint32_t cy = 0;
  bool onCell = false;
  if (mouse.leftReleased || mouse.rightReleased) {
    onCell = CellAtPoint(mouse.x, mouse.y, cx, cy);
  }
  if (onCell) {
    if (mouse.leftReleased && mouse.rightReleased) {
      Chord(cx, cy);
    } else if (mouse.leftReleased) {
      if (m_FirstClick) {
        // The first left click never meets a mine: one under the cursor is taken away,
        // whatever the cell shows.
        std::uint32_t& word = Cell(cx, cy);
        if ((word & kCellMine) != 0) {
          word &= ~kCellMine;
          --m_MineNum;
          RecountNeighbours();
        }
        m_FirstClick = false;
      }
      Open(static_cast<int>(cx), static_cast<int>(cy));
      ApplyOpenSoundRule();
    } else if ((Cell(cx, cy) & kCellOpen) == 0) {
      CycleMark(cx, cy);
    }
  }
  // A release on any cell that is not bare is taken even when it did nothing; one on a
  // bare cell passes to the board below.
  if (!m_Active && onCell) {
    m_Active = !IsBareCell(Cell(cx, cy));
  }
  ResolveOpenedMines();
  CheckCleared();
}

void cMineEx::Chord(std::uint32_t x, std::uint32_t y) {
  const std::uint32_t word = Cell(x, y);
  const std::uint32_t count = word & kCellCountMask;
  if ((word & kCellOpen) == 0 || count == 0) {
    return;
  }
  const Block block = BlockAround(x, y, m_Width, m_Height);
  std::uint32_t flags = 0;
  for (std::uint32_t nx = block.left; nx <= block.right; ++nx) {
    for (std::uint32_t ny = block.top; ny <= block.bottom; ++ny) {
      if ((Cell(nx, ny) & kCellFlag) != 0) {
        ++flags;
      }
    }
  }
  if (flags != count) {
    return;
  }
  for (std::uint32_t nx = block.left; nx <= block.right; ++nx) {
    for (std::uint32_t ny = block.top; ny <= block.bottom; ++ny) {
      Open(static_cast<int>(nx), static_cast<int>(ny));
    }
  }
  ApplyOpenSoundRule();
}

void cMineEx::CycleMark(std::uint32_t x, std::uint32_t y) {
  if (m_Context) {
    m_Context->PlaySE(GetOnSetFlagSE());
  }
  std::uint32_t& word = Cell(x, y);
  if ((word & kCellFlag) != 0) {
    word = (word & ~kCellFlag) | kCellMark;
    --m_FlagCount;
  } else if ((word & kCellMark) != 0) {
    word &= ~kCellMark;
  } else {
    word |= kCellFlag;
    ++m_FlagCount;
  }
  m_Active = true;
}

void cMineEx::ApplyOpenSoundRule() {
  if (m_OpenedThisClick > 0 && m_Context) {
    m_Context->PlaySE(m_OnOpenChipSE);
  }
  m_Active = m_OpenedThisClick > 0;
}

void cMineEx::Open(int x, int y) {
  if (x < 0 || y < 0 || static_cast<std::uint32_t>(x) >= m_Width || static_cast<std::uint32_t>(y) >= m_Height) {
    return;
  }
  const auto startX = static_cast<std::uint32_t>(x);
  const auto startY = static_cast<std::uint32_t>(y);
  if (!OpenOne(startX, startY)) {
    return;
  }
  // The flood is depth-first: every opened empty cell opens its block, x from left to
  // right and y from top to bottom within each x, before the block it was found in
  // goes on. An explicit stack keeps that order (and so the order of the reward
  // effects) without recursing as deep as the board is large.
  struct Pending {
    std::uint32_t x, y;
    int next;  // the block cell to try next, 0-8 in opening order
  };
  std::vector<Pending> stack{{startX, startY, 0}};
  while (!stack.empty()) {
    Pending& top = stack.back();
    if (top.next == 9) {
      stack.pop_back();
      continue;
    }
    const int step = top.next++;
    const std::int64_t nx = std::int64_t{top.x} + step / 3 - 1;
    const std::int64_t ny = std::int64_t{top.y} + step % 3 - 1;
    if (nx < 0 || ny < 0 || nx >= m_Width || ny >= m_Height) {
      continue;
    }
    const auto cellX = static_cast<std::uint32_t>(nx);
    const auto cellY = static_cast<std::uint32_t>(ny);
    if (OpenOne(cellX, cellY)) {
      stack.push_back({cellX, cellY, 0});
    }
  }
}

bool cMineEx::OpenOne(std::uint32_t x, std::uint32_t y) {
  std::uint32_t& word = Cell(x, y);
  if ((word & kCellRefusesOpen) != 0) {
    return false;
  }
  ++m_OpenedThisClick;
  ++m_OpenedCount;
  word |= kCellOpen;
  const std::uint32_t opened = word;
  PayChips(opened);
  return (opened & (kCellMine | kCellCountMask)) == 0;
}

void cMineEx::PayChips(std::uint32_t word) {
  if (!m_Context) {
    return;
  }
  const ChipRewards rewards = m_Context->GetChipRewards();
  if ((word & kCellPow) != 0) {
    m_Context->SpawnPowEffect();
    if (IBoardPlayer* player = m_Context->GetBoardPlayer()) {
      player->AddAtkRate(rewards.addAtkRateOnOpenPow);
      if (player->GetAtkRate() > rewards.maxPlayerAtkRate) {
        player->SetAtkRate(rewards.maxPlayerAtkRate);
      }
    }
  }
  if ((word & kCellBomb) != 0) {
    m_Context->SpawnBombEffect();
    if (IBoardPlayer* player = m_Context->GetBoardPlayer()) {
      player->AddBomb(rewards.addBombOnOpenBomb);
      if (player->GetBomb() > rewards.maxPlayerBomb) {
        player->SetBomb(rewards.maxPlayerBomb);
      }
    }
  }
  if ((word & kCellScore) != 0) {
    m_Context->SpawnScoreEffect();
    if (IBoardPlayer* player = m_Context->GetBoardPlayer()) {
      player->AddScore(rewards.addScoreOnOpenScore);
    }
  }
}

}  // namespace nsVesk::nsGame::nsMine::nsEX
