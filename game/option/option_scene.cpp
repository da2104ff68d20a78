#include "game/option/option_scene.h"

#include <algorithm>
#include <cstdio>

#include "engine/api/draw_manager.h"
#include "engine/api/sound_manager.h"
#include "engine/api/text_manager.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/shell/shell_objects.h"

namespace nsVesk::nsOption {
namespace {

constexpr char kOptionIni[] = "Data/Option/Option.ini";
constexpr char kCommonIni[] = "Data/Common.ini";
constexpr char kBackImage[] = "BackImage";
constexpr char kFont[] = "HG行書体";
constexpr std::int32_t kFontSize = 40;
constexpr int kMaxVolume = 10000;
constexpr int kVolumeStep = 1000;
constexpr std::int32_t kFastest = 30;
constexpr std::int32_t kNormalSpeed = 60;
constexpr std::int32_t kSlowest = 90;
constexpr std::int32_t kSpeedStep = 30;

struct ButtonEntry {
  const char* section;
  const char* text;
};
constexpr std::array<ButtonEntry, cOptionScene::kButtonCount> kButtons{{
    {"BGM_Text", "BGM音量 　　　　　　 100% 　　"},
    {"SE_Text", "SE音量　　　　　　　 100% 　　"},
    {"TextSpeed_Text", "テキスト速度　　　　　　　　　"},
    {"KidokuSkip_Text", "既読スキップ　　　　　　　　　"},
    {"BGM_Up", "▲"},
    {"BGM_Down", "▼"},
    {"SE_Up", "▲"},
    {"SE_Down", "▼"},
    {"TextSpeed_Up", "▲"},
    {"TextSpeed_Down", "▼"},
    {"KidokuSkip_On", "あり"},
    {"KidokuSkip_Off", "なし"},
    {"BackButton", "戻る"},
}};
// Drawn with 戻る between the labels and the setting buttons.
constexpr std::array<cOptionScene::Button, cOptionScene::kButtonCount> kDrawOrder{
    cOptionScene::kBGMText,      cOptionScene::kSEText,       cOptionScene::kTextSpeedText,
    cOptionScene::kKidokuSkipText, cOptionScene::kBackButton, cOptionScene::kBGMUp,
    cOptionScene::kBGMDown,      cOptionScene::kSEUp,         cOptionScene::kSEDown,
    cOptionScene::kTextSpeedUp,  cOptionScene::kTextSpeedDown, cOptionScene::kKidokuSkipOn,
    cOptionScene::kKidokuSkipOff};

std::uint32_t CommonTime(const char* key) {
  return static_cast<std::uint32_t>(GetParamInt(kCommonIni, "Common", key, 0));
}


nsTamskLib::nsSoundManager::ISoundManager* Sound() {
  return g_NovelPlayer != nullptr ? g_NovelPlayer->GetSoundManager() : nullptr;
}
nsTamskLib::nsDrawManager::IDrawManager* DrawSettings() {
  return g_NovelPlayer != nullptr ? g_NovelPlayer->GetDrawManager() : nullptr;
}
nsTamskLib::nsTextManager::ITextManager* TextSettings() {
  return g_NovelPlayer != nullptr ? g_NovelPlayer->GetTextManager() : nullptr;
}

}  // namespace

cOptionScene::cOptionScene() {
  m_Images.Load(kBackImage, GetParamString(kOptionIni, "Option", "BackFileName", ""));
  const std::string cursorSE = GetParamString(kOptionIni, "Option", "SEOnCursor", "");
  const std::string clickSE = GetParamString(kOptionIni, "Option", "SEONClicked", "");
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    const char* section = kButtons[i].section;
    const nsZarn::nsGraphics::Rect rect{GetParamInt(kOptionIni, section, "ClickRect_Left", 0),
                                        GetParamInt(kOptionIni, section, "ClickRect_Top", 0),
                                        GetParamInt(kOptionIni, section, "ClickRect_Right", 0),
                                        GetParamInt(kOptionIni, section, "ClickRect_Bottom", 0)};
    auto& button = GetButton(static_cast<Button>(i));
    button.SetRect(rect, 255);
    button.SetSounds(cursorSE, clickSE);
    button.SetText(kButtons[i].text, kFont, kFontSize);
    button.SetColors(0x808080, 0xFFFFFF, 0xFFFFFF, 0x404040);
  }
  m_FadeIn.SetColorAndTime(0, CommonTime("TimeFadein"));
  m_FadeOut.SetColorAndTime(0, CommonTime("TimeFadeout"));
  Reset();
}

