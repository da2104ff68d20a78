#pragma once
// The board interface: one board of hidden mines of a battle stage.

#include <cstdint>
#include <string>

namespace nsVesk::nsGame::nsMine::nsCore {

class IMine {
 public:
  virtual ~IMine() = default;

  // Not cleared, no mine opened, and the click, opened and flag counters at 0.
  virtual void Reset() = 0;
  // Handles this frame's mouse on the board.
  virtual void OnClick() = 0;
  virtual void Draw() = 0;

  // Replaces the cells with width columns of height cells each.
  virtual void Create(std::uint32_t width, std::uint32_t height) = 0;
  virtual void GetSize(std::uint32_t& width, std::uint32_t& height) const = 0;

  virtual void SetMineNum(int mines) = 0;
  virtual int GetMineNum() const = 0;
  virtual void SetChipWidth(int width) = 0;
  virtual int GetChipWidth() const = 0;
  virtual void SetChipHeight(int height) = 0;
  virtual int GetChipHeight() const = 0;
  virtual void SetChipBaseX(int x) = 0;
  virtual int GetChipBaseX() const = 0;
  virtual void SetChipBaseY(int y) = 0;
  virtual int GetChipBaseY() const = 0;

  // Stores the file name and loads the picture under the name "ChipImage".
  virtual void SetChipImage(const std::string& file) = 0;
  virtual std::string GetChipImage() const = 0;
  // Store the sound's file name and preload it.
  virtual void SetOnOpenChipSE(const std::string& file) = 0;
  virtual std::string GetOnOpenChipSE() const = 0;
  virtual void SetOnSetFlagSE(const std::string& file) = 0;
  virtual std::string GetOnSetFlagSE() const = 0;

  virtual void SetCleared(bool cleared) = 0;
  virtual bool IsCleared() const = 0;
  virtual void SetMineOpened(bool opened) = 0;
  virtual bool IsMineOpened() const = 0;
  virtual int GetOpenedThisClick() const = 0;
  virtual int GetOpenedCount() const = 0;
  virtual int GetFlagCount() const = 0;

  // Every cell word becomes 0.
  virtual void ClearCells() = 0;

  // The cell word at (x, y); a position off the board reads as 0xFFFFFFFF.
  virtual std::uint32_t GetCell(int x, int y) const = 0;
};

}  // namespace nsVesk::nsGame::nsMine::nsCore
