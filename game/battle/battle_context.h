#pragma once
// The battle being played: the player character, the enemy, the stacked boards of
// the round, the round's event values, the HUD's pictures and layout, the battle
// effects and the timers. One context lives for the whole run of the program
// (TheBattleContext); the select scene gives it the player and the first round, the
// battle scene the enemy, and the boards reach it as their host.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/graphics_types.h"
#include "framework/timer/timer.h"
#include "game/battle/board_host.h"
#include "game/battle/board_list.h"
#include "game/battle/effecter_all_clear.h"
#include "game/battle/effecter_bomb_icon.h"
#include "game/battle/effecter_on_open_chip.h"
#include "game/battle/enemy.h"
#include "game/battle/player.h"
#include "game/effects/effecter_animation.h"
#include "game/effects/effecter_list.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsGame {

using nsZarn::nsGraphics::Rect;

struct Point {
  std::int32_t x;
  std::int32_t y;
};

class cBattleContext final : public nsMine::IBoardHost {
 public:
  using IPlayerM = nsMine::nsEXPlayer::IPlayerM;
  using IEnemyM = nsMine::nsEXEnemy::IEnemyM;
  using IMine = nsMine::nsCore::IMine;

  // Fixed files of the battle's effects.
  static constexpr const char* kMineAnimationFile = "Data/Effect/1/Effect2.ini";
  static constexpr const char* kHitStartFile = "Data/Effect/2/Effect3.ini";
  static constexpr const char* kFlightFile = "Data/Effect/3/Effect4.ini";
  static constexpr const char* kHitArrivalFile = "Data/Effect/4/Effect5.ini";
  static constexpr const char* kPowFile = "Data/Effect/5/Effect6.ini";
  static constexpr const char* kBombFile = "Data/Effect/6/Effect7.ini";
  static constexpr const char* kScoreFile = "Data/Effect/7/Effect8.ini";
  // Where hits fly (y) and where score rewards fly; the score is drawn there too.
  static constexpr std::int32_t kHitTargetY = 64;
  static constexpr Point kScorePosition{580, 565};
  static constexpr Point kHiScorePosition{580, 535};
  static constexpr std::uint32_t kBombIconSlideTime = 100;  // ms

  cBattleContext();
  cBattleContext(const cBattleContext&) = delete;
  cBattleContext& operator=(const cBattleContext&) = delete;
  // Deletes the player and the enemy, then every board.
  ~cBattleContext() override;

  // --- Round state ---
  // Cleared when the enemy's life is 0 or less, or no board is left.
  bool IsCleared() const;
  // Lost when the enemy's life has reached its maximum.
  bool IsLost() const;
  IPlayerM* GetPlayer() const { return m_Player; }
  // Deletes the player (or enemy) held so far and owns the new one.
  void SetPlayer(IPlayerM* player);
  IEnemyM* GetEnemy() const { return m_Enemy; }
  void SetEnemy(IEnemyM* enemy);
  std::int32_t GetMaxPlayerAtkRate() const { return m_MaxPlayerAtkRate; }

  // --- Stage loading ---
  // Reads the round INI: chip image names, chip counts, event values, the mine
  // sound, the HUD's pictures and layout, and the effect templates.
  void LoadStage(const std::string& roundIni);
  // Rebuilds the boards of the loaded round INI and starts the round afresh.
  void CreateBoards();
  // The next chip image name of the cycle over every name loaded so far; an empty
  // name while the list is empty.
  std::string NextChipImage();
  // Fills every board for a new round: the enemy's values, mines and chips, the
  // speed timer, the bomb state and the active board.
  void StartRound();

  void SetOnOpenMineSE(const std::string& file) { m_OnOpenMine = file; }
  void SetBackImage(const std::string& file, Rect source);
  void SetEnemyLifeBar(const std::string& file, Rect source, std::int32_t x, std::int32_t y);
  void SetBombIconFront(const std::string& file, Rect source, const std::vector<Rect>& slots);
  void SetBombIconBack(const std::string& file, Rect source, const std::vector<Rect>& slots);
  void SetAtkRateIconFront(const std::string& file, Rect source, const std::vector<Point>& places);
  void SetAtkRateIconBack(const std::string& file, Rect source, const std::vector<Point>& places);

