#pragma once
// The enemy of a battle round: a life gauge that the player's hits push down and
// that regenerates by itself, a one-time crisis when the gauge falls to a quarter,
// four faces, and a row of Moffles that comes in from the right as the gauge rises.

#include <cstdint>
#include <string>

#include "framework/graphics/graphics_types.h"
#include "framework/timer/timer.h"
#include "game/battle/effecter_cutin.h"
#include "game/battle/moffle_row.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsGame::nsMine::nsEXEnemy {

using Rect = nsZarn::nsGraphics::Rect;

class IEnemyM {
 public:
  virtual ~IEnemyM() = default;

  // (Re)sets the starting values of a round.
  virtual void Load() = 0;
  // Once per battle frame: regeneration (and the crisis where there is one).
  virtual void Update() = 0;
  virtual void DrawCutin() = 0;
  // Adjusts, moves and draws the Moffle row; percent is the life in percent of the maximum.
  virtual void UpdateMoffles(int percent) = 0;
  virtual void SetLife(int life) = 0;
  // Adds to the life, kept within 0 and the maximum; climbing across three
  // quarters of the maximum sounds the danger alarm.
  virtual void AddLife(int amount) = 0;
  virtual int GetLife() const = 0;
  virtual void SetMaxLife(int maxLife) = 0;
  virtual void AddMaxLife(int amount) = 0;
  virtual int GetMaxLife() const = 0;
  virtual void SetRejP(int rejP) = 0;
  virtual void AddRejP(int amount) = 0;
  virtual int GetRejP() const = 0;
  virtual void SetRejInterval(int milliseconds) = 0;
  virtual int GetRejInterval() const = 0;
  virtual cImageTable* GetImageTable() = 0;
  virtual Rect* GetOnWinRect() = 0;
  virtual Rect* GetOnNormalRect() = 0;
  virtual Rect* GetOnCrisisRect() = 0;
  virtual Rect* GetOnLoseRect() = 0;
};

// The life arithmetic, the regeneration, the faces and the Moffle row.
class cEnemyM : public IEnemyM {
 public:
  static constexpr const char* kDangerSound = "Data/InGame/Sound/Common/danger.wav";

  cEnemyM();
  cEnemyM(const cEnemyM&) = delete;
  cEnemyM& operator=(const cEnemyM&) = delete;

  // The built-in values (life 600 of 1200, 1 point every 100 ms), with the
  // regeneration timer restarted.
  void Load() override;
  // At most one regeneration step per call, once the interval has passed.
  void Update() override;
  void UpdateMoffles(int percent) override;
  void SetLife(int life) override { m_Life = life; }
  void AddLife(int amount) override;
  int GetLife() const override { return m_Life; }
  void SetMaxLife(int maxLife) override { m_MaxLife = maxLife; }
  void AddMaxLife(int amount) override;
  int GetMaxLife() const override { return m_MaxLife; }
  void SetRejP(int rejP) override { m_RejP = rejP; }
  void AddRejP(int amount) override;
  int GetRejP() const override { return m_RejP; }
  void SetRejInterval(int milliseconds) override { m_RejInterval = static_cast<std::uint32_t>(milliseconds); }
  int GetRejInterval() const override { return static_cast<int>(m_RejInterval); }
  cImageTable* GetImageTable() override { return &m_ImageTable; }
  Rect* GetOnWinRect() override { return &m_OnWinRect; }
  Rect* GetOnNormalRect() override { return &m_OnNormalRect; }
  Rect* GetOnCrisisRect() override { return &m_OnCrisisRect; }
  Rect* GetOnLoseRect() override { return &m_OnLoseRect; }

  int GetMoffleNum() const { return m_MoffleNum; }
  const cMoffleRow& GetMoffles() const { return m_Moffles; }
  cMoffleRow& GetMoffles() { return m_Moffles; }

 protected:
  std::int32_t m_Life = 600;
  std::int32_t m_MaxLife = 1200;
  std::int32_t m_RejP = 1;
  std::uint32_t m_RejInterval = 100;
  cImageTable m_ImageTable;
  Rect m_OnWinRect{0, 0, 0, 0};
  Rect m_OnNormalRect{0, 0, 0, 0};
  Rect m_OnCrisisRect{0, 0, 0, 0};
  Rect m_OnLoseRect{0, 0, 0, 0};
  std::int32_t m_MoffleNum = 1;
  cMoffleRow m_Moffles;
  nsZarn::nsTimer::Timer m_RejTimer;
};

// The enemy of an enemy INI, with its crisis: the first time the life falls to a
// quarter of the maximum a cut-in and a sound play, the regeneration interval
// changes and more Moffles come.
class cEnemyIni : public cEnemyM {
 public:
  // Reads the enemy INI at once.
  explicit cEnemyIni(std::string iniFile);

  // Faces, Moffles, their sounds, the crisis set-up and the life values from the
  // INI. Neither the regeneration timer nor the Moffles already shown change.
  void Load() override;
  // Regeneration, then the crisis when it is due.
  void Update() override;
  // The crisis cut-in (nothing while it does not run).
  void DrawCutin() override { m_Cutin.Update(); }

  bool IsCrisisDone() const { return m_CrisisDone; }
  nsEXEffect::cEffecterCutin& GetCutin() { return m_Cutin; }

 private:
  std::string m_IniFile;
  bool m_CrisisDone = false;
  nsEXEffect::cEffecterCutin m_Cutin;
  std::string m_OnCrisisSE;
};

}  // namespace nsVesk::nsGame::nsMine::nsEXEnemy
