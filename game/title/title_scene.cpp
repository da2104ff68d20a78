#include "game/title/title_scene.h"

#include <string>

#include "engine/api/sound_manager.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/shell/shell_objects.h"
#include "game/title/title_objects.h"
#include "platform/window/window.h"

namespace nsVesk::nsTitle {
namespace {

constexpr char kCommonIni[] = "Data/Common.ini";

struct MenuEntry {
  const char* section;
  const char* text;
};
constexpr std::array<MenuEntry, 4> kMenu{{
    {"Start", "開始"},
    {"CG", "ＣＧ鑑賞"},
    {"Option", "オプション"},
    {"End", "終了"},
}};

std::uint32_t CommonTime(const char* key) {
  return static_cast<std::uint32_t>(GetParamInt(kCommonIni, "Common", key, 0));
}

}  // namespace

cTitleScene::cTitleScene() {
  g_TitleImages.Load(kTitleBackImage, GetParamString(kTitleIni, "Title", "BackFileName", ""));
  m_Buttons = {&g_TitleButtonStart, &g_TitleButtonCG, &g_TitleButtonOption, &g_TitleButtonEnd};
  const std::string cursorSE = GetParamString(kTitleIni, "Title", "SEOnCursor", "");
  const std::string clickSE = GetParamString(kTitleIni, "Title", "SEONClicked", "");
  for (std::size_t i = 0; i < m_Buttons.size(); ++i) {
    const char* section = kMenu[i].section;
    const nsZarn::nsGraphics::Rect rect{GetParamInt(kTitleIni, section, "ClickRect_Left", 0),
                                        GetParamInt(kTitleIni, section, "ClickRect_Top", 0),
                                        GetParamInt(kTitleIni, section, "ClickRect_Right", 0),
                                        GetParamInt(kTitleIni, section, "ClickRect_Bottom", 0)};
    m_Buttons[i]->SetRect(rect, 255);
    m_Buttons[i]->SetSounds(cursorSE, clickSE);
    m_Buttons[i]->SetText(kMenu[i].text, "HG行書体", 40);
    m_Buttons[i]->SetColors(0x808080, 0xFFFFFF, 0xFFFFFF, 0x404040);
  }
  m_FadeIn.SetColorAndTime(0, CommonTime("TimeFadein"));
  m_FadeOut.SetColorAndTime(0, CommonTime("TimeFadeout"));
  Reset();
}

cTitleScene::~cTitleScene() { g_TitleImages.Clear(); }

void cTitleScene::Reset() {
  for (std::size_t i = 0; i < m_Buttons.size(); ++i) {
    m_Buttons[i]->ResetState();
    m_Clicked[i] = false;
  }
  g_TitleButtonCG.SetDisabled(true);
  m_Timer.Reset();
  m_Timer.Pause();
  m_StartFadeIn = true;
  m_FadeOutStarted = false;
}

void cTitleScene::PreUpdate() {
  if (m_StartFadeIn) {
    m_FadeIn.Start();
    m_StartFadeIn = false;
  }
}

void cTitleScene::Update() {
  // The music is started again whenever it is not the one playing.
  if (g_NovelPlayer != nullptr) {
    if (auto* sound = g_NovelPlayer->GetSoundManager()) {
      const std::string music = GetParamString(kTitleIni, "Title", "BGMFileName", "");
      if (!sound->IsBGMPlaying(music.c_str())) sound->PlayBGM(music.c_str());
    }
  }
  if (m_Timer.IsPaused() && !m_FadeIn.IsRunning() && !m_FadeOut.IsRunning()) {
    g_InputManager.Update();
    for (std::size_t i = 0; i < m_Buttons.size(); ++i) {
      if (m_Buttons[i]->Update()) {
        m_Clicked[i] = true;
        m_Timer.Resume();
      }
    }
  } else if (!m_Timer.IsPaused()) {
    m_Timer.Update();
  }
}

void cTitleScene::Draw(bool present) {
  g_Graphic.Clear(0xFF000000u);
  if (m_FadeIn.IsRunning()) {
    m_FadeIn.Update();
  } else if (m_FadeOutStarted && !m_FadeOut.IsRunning()) {
    // The fade-out has ended: the screen stays black while the wait runs out.
  } else {
    DrawTitleBack();
    for (auto* button : m_Buttons) button->Draw();
    if (m_FadeOut.IsRunning()) m_FadeOut.Update();
  }
  if (present) g_Graphic.Present();
}

void cTitleScene::CheckNextScene() {
  if (!m_Timer.IsPaused() && !m_FadeOutStarted) {
    m_FadeOut.Start();
    m_FadeOutStarted = true;
  }
  if (m_Timer.IsPaused()) return;
  const auto wait = static_cast<std::uint32_t>(GetParamInt(kTitleIni, "Title", "WaitTime", 0));
  if (m_Timer.GetTime() < wait || m_FadeIn.IsRunning() || m_FadeOut.IsRunning()) return;
  if (m_Clicked[kStart]) {
    g_SceneManager.ResetAndPushScene(nsCore::kSceneSelect);
  } else if (m_Clicked[kOption]) {
    g_SceneManager.ResetAndPushScene(nsCore::kSceneOption);
  } else if (m_Clicked[kEnd]) {
    // Ends without the close question, which belongs to the window's close box.
    platform::DestroyWindow(g_Graphic.GetMainWindow());
  }
}

}  // namespace nsVesk::nsTitle
