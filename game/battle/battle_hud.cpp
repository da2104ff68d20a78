// The battle's picture: back image, life bar, Moffles, boards, icons, scores, the
// carried bomb icon, faces and the battle effects, from back to front.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "game/battle/battle_arithmetic.h"
#include "game/battle/battle_context.h"
#include "game/battle/battle_engine.h"
#include "game/core/program_objects.h"
#include "game/shell/shell_objects.h"

namespace nsVesk::nsGame {

namespace {

constexpr const char* kScoreFace = "HG行書体";
constexpr int kScoreSize = 20;
constexpr std::uint32_t kScoreColor = 0xFFFFFFFFu;
constexpr std::int32_t kFaceBaseline = 525;
constexpr std::int32_t kPlayerFaceX = 0;
constexpr std::int32_t kEnemyFaceX = 600;

// Full-width digits zero to nine.
constexpr const char* kWideDigits[10] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

void DrawPicture(cImageTable& table, const std::string& name, int x, int y, const Rect& source) {
  if (auto* picture = table.Find(name)) picture->Draw(x, y, 255, &source, 1.0f, 1.0f, 0.0f);
}

// Icons of `unit` points each for `value` points: the whole ones and a started one.
std::int64_t IconCount(std::int64_t value, std::int64_t unit) {
  if (unit <= 0 || value <= 0) return 0;
  return value / unit + (value % unit > 0 ? 1 : 0);
}

// The source of icon i: whole, or cut to the collected part of its unit.
Rect IconSource(Rect whole, std::int64_t rest, std::int64_t unit) {
  if (rest < unit) {
    const double width = static_cast<double>(std::int64_t{whole.right} - whole.left);
    whole.right = ClampToInt32(std::int64_t{whole.left} +
                               static_cast<std::int64_t>(static_cast<double>(rest) / static_cast<double>(unit) * width));
  }
  return whole;
}

}  // namespace

std::string cBattleContext::ScoreText(std::int32_t score) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08d", static_cast<int>(score));
  std::string text;
  for (const char* c = digits; *c != '\0'; ++c) {
    if (*c >= '0' && *c <= '9') {
      text += kWideDigits[*c - '0'];
    } else {
      text += *c;  // a minus sign stays as it is
    }
  }
  return text;
}

void cBattleContext::DrawBombIconFronts() {
  const std::int64_t bomb = m_Player->GetBomb();
  const std::int64_t need = m_Player->GetNeedBombP();
  const std::int64_t count =
      std::min<std::int64_t>(IconCount(bomb, need), static_cast<std::int64_t>(m_BombIconClickRect.size()));
  for (std::int64_t i = 0; i < count; ++i) {
    const Rect& slot = m_BombIconClickRect[static_cast<std::size_t>(i)];
    DrawPicture(m_BombIconImages, nsMine::nsEXEffect::cEffecterBombIcon::kImageName, slot.left, slot.top,
                IconSource(m_BombIconFrontSrcRect, bomb - i * need, need));
  }
}

void cBattleContext::DrawAtkRateIcons() {
  for (const Point& place : m_AtkRateIconBackPosition) {
    DrawPicture(m_HudImages, "AtkRateIconImageB", place.x, place.y, m_AtkRateIconBackSrcRect);
  }
  const std::int64_t rate = m_Player->GetAtkRate();
  const std::int64_t count =
      std::min<std::int64_t>(IconCount(rate, 100), static_cast<std::int64_t>(m_AtkRateIconPosition.size()));
  for (std::int64_t i = 0; i < count; ++i) {
    const Point& place = m_AtkRateIconPosition[static_cast<std::size_t>(i)];
    DrawPicture(m_HudImages, "AtkRateIconImageF", place.x, place.y,
                IconSource(m_AtkRateIconFrontSrcRect, rate - 100 * i, 100));
  }
}