cOptionScene::~cOptionScene() { m_Images.Clear(); }

nsComponent::UICButtonText& cOptionScene::GetButton(Button button) {
  if (button < kBGMUp) return m_Labels.at(button);
  if (button < kBackButton) return m_Settings.at(button - kBGMUp);
  return m_Back;
}

std::string cOptionScene::BGMLabel(int volume) {
  char text[128];
  std::snprintf(text, sizeof text, "BGM音量 　　　　　　 %3d%% 　　", volume / 100);
  return text;
}

std::string cOptionScene::SELabel(int volume) {
  char text[128];
  std::snprintf(text, sizeof text, "SE音量　　　　　　　 %3d%% 　　", volume / 100);
  return text;
}

std::string cOptionScene::TextSpeedLabel(int speed) {
  const char* word = "";
  if (speed == kFastest) word = "はやい";
  else if (speed == kNormalSpeed) word = "ふつう";
  else if (speed == kSlowest) word = "おそい";
  char text[128];
  std::snprintf(text, sizeof text, "テキスト速度　　　　%s　　　", word);
  return text;
}

unsigned cOptionScene::StepVolume(int volume, int delta) {
  const std::int64_t stepped = static_cast<std::int64_t>(volume) + delta;
  return static_cast<unsigned>(std::clamp<std::int64_t>(stepped, 0, kMaxVolume));
}

std::int32_t cOptionScene::StepTextSpeed(std::int32_t speed, std::int32_t delta) {
  const std::int64_t stepped = static_cast<std::int64_t>(speed) + delta;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(stepped, kFastest, kSlowest));
}

void cOptionScene::Reset() {
  m_Back.ResetState();
  m_BackClicked = false;
  m_Timer.Reset();
  m_Timer.Pause();
  m_FadeOutStarted = false;
  m_StartFadeIn = true;
}

void cOptionScene::PreUpdate() {
  if (m_StartFadeIn) {
    m_FadeIn.Start();
    m_StartFadeIn = false;
  }
}

void cOptionScene::RefreshFromSettings() {
  if (auto* sound = Sound()) {
    const int bgm = sound->GetDefaultBGMVolume();
    const int se = sound->GetDefaultSEVolume();
    m_Labels[kBGMText].SetText(BGMLabel(bgm), kFont, kFontSize);
    m_Labels[kSEText].SetText(SELabel(se), kFont, kFontSize);
    GetButton(kBGMUp).SetDisabled(bgm >= kMaxVolume);
    GetButton(kBGMDown).SetDisabled(bgm <= 0);
    GetButton(kSEUp).SetDisabled(se >= kMaxVolume);
    GetButton(kSEDown).SetDisabled(se <= 0);
  }
  if (auto* draw = DrawSettings()) {
    const std::int32_t speed = draw->GetConfigTextSpeed();
    m_Labels[kTextSpeedText].SetText(TextSpeedLabel(speed), kFont, kFontSize);
    GetButton(kTextSpeedUp).SetDisabled(speed <= kFastest);
    GetButton(kTextSpeedDown).SetDisabled(speed >= kSlowest);
  }
  if (auto* text = TextSettings()) {
    const bool skip = text->IsKidokuSkip();
    GetButton(kKidokuSkipOn).SetDisabled(skip);
    GetButton(kKidokuSkipOff).SetDisabled(!skip);
  }
}

