#pragma once
// The player's character: bomb points and what a bomb costs, the attack values, the
// score with its lasting high score, four faces, the bomb with its landing
// animation and cut-in, and a row of Moffles, one per 100 of attack rate, that
// comes in from the left. The two characters differ in their INI, the name of their
// high score and the shape their bomb opens.

#include <cstdint>
#include <string>

#include "framework/graphics/graphics_types.h"
#include "game/battle/board_host.h"
#include "game/battle/board_list.h"
#include "game/battle/effecter_cutin.h"
#include "game/battle/imine.h"
#include "game/battle/moffle_row.h"
#include "game/effects/effecter_animation.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsGame::nsMine::nsEXPlayer {

using Rect = nsZarn::nsGraphics::Rect;

// The name of the global variable whose value the HUD shows as the high score: the
// one the score was last checked against.
extern std::string g_HiScoreVarName;

// The high-score variable `name` in the engine's global variables: created at 0
// when absent, raised to the score when below it, never lowered. Then it becomes
// g_HiScoreVarName.
void UpdateHiScore(int score, const std::string& name);

// The chip rewards of the boards reach the player through the board's view of it.
class IPlayerM : public IBoardPlayer {
 public:
  ~IPlayerM() override = default;

  virtual void Load() = 0;
  // Updates and draws the bomb's landing animation, then its cut-in.
  virtual void DrawEffects() = 0;
  // Adjusts, moves and draws the Moffle row; percent is the enemy's life in percent
  // of its maximum.
  virtual void UpdateMoffles(int percent) = 0;
  // Drops a bomb on cell (x, y) of `board`, one of `boards`; the landing animation
  // plays at the cursor (mouseX, mouseY).
  virtual void UseBomb(int x, int y, const BoardList* boards, nsCore::IMine* board, int mouseX, int mouseY) = 0;
  void SetBomb(int bomb) override = 0;
  void AddBomb(int amount) override = 0;
  int GetBomb() const override = 0;
  virtual void SetScore(int score) = 0;
  void AddScore(int amount) override = 0;
  virtual int GetScore() const = 0;
  virtual void SetNeedBombP(int need) = 0;
  virtual void AddNeedBombP(int amount) = 0;
  virtual int GetNeedBombP() const = 0;
  virtual void SetAtk(int atk) = 0;
  virtual void AddAtk(int amount) = 0;
  virtual int GetAtk() const = 0;
  virtual void SetBombAtk(int atk) = 0;
  virtual void AddBombAtk(int amount) = 0;
  virtual int GetBombAtk() const = 0;
  void SetAtkRate(int rate) override = 0;
  void AddAtkRate(int amount) override = 0;
  int GetAtkRate() const override = 0;
  virtual cImageTable* GetImageTable() = 0;
  virtual Rect* GetOnWinRect() = 0;
  virtual Rect* GetOnNormalRect() = 0;
  virtual Rect* GetOnCrisisRect() = 0;
  virtual Rect* GetOnLoseRect() = 0;
};

// The six values, the faces and their rectangles.
class cPlayerM : public IPlayerM {
 public:
  cPlayerM() = default;
  cPlayerM(const cPlayerM&) = delete;
  cPlayerM& operator=(const cPlayerM&) = delete;

  // The built-in values: no bombs, no score, 50 points a bomb, attack 20, bomb
  // attack 200, attack rate 100 %.
  void Load() override;
  void SetBomb(int bomb) override { m_Bomb = bomb; }
  void AddBomb(int amount) override;
  int GetBomb() const override { return m_Bomb; }
  void SetScore(int score) override { m_Score = score; }
  void AddScore(int amount) override;
  int GetScore() const override { return m_Score; }
  void SetNeedBombP(int need) override { m_NeedBombP = need; }
  void AddNeedBombP(int amount) override;
  int GetNeedBombP() const override { return m_NeedBombP; }
  void SetAtk(int atk) override { m_Atk = atk; }
  void AddAtk(int amount) override;
  int GetAtk() const override { return m_Atk; }
  void SetBombAtk(int atk) override { m_BombAtk = atk; }
  void AddBombAtk(int amount) override;
  int GetBombAtk() const override { return m_BombAtk; }
  void SetAtkRate(int rate) override { m_AtkRate = rate; }
  void AddAtkRate(int amount) override;
  int GetAtkRate() const override { return m_AtkRate; }
  cImageTable* GetImageTable() override { return &m_ImageTable; }
  Rect* GetOnWinRect() override { return &m_OnWinRect; }
  Rect* GetOnNormalRect() override { return &m_OnNormalRect; }
  Rect* GetOnCrisisRect() override { return &m_OnCrisisRect; }
  Rect* GetOnLoseRect() override { return &m_OnLoseRect; }

