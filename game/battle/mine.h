#pragma once
// A board: its grid of cell words, counters and flags, and the generation of a
// round (mines, chips, neighbour counts).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/battle/battle_random.h"
#include "game/battle/board_host.h"
#include "game/battle/imine.h"
#include "game/battle/mine_cell.h"
#include "game/battle/picture_table.h"

namespace nsVesk::nsGame::nsMine::nsCore {

class cMine : public IMine {
 public:
  // The name the chip picture is kept under in the board's own picture table.
  static constexpr const char* kChipImageName = "ChipImage";
  // Larger boards are refused by Create: such a board has no cells. 256 x 256
  // cells are far more than any round has or the 800 x 600 screen can show, and
  // still build, fill and draw within a frame or two.
  static constexpr std::uint64_t kMaxCells = std::uint64_t{1} << 16;

  // The host preloads the board's sounds (none without one); the picture table holds
  // the chip picture (nothing is drawn without one).
  cMine(IBoardHost* host, std::unique_ptr<IPictureTable> images);
  cMine(const cMine&) = delete;
  cMine& operator=(const cMine&) = delete;
  ~cMine() override;

  void Reset() override;
  void Create(std::uint32_t width, std::uint32_t height) override;
  void GetSize(std::uint32_t& width, std::uint32_t& height) const override;

  void SetMineNum(int mines) override { m_MineNum = mines; }
  int GetMineNum() const override { return m_MineNum; }
  void SetChipWidth(int width) override { m_ChipWidth = width; }
  int GetChipWidth() const override { return m_ChipWidth; }
  void SetChipHeight(int height) override { m_ChipHeight = height; }
  int GetChipHeight() const override { return m_ChipHeight; }
  void SetChipBaseX(int x) override { m_ChipBaseX = x; }
  int GetChipBaseX() const override { return m_ChipBaseX; }
  void SetChipBaseY(int y) override { m_ChipBaseY = y; }
  int GetChipBaseY() const override { return m_ChipBaseY; }

  void SetChipImage(const std::string& file) override;
  std::string GetChipImage() const override { return m_ChipImage; }
  void SetOnOpenChipSE(const std::string& file) override;
  std::string GetOnOpenChipSE() const override { return m_OnOpenChipSE; }
  void SetOnSetFlagSE(const std::string& file) override;
  std::string GetOnSetFlagSE() const override { return m_OnSetFlagSE; }

  void SetCleared(bool cleared) override { m_Cleared = cleared; }
  bool IsCleared() const override { return m_Cleared; }
  void SetMineOpened(bool opened) override { m_MineOpened = opened; }
  bool IsMineOpened() const override { return m_MineOpened; }
  int GetOpenedThisClick() const override { return m_OpenedThisClick; }
  int GetOpenedCount() const override { return m_OpenedCount; }
  int GetFlagCount() const override { return m_FlagCount; }

  void ClearCells() override;
  std::uint32_t GetCell(int x, int y) const override;

  // Generation of a round, on a board whose cells have just been cleared.
  // Places m_MineNum mines on distinct cells. A count above the number of cells
  // or below 0 is clamped to what fits, and m_MineNum becomes the count placed.
  void PlaceMines();
  // Places n chips of one kind on cells that the kind's blocking chips leave free;
  // a count above the number of such cells or below 0 is clamped to what fits.
  void PlaceChips(ChipKind kind, int n);
  // Recomputes the neighbour count of every cell.
  void RecountNeighbours();

  // Writes one cell with bookkeeping: a newly opened cell counts as opened (also in
  // this click), the mine and flag counters follow the mine and flag bits, then the
  // counts are recomputed. Positions off the board are ignored.
  void SetCell(int x, int y, std::uint32_t word);
  // Turns every opened mine into a plain open cell with one mine fewer on the board.
  void ResolveOpenedMines();
  // Cleared when every cell without a mine is open; unchanged while an opened mine
  // has just been resolved.
  void CheckCleared();

  // The cell under a screen point: the offsets from the board's corner divided
  // unsigned by the cell size, so points left of or above the board fall outside it.
  // False when the point is off the board or the cell size is not positive.
  bool CellAtPoint(int x, int y, std::uint32_t& cellX, std::uint32_t& cellY) const;

  // The generator that generation draws from (the program's one by default).
  void SetRandom(IBattleRandom& random) { m_Random = &random; }

 protected:
  std::uint32_t& Cell(std::uint32_t x, std::uint32_t y) { return m_Cells[std::size_t{x} * m_Height + y]; }
  std::uint32_t Cell(std::uint32_t x, std::uint32_t y) const { return m_Cells[std::size_t{x} * m_Height + y]; }
  std::uint64_t CellCount() const { return std::uint64_t{m_Width} * m_Height; }

  IBoardHost* m_Host;
  std::vector<std::uint32_t> m_Cells;  // column by column: [x * m_Height + y]
  std::uint32_t m_Width = 0;
  std::uint32_t m_Height = 0;
  std::int32_t m_MineNum = 0;
  std::int32_t m_ChipWidth = 0;
  std::int32_t m_ChipHeight = 0;
  std::int32_t m_ChipBaseX = 0;
  std::int32_t m_ChipBaseY = 0;
  std::string m_ChipImage;
  std::string m_OnOpenChipSE;
  std::string m_OnSetFlagSE;
  bool m_Cleared = false;
  bool m_MineOpened = false;
  std::int32_t m_OpenedThisClick = 0;
  std::int32_t m_OpenedCount = 0;
  std::int32_t m_FlagCount = 0;
  std::unique_ptr<IPictureTable> m_ImageTable;

 private:
  // Draws cells until `count` of them accepted a placement. A cell is eligible when
  // `eligible` holds for its word; `place` then rewrites the word.
  template <typename Eligible, typename Place>
  void PlaceRandomly(std::uint64_t count, Eligible eligible, Place place);

  IBattleRandom* m_Random;
};

// The plain board; adds nothing.
class cMineStd : public cMine {
 public:
  using cMine::cMine;
};

}  // namespace nsVesk::nsGame::nsMine::nsCore
