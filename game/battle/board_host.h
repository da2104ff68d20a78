#pragma once
// What a board needs of the battle that owns it: the mouse of this frame, the effect
// sounds, the player that chip rewards are paid to with the round's reward values,
// the flying reward effects, and the board stacked above it.

#include <cstdint>
#include <string>

namespace nsVesk::nsGame::nsMine {

namespace nsCore {
class IMine;
}

// The player's values that opened chips change.
class IBoardPlayer {
 public:
  virtual ~IBoardPlayer() = default;
  virtual void AddAtkRate(int amount) = 0;
  virtual int GetAtkRate() const = 0;
  virtual void SetAtkRate(int rate) = 0;
  virtual void AddBomb(int amount) = 0;
  virtual int GetBomb() const = 0;
  virtual void SetBomb(int bomb) = 0;
  virtual void AddScore(int amount) = 0;
};

// The round's chip rewards and their caps.
struct ChipRewards {
  std::int32_t addAtkRateOnOpenPow = 0;
  std::int32_t maxPlayerAtkRate = 0;
  std::int32_t addBombOnOpenBomb = 0;
  std::int32_t maxPlayerBomb = 0;
  std::int32_t addScoreOnOpenScore = 0;
};

// The cursor (client coordinates) and the buttons released in this frame.
struct BoardMouse {
  int x = 0;
  int y = 0;
  bool leftReleased = false;
  bool rightReleased = false;
};

class IBoardHost {
 public:
  virtual ~IBoardHost() = default;

  virtual BoardMouse GetBoardMouse() const = 0;

  // Effect sounds by file name; an empty name is silence.
  virtual void LoadSE(const std::string& file) = 0;
  virtual void PlaySE(const std::string& file) = 0;

  // Null while no player has been chosen: chips are then paid to nobody.
  virtual IBoardPlayer* GetBoardPlayer() = 0;
  virtual ChipRewards GetChipRewards() const = 0;

  // One reward effect each, flying from the cursor to its place on the HUD.
  virtual void SpawnPowEffect() = 0;
  virtual void SpawnBombEffect() = 0;
  virtual void SpawnScoreEffect() = 0;

  // The board just above this one in the stack, or null for the top board.
  virtual const nsCore::IMine* GetBoardAbove(const nsCore::IMine& board) const = 0;
};

}  // namespace nsVesk::nsGame::nsMine