 protected:
  std::int32_t m_Bomb = 0;
  std::int32_t m_Score = 0;
  std::int32_t m_NeedBombP = 50;
  std::int32_t m_Atk = 20;
  std::int32_t m_BombAtk = 200;
  std::int32_t m_AtkRate = 100;
  cImageTable m_ImageTable;
  Rect m_OnWinRect{0, 0, 0, 0};
  Rect m_OnNormalRect{0, 0, 0, 0};
  Rect m_OnCrisisRect{0, 0, 0, 0};
  Rect m_OnLoseRect{0, 0, 0, 0};
};

// What both characters share: everything read from the character INI, the score
// kept with its high-score variable, the bomb's cost, sound, animation and cut-in,
// and the Moffle row. A character adds the cells its bomb opens.
class cPlayerCharacter : public cPlayerM {
 public:
  // Reads the faces, the bomb's animation and cut-in, the Moffle animation and
  // sounds from the INI, then the starting values.
  cPlayerCharacter(std::string iniFile, std::string hiScoreName);

  // The score 0 (the high-score variable exists from now on) and the starting
  // values of the INI.
  void Load() override;
  void DrawEffects() override;
  void UpdateMoffles(int percent) override;
  // Does nothing while the bomb points do not pay for a bomb (or a bomb costs
  // nothing). Otherwise plays the bomb's sound, opens the bomb's cells (chips are
  // lost, mines removed without penalty), spends the bomb's points, and starts the
  // landing animation at the cursor and the cut-in.
  void UseBomb(int x, int y, const BoardList* boards, nsCore::IMine* board, int mouseX, int mouseY) override;
  void SetScore(int score) override;
  void AddScore(int amount) override;

  const std::string& GetHiScoreName() const { return m_HiScoreName; }
  const cMoffleRow& GetMoffles() const { return m_Moffles; }
  cMoffleRow& GetMoffles() { return m_Moffles; }
  nsEffect::cEffecterAnimation& GetBombEffect() { return m_BombEffect; }
  nsEXEffect::cEffecterCutin& GetBombCutin() { return m_BombCutin; }

 protected:
  // Opens the character's bomb shape around cell (x, y) of `board`.
  virtual void OpenBombCells(int x, int y, const BoardList* boards, nsCore::IMine* board) = 0;

 private:
  std::string m_IniFile;
  std::string m_HiScoreName;
  nsEffect::cEffecterAnimation m_BombEffect;
  nsEXEffect::cEffecterCutin m_BombCutin;
  cMoffleRow m_Moffles;
};

// Character 0: the bomb opens a diamond of radius 4 (41 cells) on the board it lands on.
class cPlayerAoria : public cPlayerCharacter {
 public:
  static constexpr const char* kHiScoreName = "@HiScore_Aoria";
  static constexpr int kRadius = 4;
  explicit cPlayerAoria(std::string iniFile);

 protected:
  void OpenBombCells(int x, int y, const BoardList* boards, nsCore::IMine* board) override;
};

// Character 1: the bomb opens the three columns around the cell, top to bottom, on
// the board it lands on and on the two boards below it.
class cPlayerKestrin : public cPlayerCharacter {
 public:
  static constexpr const char* kHiScoreName = "@HiScore_Kestrin";
  static constexpr int kBoardsReached = 3;
  explicit cPlayerKestrin(std::string iniFile);

 protected:
  void OpenBombCells(int x, int y, const BoardList* boards, nsCore::IMine* board) override;
};

}  // namespace nsVesk::nsGame::nsMine::nsEXPlayer
