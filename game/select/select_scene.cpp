#include "game/select/select_scene.h"

#include <cstdio>
#include <string>

#include "engine/api/heaps.h"
#include "engine/api/sound_manager.h"
#include "game/battle/battle_context.h"
#include "game/battle/player.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"
#include "game/shell/shell_objects.h"

namespace nsVesk::nsSelect {
namespace {

constexpr char kCommonIni[] = "Data/Common.ini";

std::int32_t CharaCount() { return GetParamInt(kSelectIni, "CG", "CharaNum", 0); }

// Character c's button while it is below the character count as it stands.
bool IsCountedCharacter(std::size_t c) {
  const std::int32_t count = CharaCount();
  return count > 0 && c < static_cast<std::size_t>(count) && c < g_CharaButtons.size();
}

std::uint32_t CommonTime(const char* key) {
  return static_cast<std::uint32_t>(GetParamInt(kCommonIni, "Common", key, 0));
}

}  // namespace

bool IsStageOpen(std::int32_t chara, std::int32_t enemy) {
  if (RoundCountOf(chara, enemy) == 0) return false;
  if (enemy == 0) return true;
  if (g_NovelPlayer == nullptr) return false;
  const auto* globals = g_NovelPlayer->GetGlobalHeap();
  char name[64];
  std::snprintf(name, sizeof name, "Stage%d_%d", static_cast<int>(chara), static_cast<int>(enemy));
  return globals->Exists(name) && globals->Get(name) != 0;
}

void HandOffToBattle(std::int32_t chara, std::int32_t enemy) {
  using nsGame::nsMine::nsEXPlayer::cPlayerAoria;
  using nsGame::nsMine::nsEXPlayer::cPlayerKestrin;
  nsGame::cBattleContext& battle = nsGame::TheBattleContext();
  if (chara == 0) {
    battle.SetPlayer(new cPlayerAoria(CharaIniOf(0)));
  } else if (chara == 1) {
    battle.SetPlayer(new cPlayerKestrin(CharaIniOf(1)));
  }
  battle.LoadStage(RoundIniOf(chara, enemy, g_Round));
}

cSelectScene::cSelectScene() {
  BuildSelectionTables();
  m_BackButton.SetRect(GetParamRect(kSelectIni, "BackButton", "ClickRect"), 255);
  m_BackButton.SetSounds(GetParamString(kSelectIni, "CG", "SEOnCursor", ""),
                         GetParamString(kSelectIni, "CG", "SEONClicked", ""));
  m_BackButton.SetText("戻る", "HG行書体", 40);
  m_BackButton.SetColors(0x808080, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF);
  m_FadeIn.SetColorAndTime(0, CommonTime("TimeFadein"));
  m_FadeOut.SetColorAndTime(0, CommonTime("TimeFadeout"));
  m_FadeOutDecided.SetColorAndTime(0, CommonTime("TimeFadeout"));
  m_PageEffect.SetTime(static_cast<std::uint32_t>(GetParamInt(kSelectIni, "CG", "PageChangeEffectTime", 0)));
  Reset();
}

cSelectScene::~cSelectScene() { ClearSelectTables(); }

void cSelectScene::Reset() {
  m_BackButton.ResetState();
  m_Decided = false;
  m_BackRequested = false;
  m_BackTimer.Reset();
  m_BackTimer.Pause();
  m_Page = 0;
  m_FadeOutStarted = false;
  m_FirstFrame = true;
}

bool cSelectScene::AnyEffectRunning() {
  return m_FadeIn.IsRunning() || m_FadeOut.IsRunning() || m_PageEffect.IsRunning() || m_FadeOutDecided.IsRunning();
}

void cSelectScene::PreUpdate() {
  if (m_FirstFrame) {
    m_FadeIn.Start();
    m_FirstFrame = false;
  }
  for (std::size_t c = 0; c < g_CharaButtons.size(); ++c) {
    // Only the characters the battle can build are offered.
    g_CharaButtons[c]->SetDisabled(m_Page != 0 || c >= static_cast<std::size_t>(kPlayableCharacters));
  }
  for (std::size_t c = 0; c < g_EnemyButtons.size(); ++c) {
    const std::string enemyFile = EnemyFileOf(c);
    for (std::size_t e = 0; e < g_EnemyButtons[c].size(); ++e) {
      const std::string section = EnemySection(e);
      const bool open = IsStageOpen(static_cast<std::int32_t>(c), static_cast<std::int32_t>(e));
      const nsComponent::UICButtonDraw::LookImage look{
          GetParamString(enemyFile, section, open ? "FileName" : "UnknownFileName", ""),
          GetParamRect(enemyFile, section, "SrcRect")};
      g_EnemyButtons[c][e]->SetImages({look, look, look, look});
      g_EnemyButtons[c][e]->SetDisabled(!open);
    }
  }
}

void cSelectScene::Update() {
  if (!m_BackTimer.IsPaused()) return;
  if (AnyEffectRunning()) return;
  g_InputManager.Update();
  if (m_Page == 0) {
    for (std::size_t c = 0; IsCountedCharacter(c); ++c) {
      if (g_CharaButtons[c]->Update()) {
        m_Page = 1;
        g_SelectChara = static_cast<std::int32_t>(c);
        m_PageEffect.SetPages(0, 1);
        m_PageEffect.Start();
        return;
      }
    }
  } else if (g_SelectChara >= 0 && static_cast<std::size_t>(g_SelectChara) < g_EnemyButtons.size()) {
    const auto& enemies = g_EnemyButtons[static_cast<std::size_t>(g_SelectChara)];
    for (std::size_t e = 0; e < enemies.size(); ++e) {
      if (enemies[e]->Update()) {
        m_Decided = true;
        g_SelectEnemy = static_cast<std::int32_t>(e);
        m_FadeOutDecided.Start();
        return;
      }
    }
  }
  if (m_BackButton.Update()) {
    m_BackTimer.Resume();
    m_BackRequested = true;
  }
}

void cSelectScene::Draw(bool present) {
  g_Graphic.Clear(0xFF000000u);
  if (m_PageEffect.IsRunning()) {
    m_PageEffect.Update();
  } else if (m_FadeOutStarted && !m_FadeOut.IsRunning()) {
    // The back fade has ended: the screen stays black while the wait runs out.
  } else {
    DrawSelectBack();
    m_BackButton.Draw();
    if (m_Page == 0) {
      for (std::size_t c = 0; IsCountedCharacter(c); ++c) g_CharaButtons[c]->Draw();
    } else if (g_SelectChara >= 0 && static_cast<std::size_t>(g_SelectChara) < g_EnemyButtons.size()) {
      for (auto* enemy : g_EnemyButtons[static_cast<std::size_t>(g_SelectChara)]) enemy->Draw();
    }
    m_FadeIn.Update();
    m_FadeOut.Update();
    m_FadeOutDecided.Update();
  }
  if (present) g_Graphic.Present();
}

void cSelectScene::CheckNextScene() {
  if (m_Decided) {
    if (m_FadeOutDecided.IsRunning()) return;
    g_SceneManager.ChangeScene(nsCore::kSceneStory);
    if (g_NovelPlayer != nullptr) {
      if (auto* sound = g_NovelPlayer->GetSoundManager()) sound->StopBGM();
    }
    HandOffToBattle(g_SelectChara, g_SelectEnemy);
    // Handed on once: the change replaces this scene after the frame.
    m_Decided = false;
    return;
  }
  if (m_BackTimer.IsPaused()) return;
  if (!m_FadeOutStarted) {
    m_FadeOut.Start();
    m_FadeOutStarted = true;
  }
  m_BackTimer.Update();
  const auto wait = static_cast<std::uint32_t>(GetParamInt(kSelectIni, "CG", "WaitTime", 0));
  if (m_BackTimer.GetTime() >= wait && !AnyEffectRunning() && m_BackRequested) g_SceneManager.PopScene();
}

}  // namespace nsVesk::nsSelect
