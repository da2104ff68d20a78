#include "game/battle/battle_context.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "engine/api/sound_manager.h"
#include "game/battle/battle_arithmetic.h"
#include "game/battle/battle_engine.h"
#include "game/battle/mine_cell.h"
#include "game/shell/shell_objects.h"

namespace nsVesk::nsGame {

using nsMine::BoardList;
using nsMine::nsEXEffect::cEffecterOnOpenChip;

cBattleContext::cBattleContext()
    : m_BombIconMove(&m_BombIconImages),
      m_BombIconReturn(&m_BombIconImages),
      m_MineAnimation(&m_HudImages),
      m_HitTemplate(&m_EffectImages),
      m_PowTemplate(&m_EffectImages),
      m_BombTemplate(&m_EffectImages),
      m_ScoreTemplate(&m_EffectImages),
      m_AllClear(this) {}

cBattleContext::~cBattleContext() {
  delete m_Player;
  m_Player = nullptr;
  delete m_Enemy;
  m_Enemy = nullptr;
  m_ActiveBoard = nullptr;
  m_Boards.clear();
}

cBattleContext& TheBattleContext() {
  static cBattleContext context;
  return context;
}

bool cBattleContext::IsCleared() const {
  return m_Boards.empty() || (m_Enemy != nullptr && m_Enemy->GetLife() <= 0);
}

bool cBattleContext::IsLost() const {
  return m_Enemy != nullptr && m_Enemy->GetLife() >= m_Enemy->GetMaxLife();
}

void cBattleContext::SetPlayer(IPlayerM* player) {
  if (m_Player != player) delete m_Player;
  m_Player = player;
  // A new character starts a new stage: a banner of another stage pays nothing.
  m_AllClear.Cancel();
}

void cBattleContext::SetEnemy(IEnemyM* enemy) {
  if (m_Enemy != enemy) delete m_Enemy;
  m_Enemy = enemy;
}

// --- The boards' host ---

nsMine::BoardMouse cBattleContext::GetBoardMouse() const {
  nsMine::BoardMouse mouse;
  g_InputManager.GetMousePos(mouse.x, mouse.y);
  mouse.leftReleased = g_InputManager.IsLeftReleased();
  mouse.rightReleased = g_InputManager.IsRightReleased();
  return mouse;
}

void cBattleContext::LoadSE(const std::string& file) {
  if (file.empty()) return;
  if (auto* sound = TheBattleEngine().GetSoundManager()) sound->LoadSE(file.c_str());
}

void cBattleContext::PlaySE(const std::string& file) { PlayBattleSE(file); }

nsMine::ChipRewards cBattleContext::GetChipRewards() const {
  nsMine::ChipRewards rewards;
  rewards.addAtkRateOnOpenPow = m_AddAtkRateOnOpenPow;
  rewards.maxPlayerAtkRate = m_MaxPlayerAtkRate;
  rewards.addBombOnOpenBomb = m_AddBombOnOpenBomb;
  rewards.maxPlayerBomb = m_MaxPlayerBomb;
  rewards.addScoreOnOpenScore = m_AddScoreOnOpenScore;
  return rewards;
}

const cBattleContext::IMine* cBattleContext::GetBoardAbove(const IMine& board) const {
  for (std::size_t i = 1; i < m_Boards.size(); ++i) {
    if (m_Boards[i].get() == &board) return m_Boards[i - 1].get();
  }
  return nullptr;
}

void cBattleContext::SpawnReward(const cEffecterOnOpenChip& source, nsEffect::cEffecterList& list, bool hasTarget,
                                 Point target) {
  // A round without a place for the reward to fly to still pays it; only the
  // flight is left out.
  if (!hasTarget) return;
  int x = 0;
  int y = 0;
  g_InputManager.GetMousePos(x, y);
  auto* effect = new cEffecterOnOpenChip(source);
  effect->SetPoints(x, y, target.x, target.y);
  list.Add(effect);
}

void cBattleContext::SpawnPowEffect() {
  const bool has = !m_AtkRateIconPosition.empty();
  SpawnReward(m_PowTemplate, m_PowEffects, has, has ? m_AtkRateIconPosition[0] : Point{0, 0});
}

void cBattleContext::SpawnBombEffect() {
  const bool has = !m_BombIconClickRect.empty();
  SpawnReward(m_BombTemplate, m_BombEffects, has,
              has ? Point{m_BombIconClickRect[0].right, m_BombIconClickRect[0].bottom} : Point{0, 0});
}

void cBattleContext::SpawnScoreEffect() { SpawnReward(m_ScoreTemplate, m_ScoreEffects, true, kScorePosition); }

// --- Arithmetic of the step ---

std::int32_t cBattleContext::AttackMultiplier(std::int32_t atkRate) {
  return static_cast<std::int32_t>((std::int64_t{atkRate} - 100) / 4 + 100);
}

std::int32_t cBattleContext::SpeedScore(std::uint32_t milliseconds) {
  if (milliseconds <= 300) return 1000;
  if (milliseconds <= 700) return 500;
  if (milliseconds <= 1000) return 250;
  if (milliseconds <= 2000) return 120;
  if (milliseconds <= 3000) return 50;
  if (milliseconds <= 5000) return 20;
  return 10;
}

void cBattleContext::Damage(std::int32_t attack) {
  if (m_Enemy == nullptr || m_Player == nullptr) return;
  const std::int64_t amount = std::int64_t{attack} * AttackMultiplier(m_Player->GetAtkRate()) / 100;
  m_Enemy->AddLife(ClampToInt32(-amount));
}

std::int32_t cBattleContext::HitTargetX() const {
  // With no positive maximum the bar has no filled part to aim at.
  const std::int64_t max = m_Enemy != nullptr ? m_Enemy->GetMaxLife() : 0;
  if (max <= 0) return 800;
  const std::int64_t width = std::int64_t{m_EnemyLifeBarSrcRect.right} - m_EnemyLifeBarSrcRect.left;
  const std::int64_t filled = std::int64_t{m_Enemy->GetLife()} * width / max;
  return ClampToInt32(800 - filled / 2);
}

// --- Round start ---

void cBattleContext::StartRound() {
  if (m_Enemy != nullptr) m_Enemy->Load();
  for (auto& board : m_Boards) {
    board->Reset();
    board->ClearCells();
    board->PlaceMines();
    board->PlaceChips(nsMine::ChipKind::Pow, m_PowNum);
    board->PlaceChips(nsMine::ChipKind::Bomb, m_BombNum);
    board->PlaceChips(nsMine::ChipKind::Score, m_ScoreNum);
    board->RecountNeighbours();
  }
  m_SpeedTimer.Reset();
  m_BombArmed = false;
  m_BombIconMove.Stop();
  m_BombIconReturn.Stop();
  m_ActiveBoard = nullptr;
}

// --- The battle step ---

BoardList::iterator cBattleContext::Find(const IMine* board) {
  return std::find_if(m_Boards.begin(), m_Boards.end(), [board](const auto& entry) { return entry.get() == board; });
}

BoardList::iterator cBattleContext::RemoveClearedBoard(BoardList::iterator board) {
  // The release that cleared the board must act on no other board.
  g_InputManager.ResetButtons();
  if (m_ActiveBoard == board->get()) m_ActiveBoard = nullptr;
  m_AllClear.Start();
  return m_Boards.erase(board);
}

void cBattleContext::Update() {
  if (m_Enemy == nullptr || m_Player == nullptr) return;
  if (m_Enemy->GetLife() <= 0 || m_Boards.empty() || m_Enemy->GetLife() >= m_Enemy->GetMaxLife()) return;

  m_SpeedTimer.Update();
  m_Enemy->Update();

  int mx = 0;
  int my = 0;
  g_InputManager.GetMousePos(mx, my);

  // Picking up a bomb icon, only from a slot that shows a whole bomb (a bomb
  // costing nothing is never picked up).
  const std::int32_t need = m_Player->GetNeedBombP();
  if (need > 0 && m_Player->GetBomb() >= need && g_InputManager.IsLeftPushed()) {
    const auto wholeIcons = static_cast<std::size_t>(m_Player->GetBomb() / need);
    for (std::size_t i = 0; i < m_BombIconClickRect.size() && i < wholeIcons; ++i) {
      const Rect& slot = m_BombIconClickRect[i];
      if (slot.left <= mx && mx <= slot.right && slot.top <= my && my <= slot.bottom) {
        m_BombIconMove.SetPicked(static_cast<std::uint32_t>(i));
        m_BombIconReturn.SetPicked(static_cast<std::uint32_t>(i));
        m_BombArmed = true;
        m_BombIconMove.Start();
        break;
      }
    }
  }

  // The walk over the stack, top board first. The taker is the board that took the
  // click; a taker that was removed in this step is remembered only as "taken".
  IMine* taker = nullptr;
  bool takerRemoved = false;
  auto it = m_Boards.begin();
  while (it != m_Boards.end()) {
    if (taker != nullptr || takerRemoved) break;
    nsMine::nsEX::cMineEx& board = **it;
    std::uint32_t cx = 0;
    std::uint32_t cy = 0;
    // Off the board, a board without a cell size, and a plain open cell let the
    // cursor through to the board below.
    if (!board.CellAtPoint(mx, my, cx, cy) ||
        board.GetCell(static_cast<int>(cx), static_cast<int>(cy)) == nsMine::kCellOpen) {
      ++it;
      continue;
    }
    if (m_BombArmed && g_InputManager.IsLeftReleased()) {
      m_BombArmed = false;
      m_BombIconMove.Stop();
      m_Player->UseBomb(static_cast<int>(cx), static_cast<int>(cy), &m_Boards, &board, mx, my);
      Damage(m_Player->GetBombAtk());
      board.SetActive(true);
      taker = &board;
      // A bomb may open the last cells of this board and of the boards below it.
      for (auto& each : m_Boards) each->CheckCleared();
    } else {
      board.OnClick();
      if (board.GetOpenedThisClick() > 0) {
        if (board.IsMineOpened()) {
          m_Enemy->AddLife(m_AddLifeOnOpenMine);
          const std::int32_t rate = m_Player->GetAtkRate();
          m_Player->SetAtkRate(std::int64_t{rate} > std::int64_t{m_SubAtkRateOnOpenMine} + 100
                                   ? WrapAdd(rate, -m_SubAtkRateOnOpenMine)
                                   : 100);
          PlayBattleSE(m_OnOpenMine);
          board.SetMineOpened(false);
          // The mine may have been the last thing between the board and its clearing.
          board.CheckCleared();
          auto* animation = new nsEffect::cEffecterAnimation(m_MineAnimation);
          animation->SetPosition(mx, my);
          m_MineEffects.Add(animation);
        } else {
          auto* hit = new cEffecterOnOpenChip(m_HitTemplate);
          hit->SetPoints(mx, my, HitTargetX(), kHitTargetY);
          m_HitEffects.Add(hit);
          m_Player->AddBomb(m_AddBombOnOpenChip);
          if (m_Player->GetBomb() > m_MaxPlayerBomb) m_Player->SetBomb(m_MaxPlayerBomb);
          Damage(m_Player->GetAtk());
          m_Player->AddScore(SpeedScore(m_SpeedTimer.GetTime()));
          m_SpeedTimer.Reset();
        }
      }
      if (board.IsActive()) taker = &board;
    }
    if (board.IsCleared()) {
      // Removing the active board leaves no taker, and the walk goes on below it;
      // removing a taker that was not active ends the walk with no active board.
      if (m_ActiveBoard == &board) {
        taker = nullptr;
      } else if (taker == &board) {
        taker = nullptr;
        takerRemoved = true;
      }
      it = RemoveClearedBoard(it);
      continue;  // the board below has moved into this place
    }
    ++it;
  }

  if (taker != nullptr) {
    m_ActiveBoard = taker;
  } else if (takerRemoved) {
    m_ActiveBoard = nullptr;
  }
  // Boards whose clearing came from a mine or a bomb elsewhere in the stack.
  for (auto each = m_Boards.begin(); each != m_Boards.end();) {
    if ((*each)->IsCleared()) {
      each = RemoveClearedBoard(each);
    } else {
      ++each;
    }
  }
  for (auto& board : m_Boards) board->SetActive(board.get() == m_ActiveBoard);

  // Dropped elsewhere: the icon flies back to its slot.
  if (m_BombArmed && g_InputManager.IsLeftReleased()) ReturnCarriedBomb(mx, my);
}

void cBattleContext::PutBackCarriedBomb() {
  if (!m_BombArmed) return;
  int x = 0;
  int y = 0;
  g_InputManager.GetMousePos(x, y);
  ReturnCarriedBomb(x, y);
}

void cBattleContext::ReturnCarriedBomb(int x, int y) {
  m_BombArmed = false;
  m_BombIconMove.Stop();
  m_BombIconReturn.SetStartPoint(x, y);
  m_BombIconReturn.Start();
}

}  // namespace nsVesk::nsGame
