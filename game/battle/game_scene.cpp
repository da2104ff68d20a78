#include "game/battle/game_scene.h"

#include <cstdint>
#include <string>

#include "engine/api/sound_manager.h"
#include "game/battle/battle_context.h"
#include "game/battle/battle_engine.h"
#include "game/battle/enemy.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"
#include "game/shell/shell_objects.h"

namespace nsVesk::nsGame {

namespace {

constexpr const char* kCommonIni = "Data/Common.ini";
constexpr const char* kTitleIni = "Data/Title/Title.ini";
constexpr const char* kButtonFace = "HG行書体";
constexpr std::int32_t kButtonTextSize = 40;
constexpr std::uint32_t kOverlayColor = 0x80000000u;

nsTamskLib::nsSoundManager::ISoundManager* Sound() { return TheBattleEngine().GetSoundManager(); }

// Plays the round INI's [SE] sound unless it is playing already.
void PlayRoundEndSE(const std::string& key) {
  const std::string name = GetParamString(TheBattleContext().GetRoundIni(), "SE", key, "");
  if (!IsBattleSEPlaying(name)) PlayBattleSE(name);
}

void SetUpButton(nsComponent::UICButtonTextE1& button, const nsZarn::nsGraphics::Rect& rect, const char* text) {
  button.SetRect(rect, 255);
  button.SetSounds(GetParamString(kTitleIni, "Title", "SEOnCursor", ""),
                   GetParamString(kTitleIni, "Title", "SEONClicked", ""));
  button.SetText(text, kButtonFace, kButtonTextSize);
  button.SetColors(0x808080u, 0xFFFFFFu, 0xFFFFFFu, 0xFFFFFFu);
}

}  // namespace

cGameScene::cGameScene() {
  m_FadeIn.SetColorAndTime(0x000000u, static_cast<std::uint32_t>(GetParamInt(kCommonIni, "Common", "TimeFadein", 0)));
  m_FadeOut.SetColorAndTime(0x000000u,
                            static_cast<std::uint32_t>(GetParamInt(kCommonIni, "Common", "TimeFadeout", 0)));
  SetUpButton(m_RestartButton, nsZarn::nsGraphics::Rect{80, 280, 400, 320}, "最初からやり直す");
  SetUpButton(m_TitleButton, nsZarn::nsGraphics::Rect{440, 280, 720, 320}, "タイトルに戻る");

  cBattleContext& context = TheBattleContext();
  // A banner still shown from the previous round of this stage pays its reward now,
  // before the values of this round's start are taken. (Leaving the stage cancels
  // it, so it never reaches another stage.)
  if (context.GetAllClear().IsRunning()) context.GetAllClear().Stop();
  if (auto* player = context.GetPlayer()) {
    m_SavedBomb = player->GetBomb();
    m_SavedScore = player->GetScore();
    m_SavedNeedBombP = player->GetNeedBombP();
    m_SavedAtk = player->GetAtk();
    m_SavedBombAtk = player->GetBombAtk();
    m_SavedAtkRate = player->GetAtkRate();
  }
  context.SetEnemy(new nsMine::nsEXEnemy::cEnemyIni(EnemyIniOf(g_SelectChara, g_SelectEnemy, g_Round)));
  Reset();
}

void cGameScene::Reset() {
  m_FadeInPending = true;
  m_FirstUpdatePending = true;
  m_FadeOutStarted = false;
  m_GoNextRound = false;
  m_GoTitle = false;
  m_RestartButton.ResetState();
  m_TitleButton.ResetState();

  cBattleContext& context = TheBattleContext();
  // A banner of the round being restarted gives nothing to the new start.
  context.GetAllClear().Cancel();
  context.CreateBoards();
  if (auto* player = context.GetPlayer()) {
    player->SetBomb(m_SavedBomb);
    player->SetScore(m_SavedScore);
    player->SetNeedBombP(m_SavedNeedBombP);
    player->SetAtk(m_SavedAtk);
    player->SetBombAtk(m_SavedBombAtk);
    player->SetAtkRate(m_SavedAtkRate);
  }
}

void cGameScene::PreUpdate() {
  if (m_FadeInPending) {
    m_FadeIn.Start();
    m_FadeInPending = false;
  }
  g_InputManager.Update();
}

std::int32_t cGameScene::ClearBonus(std::int32_t round, std::uint32_t milliseconds) {
  std::int64_t base = 0;
  if (round == 0) base = 300000;
  if (round == 1) base = 600000;
  if (round == 2) base = 1000000;
  const std::int64_t bonus = base - std::int64_t{1000} * (milliseconds / 1000u);
  return bonus < 0 ? 0 : static_cast<std::int32_t>(bonus);
}

void cGameScene::StartFadeOut() {
  if (!m_FadeOutStarted) m_FadeOut.Start();
  m_FadeOutStarted = true;
}

void cGameScene::Update() {
  if (m_FadeIn.IsRunning() || m_FadeOut.IsRunning()) return;
  cBattleContext& context = TheBattleContext();
  // Without a character there is no round to play: back to the title.
  if (context.GetPlayer() == nullptr) {
    m_GoTitle = true;
    return;
  }
  if (m_FirstUpdatePending) {
    m_FirstUpdatePending = false;
    const std::string music = GetParamString(context.GetRoundIni(), "BGM", "BGM", "");
    if (auto* sound = Sound()) {
      if (!sound->IsBGMPlaying(music.c_str())) sound->PlayBGM(music.c_str());
    }
    m_RoundTimer.Reset();
  }
  // A round that has ended leaves no bomb in the hand.
  if (context.IsCleared() || context.IsLost()) context.PutBackCarriedBomb();
  if (context.IsCleared()) {
    UpdateCleared();
  } else if (context.IsLost()) {
    UpdateLost();
  } else {
    context.Update();
    if (context.IsCleared()) PlayRoundEndSE("OnGameClear");
    if (context.IsLost()) PlayRoundEndSE("OnGameOver");
  }
}

void cGameScene::UpdateCleared() {
  if (!m_RoundTimer.IsPaused()) {
    const std::uint32_t elapsed = m_RoundTimer.Update();
    if (auto* player = TheBattleContext().GetPlayer()) player->AddScore(ClearBonus(g_Round, elapsed));
    m_RoundTimer.Pause();
  }
  if (g_InputManager.IsLeftReleased()) {
    StartFadeOut();
    m_GoNextRound = true;
  }
}

void cGameScene::UpdateLost() {
  if (m_RestartButton.Update()) {
    Reset();
    // The push that restarted must not reach the title button too.
    g_InputManager.ResetButtons();
  }
  if (m_TitleButton.Update()) {
    m_GoTitle = true;
    StartFadeOut();
  }
}

void cGameScene::Draw(bool present) {
  g_Graphic.Clear(0xFF000000u);
  cBattleContext& context = TheBattleContext();
  context.DrawHud();
  if (context.IsCleared()) {
    g_Graphic.DrawFillRect(0, 0, 800, 600, kOverlayColor, 0.0f);
    g_Graphic.DrawFreeText("クリアー！", 300, 280, 0xFFFFFFFFu, "HG創英角ﾎﾟｯﾌﾟ体", 40, false, false, 0.0f);
  } else if (context.IsLost()) {
    g_Graphic.DrawFillRect(0, 0, 800, 600, kOverlayColor, 0.0f);
    m_RestartButton.Draw();
    m_TitleButton.Draw();
  }
  m_FadeIn.Update();
  m_FadeOut.Update();
  if (present) g_Graphic.Present();
}

void cGameScene::CheckNextScene() {
  if (m_FadeIn.IsRunning() || m_FadeOut.IsRunning()) return;
  auto* sound = Sound();
  auto& banner = TheBattleContext().GetAllClear();
  if (m_GoNextRound) {
    m_GoNextRound = false;
    ++g_Round;
    // Past the last round of the pairing (or beyond its table) the reward follows.
    if (g_Round < 0 || static_cast<std::size_t>(g_Round) >= RoundCountOf(g_SelectChara, g_SelectEnemy)) {
      g_Round = 0;
      // The stage is over: a banner still shown belongs to no round that follows.
      banner.Cancel();
      g_SceneManager.ChangeScene(nsCore::kSceneReward);
      if (sound != nullptr) {
        sound->StopAllSE();
        sound->StopBGM();
      }
    } else {
      TheBattleContext().LoadStage(RoundIniOf(g_SelectChara, g_SelectEnemy, g_Round));
      g_SceneManager.ChangeScene(nsCore::kSceneStory);
      if (sound != nullptr) sound->StopAllSE();
    }
  }
  if (m_GoTitle) {
    m_GoTitle = false;
    banner.Cancel();
    g_SceneManager.PopScene();
    if (sound != nullptr) {
      sound->StopAllSE();
      sound->StopBGM();
    }
  }
}

}  // namespace nsVesk::nsGame
