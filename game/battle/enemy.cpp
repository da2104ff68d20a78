#include "game/battle/enemy.h"

#include <cstdio>
#include <utility>

#include "game/battle/battle_arithmetic.h"
#include "game/battle/battle_engine.h"
#include "game/core/param_access.h"

namespace nsVesk::nsGame::nsMine::nsEXEnemy {

namespace {
// The crisis cut-in: the left 500 x 600 of its picture at (300, 0), fading in to
// 179 and growing to twice its size, 320 ms each.
constexpr Rect kCutinSource{0, 0, 500, 600};
constexpr int kCutinX = 300;
}  // namespace

cEnemyM::cEnemyM() : m_Moffles(&m_ImageTable, cMoffleRow::Side::Enemy) {}

void cEnemyM::Load() {
  m_Life = 600;
  m_MaxLife = 1200;
  m_RejP = 1;
  m_RejInterval = 100;
  m_RejTimer.Reset();
}

void cEnemyM::AddLife(int amount) {
  const std::int64_t alarm = std::int64_t{m_MaxLife} * 3 / 4;
  const std::int64_t life = std::int64_t{m_Life} + amount;
  if (m_Life < alarm && life >= alarm) PlayBattleSE(kDangerSound);
  std::int64_t kept = life;
  if (kept > m_MaxLife) kept = m_MaxLife;
  if (kept < 0) kept = 0;
  m_Life = static_cast<std::int32_t>(kept);
}

void cEnemyM::AddMaxLife(int amount) { m_MaxLife = WrapAdd(m_MaxLife, amount); }

void cEnemyM::AddRejP(int amount) { m_RejP = WrapAdd(m_RejP, amount); }

void cEnemyM::Update() {
  if (m_RejTimer.Update() < m_RejInterval) return;
  AddLife(m_RejP);
  m_RejTimer.Reset();
}

void cEnemyM::UpdateMoffles(int percent) { m_Moffles.Update(m_MoffleNum, percent); }

cEnemyIni::cEnemyIni(std::string iniFile) : m_IniFile(std::move(iniFile)) { Load(); }

void cEnemyIni::Load() {
  const std::string& ini = m_IniFile;
  struct Face {
    const char* name;
    Rect* rect;
  };
  for (const Face& face : {Face{"OnWin", &m_OnWinRect}, Face{"OnNormal", &m_OnNormalRect},
                           Face{"OnCrisis", &m_OnCrisisRect}, Face{"OnLose", &m_OnLoseRect}}) {
    m_ImageTable.Load(face.name, GetParamString(ini, "Image", face.name, ""));
    *face.rect = GetParamRect(ini, "Image", face.name);
  }
  m_MoffleNum = GetParamInt(ini, "Moffle", "MoffleNum", 0);
  m_Moffles.LoadEffect(GetParamString(ini, "Moffle", "Effect", ""));
  // Every round and restart reads the list afresh instead of adding to it again.
  m_Moffles.ClearSounds();
  const std::int32_t sounds = GetParamCount(ini, "SE", "OnAddMoffleNum", cMoffleRow::kMaxSounds);
  for (std::int32_t i = 0; i < sounds; ++i) {
    char key[32];
    std::snprintf(key, sizeof key, "OnAddMoffle%d", i);
    m_Moffles.AddSound(GetParamString(ini, "SE", key, ""));
  }
  m_CrisisDone = GetParamInt(ini, "OnCrisis", "IsEnable", 0) == 0;
  if (!m_CrisisDone) {
    m_Cutin.Load(GetParamString(ini, "OnCrisis", "Cutin", ""), kCutinSource, kCutinX, 0);
    m_Cutin.SetAlpha(0, 179);
    m_Cutin.SetTime(320, 320);
    m_Cutin.SetScale(1.0f, 2.0f);
    m_OnCrisisSE = GetParamString(ini, "OnCrisis", "SE", "");
  }
  SetLife(GetParamInt(ini, "Enemy", "Life", 0));
  SetMaxLife(GetParamInt(ini, "Enemy", "MaxLife", 0));
  SetRejP(GetParamInt(ini, "Enemy", "RejP", 0));
  SetRejInterval(GetParamInt(ini, "Enemy", "RejInterval", 0));
}

void cEnemyIni::Update() {
  cEnemyM::Update();
  if (m_CrisisDone || m_Life > m_MaxLife / 4) return;
  m_CrisisDone = true;
  m_Cutin.Start();
  PlayBattleSE(m_OnCrisisSE);
  SetRejInterval(GetParamInt(m_IniFile, "OnCrisis", "RejInterval", 0));
  m_MoffleNum = ClampToInt32(std::int64_t{m_MoffleNum} + GetParamInt(m_IniFile, "OnCrisis", "AddMoffleNum", 0));
}

}  // namespace nsVesk::nsGame::nsMine::nsEXEnemy