void cBattleContext::DrawFaces() {
  enum Face { kWin, kNormal, kCrisis, kLose };
  const std::int32_t life = m_Enemy->GetLife();
  const std::int32_t max = m_Enemy->GetMaxLife();
  Face enemyFace = kNormal;
  Face playerFace = kNormal;
  if (life == 0) {
    enemyFace = kLose;
    playerFace = kWin;
  } else if (life == max) {
    enemyFace = kWin;
    playerFace = kLose;
  } else if (life < max / 4) {
    enemyFace = kCrisis;
  } else if (std::int64_t{life} > std::int64_t{max} * 3 / 4) {
    playerFace = kCrisis;
  }
  static constexpr const char* kNames[] = {"OnWin", "OnNormal", "OnCrisis", "OnLose"};
  auto draw = [](auto* side, Face face, std::int32_t x) {
    Rect* rects[] = {side->GetOnWinRect(), side->GetOnNormalRect(), side->GetOnCrisisRect(), side->GetOnLoseRect()};
    const Rect source = *rects[face];
    const std::int32_t y = ClampToInt32(std::int64_t{kFaceBaseline} - (std::int64_t{source.bottom} - source.top));
    DrawPicture(*side->GetImageTable(), kNames[face], x, y, source);
  };
  draw(m_Enemy, enemyFace, kEnemyFaceX);
  draw(m_Player, playerFace, kPlayerFaceX);
}

void cBattleContext::DrawHud() {
  // Nothing to show before the select scene and the battle scene have set both sides.
  if (m_Player == nullptr || m_Enemy == nullptr) return;
  int x = 0;
  int y = 0;
  g_InputManager.GetMousePos(x, y);

  DrawPicture(m_HudImages, "BG", 0, 0, m_BackSrcRect);

  // The life bar slides left by half its filled length; with no positive maximum
  // there is nothing filled and the Moffles see 0 percent.
  const std::int64_t life = m_Enemy->GetLife();
  const std::int64_t max = m_Enemy->GetMaxLife();
  const std::int64_t barWidth = std::int64_t{m_EnemyLifeBarSrcRect.right} - m_EnemyLifeBarSrcRect.left;
  const std::int64_t filled = max > 0 ? life * barWidth / max : 0;
  DrawPicture(m_HudImages, "EnemyLifeBar", ClampToInt32(m_EnemyLifeBarPosition.x - filled / 2),
              m_EnemyLifeBarPosition.y, m_EnemyLifeBarSrcRect);
  const std::int32_t percent = max > 0 ? ClampToInt32(life * 100 / max) : 0;
  m_Player->UpdateMoffles(percent);
  m_Enemy->UpdateMoffles(percent);

  for (auto board = m_Boards.rbegin(); board != m_Boards.rend(); ++board) (*board)->Draw();

  for (const Rect& slot : m_BombIconBackRect) {
    DrawPicture(m_HudImages, "BombIconImageB", slot.left, slot.top, m_BombIconBackSrcRect);
  }
  const auto bomb = static_cast<std::uint32_t>(m_Player->GetBomb());
  const auto need = static_cast<std::uint32_t>(m_Player->GetNeedBombP());
  if (m_BombIconMove.IsRunning()) {
    m_BombIconMove.SetBombs(bomb, need);
    m_BombIconMove.Update();
  } else if (m_BombIconReturn.IsRunning()) {
    m_BombIconReturn.SetBombs(bomb, need);
    m_BombIconReturn.Update();
  } else {
    DrawBombIconFronts();
  }

  DrawAtkRateIcons();

  g_Graphic.DrawFreeText(ScoreText(m_Player->GetScore()), kScorePosition.x, kScorePosition.y, kScoreColor,
                         kScoreFace, kScoreSize, false, false, 0.0f);
  // The high score: 0 while no character has kept one.
  std::int32_t hiScore = 0;
  auto* globals = TheBattleEngine().GetGlobalHeap();
  const std::string& hiScoreName = nsMine::nsEXPlayer::g_HiScoreVarName;
  if (globals != nullptr && !hiScoreName.empty() && globals->Exists(hiScoreName.c_str())) {
    hiScore = globals->Get(hiScoreName.c_str());
  }
  g_Graphic.DrawFreeText(ScoreText(hiScore), kHiScorePosition.x, kHiScorePosition.y, kScoreColor, kScoreFace,
                         kScoreSize, false, false, 0.0f);

  if (m_BombArmed) {
    DrawPicture(m_BombIconImages, nsMine::nsEXEffect::cEffecterBombIcon::kImageName, x, y, m_BombIconFrontSrcRect);
  }

  DrawFaces();

  m_MineEffects.Run();
  m_HitEffects.Run();
  m_PowEffects.Run();
  m_BombEffects.Run();
  m_ScoreEffects.Run();
  m_AllClear.Update();
  m_Enemy->DrawCutin();
  m_Player->DrawEffects();
}

}  // namespace nsVesk::nsGame