  // --- The battle step, once per frame while the round runs ---
  void Update();
  // A bomb icon still carried when the round has ended flies back from the cursor
  // to its slot; nothing happens when none is carried.
  void PutBackCarriedBomb();
  // Draws the whole battle picture and advances the effects (the HUD).
  void DrawHud();

  // --- The boards' host ---
  nsMine::BoardMouse GetBoardMouse() const override;
  void LoadSE(const std::string& file) override;
  void PlaySE(const std::string& file) override;
  nsMine::IBoardPlayer* GetBoardPlayer() override { return m_Player; }
  nsMine::ChipRewards GetChipRewards() const override;
  void SpawnPowEffect() override;
  void SpawnBombEffect() override;
  void SpawnScoreEffect() override;
  const IMine* GetBoardAbove(const IMine& board) const override;

  // --- Inspection (the scene, the HUD and tests) ---
  nsMine::BoardList& GetBoards() { return m_Boards; }
  const IMine* GetActiveBoard() const { return m_ActiveBoard; }
  bool IsBombArmed() const { return m_BombArmed; }
  const std::string& GetRoundIni() const { return m_RoundIni; }
  const std::vector<std::string>& GetChipImageFileNames() const { return m_ChipImageFileNames; }
  const std::vector<Rect>& GetBombIconClickRects() const { return m_BombIconClickRect; }
  const std::vector<Rect>& GetBombIconBackRects() const { return m_BombIconBackRect; }
  const std::vector<Point>& GetAtkRateIconPositions() const { return m_AtkRateIconPosition; }
  const std::vector<Point>& GetAtkRateIconBackPositions() const { return m_AtkRateIconBackPosition; }
  Rect GetBackSrcRect() const { return m_BackSrcRect; }
  Rect GetEnemyLifeBarSrcRect() const { return m_EnemyLifeBarSrcRect; }
  Point GetEnemyLifeBarPosition() const { return m_EnemyLifeBarPosition; }
  Rect GetBombIconFrontSrcRect() const { return m_BombIconFrontSrcRect; }
  Rect GetAtkRateIconFrontSrcRect() const { return m_AtkRateIconFrontSrcRect; }
  std::int32_t GetPowNum() const { return m_PowNum; }
  std::int32_t GetBombNum() const { return m_BombNum; }
  std::int32_t GetScoreNum() const { return m_ScoreNum; }
  const std::string& GetOnOpenMineSE() const { return m_OnOpenMine; }
  cImageTable& GetHudImages() { return m_HudImages; }
  cImageTable& GetBombIconImages() { return m_BombIconImages; }
  nsMine::nsEXEffect::cEffecterAllClear& GetAllClear() { return m_AllClear; }
  nsMine::nsEXEffect::cEffecterBombIconMove& GetBombIconMove() { return m_BombIconMove; }
  nsMine::nsEXEffect::cEffecterBombIconReturn& GetBombIconReturn() { return m_BombIconReturn; }
  nsEffect::cEffecterList& GetMineEffects() { return m_MineEffects; }
  nsEffect::cEffecterList& GetHitEffects() { return m_HitEffects; }
  nsEffect::cEffecterList& GetPowEffects() { return m_PowEffects; }
  nsEffect::cEffecterList& GetBombEffects() { return m_BombEffects; }
  nsEffect::cEffecterList& GetScoreEffects() { return m_ScoreEffects; }
  nsZarn::nsTimer::Timer& GetSpeedTimer() { return m_SpeedTimer; }

  // The damage multiplier in percent of an attack rate: (rate - 100) / 4 + 100.
  static std::int32_t AttackMultiplier(std::int32_t atkRate);
  // The points of a safe opening t milliseconds after the previous one.
  static std::int32_t SpeedScore(std::uint32_t milliseconds);
  // The score text: "%08d" in full-width digits (other characters stay as they are).
  static std::string ScoreText(std::int32_t score);

