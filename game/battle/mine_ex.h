#pragma once
// The board the battle plays on: the plain board plus the mouse handling, the
// opening of cells with their chip rewards, and its drawing.

#include <cstdint>
#include <memory>

#include "game/battle/mine.h"

namespace nsVesk::nsGame::nsMine::nsEX {

// The frame of the chip picture that shows a cell word: 9 for an opened mine, the
// neighbour count for another open cell (0 is never drawn), then for a closed cell
// 10 flag, 11 mark, 13 Pow, 14 Bomb, 15 Score, else 12.
int ChipFrameOf(std::uint32_t word);

class cMineEx : public nsCore::cMineStd {
 public:
  // Frames stacked vertically in the chip picture, in two columns: column 0 for the
  // active board, column 1 for every other one.
  static constexpr int kChipFrames = 16;

  // The context owns the board and is reached for the mouse, the sounds, the
  // rewards and the board above. A new board is inactive and waits for its first
  // left click.
  cMineEx(IBoardHost* context, std::unique_ptr<IPictureTable> images);

  // Reads this frame's mouse and acts on the board: a left release opens a cell
  // (the first one takes a mine away from under the cursor), a right release cycles
  // flag, mark and nothing on a closed cell, both together open around a numbered
  // cell whose flags match its count. Leaves IsActive() true when the board took the
  // click and GetOpenedThisClick() at the cells opened. Every frame that gets as far
  // as the mouse resolves opened mines and updates the cleared state.
  void OnClick() override;
  // Draws every cell that the board above leaves visible, from the chip picture.
  void Draw() override;

  // Opens one cell, pays its chips and floods the empty area around a cell without
  // neighbour mines. Open, flagged and marked cells and positions off the board are
  // refused.
  void Open(int x, int y);

  bool IsActive() const { return m_Active; }
  void SetActive(bool active) { m_Active = active; }
  IBoardHost* GetContext() const { return m_Context; }
  bool IsFirstClick() const { return m_FirstClick; }
  void SetFirstClick(bool firstClick) { m_FirstClick = firstClick; }

 private:
  // Opens the cell when it is closed and unmarked and pays its chips. True when it
  // was opened and has neither a mine nor a neighbour count, so the flood goes on
  // from it.
  bool OpenOne(std::uint32_t x, std::uint32_t y);
  void PayChips(std::uint32_t word);
  void Chord(std::uint32_t x, std::uint32_t y);
  void CycleMark(std::uint32_t x, std::uint32_t y);
  // Plays the chip sound when the click opened anything; the board takes the click then.
  void ApplyOpenSoundRule();

  bool m_Active = false;
  IBoardHost* m_Context;
  bool m_FirstClick = true;
};

}  // namespace nsVesk::nsGame::nsMine::nsEX