void cOptionScene::Act(Button button) {
  auto* sound = Sound();
  auto* draw = DrawSettings();
  auto* text = TextSettings();
  switch (button) {
    case kBGMUp:
    case kBGMDown:
      if (sound == nullptr) break;
      sound->SetDefaultBGMVolume(
          StepVolume(sound->GetDefaultBGMVolume(), button == kBGMUp ? kVolumeStep : -kVolumeStep));
      // Without a volume set by the script the playing music follows at once.
      if (sound->IsBGMVolumeInvalid()) sound->ApplyBGMVolume(-1);
      break;
    case kSEUp:
    case kSEDown:
      if (sound == nullptr) break;
      sound->SetDefaultSEVolume(
          StepVolume(sound->GetDefaultSEVolume(), button == kSEUp ? kVolumeStep : -kVolumeStep));
      if (sound->IsSEVolumeInvalid()) sound->ApplySEVolume(-1);
      break;
    case kTextSpeedUp:
      if (draw != nullptr) draw->SetConfigTextSpeed(StepTextSpeed(draw->GetConfigTextSpeed(), -kSpeedStep));
      break;
    case kTextSpeedDown:
      if (draw != nullptr) draw->SetConfigTextSpeed(StepTextSpeed(draw->GetConfigTextSpeed(), kSpeedStep));
      break;
    case kKidokuSkipOn:
      if (text != nullptr) text->SetKidokuSkip(true);
      break;
    case kKidokuSkipOff:
      if (text != nullptr) text->SetKidokuSkip(false);
      break;
    case kBackButton:
      m_Timer.Resume();
      m_BackClicked = true;
      break;
    default:
      break;
  }
}

void cOptionScene::Update() {
  RefreshFromSettings();
  if (m_Timer.IsPaused() && !m_FadeIn.IsRunning() && !m_FadeOut.IsRunning()) {
    g_InputManager.Update();
    for (auto& label : m_Labels) label.Update();
    for (std::size_t i = kBGMUp; i < kButtonCount; ++i) {
      const auto button = static_cast<Button>(i);
      if (GetButton(button).Update()) Act(button);
    }
  } else if (!m_Timer.IsPaused()) {
    m_Timer.Update();
  }
}

void cOptionScene::Draw(bool present) {
  g_Graphic.Clear(0xFF000000u);
  // Once the fade-out has ended the screen stays black while the wait runs out.
  if (m_FadeOutStarted && !m_FadeOut.IsRunning()) {
    if (present) g_Graphic.Present();
    return;
  }
  if (auto* image = m_Images.Find(kBackImage)) {
    const nsZarn::nsGraphics::Rect source{GetParamInt(kOptionIni, "Option", "BackSrcRect_Left", 0),
                                          GetParamInt(kOptionIni, "Option", "BackSrcRect_Top", 0),
                                          GetParamInt(kOptionIni, "Option", "BackSrcRect_Right", 0),
                                          GetParamInt(kOptionIni, "Option", "BackSrcRect_Bottom", 0)};
    image->Draw(0, 0, 255, &source, 1.0f, 1.0f, 0.0f);
  }
  for (const Button button : kDrawOrder) GetButton(button).Draw();
  m_FadeIn.Update();
  m_FadeOut.Update();
  if (present) g_Graphic.Present();
}

void cOptionScene::CheckNextScene() {
  if (!m_Timer.IsPaused() && !m_FadeOutStarted) {
    m_FadeOut.Start();
    m_FadeOutStarted = true;
  }
  if (m_Timer.IsPaused()) return;
  const auto wait = static_cast<std::uint32_t>(GetParamInt(kOptionIni, "Option", "WaitTime", 0));
  if (m_Timer.GetTime() >= wait && !m_FadeIn.IsRunning() && !m_FadeOut.IsRunning() && m_BackClicked) {
    g_SceneManager.PopScene();
  }
}

}  // namespace nsVesk::nsOption
