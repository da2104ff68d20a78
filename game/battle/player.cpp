#include "game/battle/player.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "engine/api/heaps.h"
#include "game/battle/battle_arithmetic.h"
#include "game/battle/battle_engine.h"
#include "game/battle/mine_cell.h"
#include "game/core/param_access.h"

namespace nsVesk::nsGame::nsMine::nsEXPlayer {

std::string g_HiScoreVarName;

namespace {
// The bomb cut-in: the left 500 x 600 of its picture at (0, 0), fading in to 179
// and growing to twice its size, 320 ms each.
constexpr Rect kCutinSource{0, 0, 500, 600};

// Opens one cell as a plain open cell; positions off the board (or beyond the
// range of a cell index) are skipped.
void OpenCell(nsCore::cMine& board, std::int64_t x, std::int64_t y) {
  if (x < 0 || y < 0 || x > INT32_MAX || y > INT32_MAX) return;
  board.SetCell(static_cast<int>(x), static_cast<int>(y), kCellOpen);
}
}  // namespace

void UpdateHiScore(int score, const std::string& name) {
  if (auto* globals = TheBattleEngine().GetGlobalHeap()) {
    if (!globals->Exists(name.c_str())) globals->Set(name.c_str(), 0);
    if (globals->Get(name.c_str()) < score) globals->Set(name.c_str(), score);
  }
  g_HiScoreVarName = name;
}

void cPlayerM::Load() {
  m_Bomb = 0;
  m_Score = 0;
  m_NeedBombP = 50;
  m_Atk = 20;
  m_BombAtk = 200;
  m_AtkRate = 100;
}

void cPlayerM::AddBomb(int amount) { m_Bomb = WrapAdd(m_Bomb, amount); }
void cPlayerM::AddScore(int amount) { m_Score = WrapAdd(m_Score, amount); }
void cPlayerM::AddNeedBombP(int amount) { m_NeedBombP = WrapAdd(m_NeedBombP, amount); }
void cPlayerM::AddAtk(int amount) { m_Atk = WrapAdd(m_Atk, amount); }
void cPlayerM::AddBombAtk(int amount) { m_BombAtk = WrapAdd(m_BombAtk, amount); }
void cPlayerM::AddAtkRate(int amount) { m_AtkRate = WrapAdd(m_AtkRate, amount); }

cPlayerCharacter::cPlayerCharacter(std::string iniFile, std::string hiScoreName)
    : m_IniFile(std::move(iniFile)),
      m_HiScoreName(std::move(hiScoreName)),
      m_BombEffect(&m_ImageTable),
      m_Moffles(&m_ImageTable, cMoffleRow::Side::Player) {
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
  m_BombEffect.Load(GetParamString(ini, "Bomb", "Effect", ""));
  m_BombCutin.Load(GetParamString(ini, "Bomb", "Cutin", ""), kCutinSource, 0, 0);
  m_BombCutin.SetAlpha(0, 179);
  m_BombCutin.SetTime(320, 320);
  m_BombCutin.SetScale(1.0f, 2.0f);
  m_Moffles.LoadEffect(GetParamString(ini, "Moffle", "Effect", ""));
  const std::int32_t sounds = GetParamCount(ini, "SE", "OnAddMoffleNum", cMoffleRow::kMaxSounds);
  for (std::int32_t i = 0; i < sounds; ++i) {
    char key[32];
    std::snprintf(key, sizeof key, "OnAddMoffle%d", i);
    m_Moffles.AddSound(GetParamString(ini, "SE", key, ""));
  }
  cPlayerCharacter::Load();
}

void cPlayerCharacter::Load() {
  SetScore(0);
  SetBomb(GetParamInt(m_IniFile, "Player", "Bomb", 0));
  SetNeedBombP(GetParamInt(m_IniFile, "Player", "NeedBombP", 0));
  SetAtk(GetParamInt(m_IniFile, "Player", "Atk", 0));
  SetBombAtk(GetParamInt(m_IniFile, "Player", "BombAtk", 0));
  SetAtkRate(GetParamInt(m_IniFile, "Player", "AtkRate", 0));
}

void cPlayerCharacter::DrawEffects() {
  m_BombEffect.Update();
  m_BombCutin.Update();
}

void cPlayerCharacter::UpdateMoffles(int percent) { m_Moffles.Update(m_AtkRate / 100, percent); }

void cPlayerCharacter::UseBomb(int x, int y, const BoardList* boards, nsCore::IMine* board, int mouseX,
                               int mouseY) {
  // A bomb that costs nothing would be free for ever: such data gives no bombs.
  if (GetNeedBombP() <= 0 || GetBomb() < GetNeedBombP()) return;
  PlayBattleSE(GetParamString(m_IniFile, "Bomb", "SE", ""));
  OpenBombCells(x, y, boards, board);
  AddBomb(-GetNeedBombP());
  m_BombEffect.SetPosition(mouseX, mouseY);
  m_BombEffect.Start();
  m_BombCutin.Start();
}

void cPlayerCharacter::SetScore(int score) {
  cPlayerM::SetScore(score);
  UpdateHiScore(m_Score, m_HiScoreName);
}

void cPlayerCharacter::AddScore(int amount) {
  cPlayerM::AddScore(amount);
  UpdateHiScore(m_Score, m_HiScoreName);
}

cPlayerAoria::cPlayerAoria(std::string iniFile) : cPlayerCharacter(std::move(iniFile), kHiScoreName) {}

void cPlayerAoria::OpenBombCells(int x, int y, const BoardList*, nsCore::IMine* board) {
  auto* cells = dynamic_cast<nsCore::cMine*>(board);
  if (cells == nullptr) return;
  for (std::int64_t dx = -kRadius; dx <= kRadius; ++dx) {
    const std::int64_t reach = kRadius - std::llabs(dx);
    for (std::int64_t dy = -reach; dy <= reach; ++dy) OpenCell(*cells, x + dx, y + dy);
  }
}

cPlayerKestrin::cPlayerKestrin(std::string iniFile) : cPlayerCharacter(std::move(iniFile), kHiScoreName) {}

void cPlayerKestrin::OpenBombCells(int x, int, const BoardList* boards, nsCore::IMine* board) {
  if (boards == nullptr) return;
  std::size_t first = 0;
  while (first < boards->size() && (*boards)[first].get() != board) ++first;
  for (std::size_t i = first; i < boards->size() && i < first + kBoardsReached; ++i) {
    nsCore::cMine& cells = *(*boards)[i];
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    cells.GetSize(width, height);
    for (std::int64_t cx = std::int64_t{x} - 1; cx <= std::int64_t{x} + 1; ++cx) {
      for (std::uint32_t cy = 0; cy < height; ++cy) OpenCell(cells, cx, cy);
    }
  }
}

}  // namespace nsVesk::nsGame::nsMine::nsEXPlayer