 private:
  // The board list's entry of a board, or the end of the list.
  nsMine::BoardList::iterator Find(const IMine* board);
  // Deletes a cleared board as the step does: button states forgotten, the active
  // board dropped when it is this one, the banner started. The entry that has moved
  // into its place (or the end of the list).
  nsMine::BoardList::iterator RemoveClearedBoard(nsMine::BoardList::iterator board);
  // The carried bomb icon is put down and flies back from (x, y) to its slot.
  void ReturnCarriedBomb(int x, int y);
  // The enemy takes `attack` at the player's attack multiplier.
  void Damage(std::int32_t attack);
  // Loads a HUD picture under its name; another file under the same name replaces it.
  void LoadHudImage(cImageTable& table, const std::string& name, const std::string& file);
  void SpawnReward(const nsMine::nsEXEffect::cEffecterOnOpenChip& source, nsEffect::cEffecterList& list, bool hasTarget,
                   Point target);
  void DrawBombIconFronts();
  void DrawAtkRateIcons();
  void DrawFaces();
  // The x the hit effects fly to: the left end of the filled half of the life bar.
  std::int32_t HitTargetX() const;

  std::vector<std::string> m_ChipImageFileNames;
  std::uint32_t m_NextChipImage = 0;
  IPlayerM* m_Player = nullptr;
  IEnemyM* m_Enemy = nullptr;
  std::string m_RoundIni;
  nsMine::BoardList m_Boards;
  std::int32_t m_MaxPlayerBomb = 0;
  std::int32_t m_MaxPlayerAtkRate = 0;
  std::int32_t m_AddBombOnOpenChip = 0;
  std::int32_t m_AddLifeOnOpenMine = 0;
  std::int32_t m_AddAtkRateOnOpenPow = 0;
  std::int32_t m_AddBombOnOpenBomb = 0;
  std::int32_t m_AddScoreOnOpenScore = 0;
  std::int32_t m_SubAtkRateOnOpenMine = 0;
  std::int32_t m_PowNum = 0;
  std::int32_t m_BombNum = 0;
  std::int32_t m_ScoreNum = 0;
  std::string m_OnOpenMine;
  cImageTable m_HudImages;
  Rect m_BackSrcRect{0, 0, 0, 0};
  Rect m_EnemyLifeBarSrcRect{0, 0, 0, 0};
  Point m_EnemyLifeBarPosition{0, 0};
  cImageTable m_BombIconImages;
  Rect m_BombIconFrontSrcRect{0, 0, 0, 0};
  std::vector<Rect> m_BombIconClickRect;
  Rect m_BombIconBackSrcRect{0, 0, 0, 0};
  std::vector<Rect> m_BombIconBackRect;
  Rect m_AtkRateIconFrontSrcRect{0, 0, 0, 0};
  std::vector<Point> m_AtkRateIconPosition;
  Rect m_AtkRateIconBackSrcRect{0, 0, 0, 0};
  std::vector<Point> m_AtkRateIconBackPosition;
  bool m_BombArmed = false;
  nsMine::nsEXEffect::cEffecterBombIconMove m_BombIconMove;
  nsMine::nsEXEffect::cEffecterBombIconReturn m_BombIconReturn;
  nsEffect::cEffecterList m_MineEffects;
  nsEffect::cEffecterAnimation m_MineAnimation;
  cImageTable m_EffectImages;
  nsEffect::cEffecterList m_HitEffects;
  nsMine::nsEXEffect::cEffecterOnOpenChip m_HitTemplate;
  nsEffect::cEffecterList m_PowEffects;
  nsMine::nsEXEffect::cEffecterOnOpenChip m_PowTemplate;
  nsEffect::cEffecterList m_BombEffects;
  nsMine::nsEXEffect::cEffecterOnOpenChip m_BombTemplate;
  nsEffect::cEffecterList m_ScoreEffects;
  nsMine::nsEXEffect::cEffecterOnOpenChip m_ScoreTemplate;
  IMine* m_ActiveBoard = nullptr;
  nsMine::nsEXEffect::cEffecterAllClear m_AllClear;
  nsZarn::nsTimer::Timer m_SpeedTimer;
  // The file last loaded under each HUD picture name, so that a stage naming another
  // file replaces the picture.
  std::map<std::string, std::string> m_HudFiles;
};

// The program's one battle context (made on first use, kept until the program ends).
cBattleContext& TheBattleContext();

}  // namespace nsVesk::nsGame
