#include "engine/scene/default_config_scene.h"

#include <algorithm>
#include <cstdint>

#include "engine/api/input_manager.h"
#include "engine/api/sound_manager.h"
#include "engine/api/text_manager.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/scene/scene_player.h"
#include "engine/scene/story_screen.h"

namespace nsTamskLib::nsScene {
namespace {

// A setting shown on a bar: a value the bar's range cannot show sits at its nearer
// end, so a script's slow auto wait or text speed (or a damaged setting) does not
// end the program when the screen opens.
unsigned ClampedRate(std::int64_t rate) {
  return static_cast<unsigned>(
      std::clamp<std::int64_t>(rate, 0, nsComponent::UICBarDraw::kMaxRate));
}

struct Label {
  const char* text;
  std::int32_t x;
  std::int32_t y;
};

constexpr Label kLabels[] = {
    {"オート速度", 60, 70}, {"テキスト表示速度", 60, 130}, {"BGM", 60, 190},
    {"SE", 60, 250},       {"音声", 60, 310},               {"画面設定", 190, 410},
    {"強制スキップ", 435, 410},
};

}  // namespace

DefaultConfigScene::DefaultConfigScene() {
  StyleScreenBar(m_AutoSpeedBar, 240, 75, 500, 10);
  StyleScreenBar(m_TextSpeedBar, 240, 135, 500, 10);
  StyleScreenBar(m_BGMBar, 240, 195, 500, 10);
  StyleScreenBar(m_SEBar, 240, 255, 500, 10);
  StyleScreenBar(m_VoiceBar, 240, 315, 500, 10);
  StyleScreenButton(m_WindowButton, 70, 440, 150, 30, "ウインドウ");
  StyleScreenButton(m_FullScreenButton, 240, 440, 150, 30, "フルスクリーン");
  StyleScreenButton(m_ForceSkipOnButton, 410, 440, 150, 30, "する");
  StyleScreenButton(m_ForceSkipOffButton, 580, 440, 150, 30, "しない");
  StyleScreenButton(m_BackButton, 620, 495, 120, 30, "戻る");
}

void DefaultConfigScene::SetEngine(nsCore::INovelEngine* engine) {
  IScene_Base::SetEngine(engine);
  for (nsComponent::UICBarDraw* bar : {&m_AutoSpeedBar, &m_TextSpeedBar, &m_BGMBar, &m_SEBar,
                                       &m_VoiceBar}) {
    bar->SetEngine(engine);
  }
  for (nsComponent::UICButtonDraw* button : {&m_WindowButton, &m_FullScreenButton,
                                             &m_ForceSkipOnButton, &m_ForceSkipOffButton,
                                             &m_BackButton}) {
    button->SetEngine(engine);
  }
}

void DefaultConfigScene::OnAutoSpeedBar() {
  m_Engine->GetTextManager()->SetAutoWait(m_AutoSpeedBar.GetRate() * 3 / 10);
}

// The bar sets the player's own text speed, the one kept in env.dat; a speed set by
// the script still takes precedence while it stands.
void DefaultConfigScene::OnTextSpeedBar() {
  m_Engine->GetDrawManager()->SetConfigTextSpeed(
      static_cast<std::int32_t>(m_TextSpeedBar.GetRate() / 20));
}

void DefaultConfigScene::OnBGMBar() {
  m_Engine->GetSoundManager()->SetDefaultBGMVolume(m_BGMBar.GetRate());
}

void DefaultConfigScene::OnSEBar() {
  m_Engine->GetSoundManager()->SetDefaultSEVolume(m_SEBar.GetRate());
}

void DefaultConfigScene::OnVoiceBar() {
  m_Engine->GetSoundManager()->SetDefaultVoiceVolume(m_VoiceBar.GetRate());
}

void DefaultConfigScene::RefreshBars() {
  nsSoundManager::ISoundManager& sound = *m_Engine->GetSoundManager();
  m_AutoSpeedBar.SetRate(
      ClampedRate(std::int64_t{m_Engine->GetTextManager()->GetAutoWait()} * 10 / 3));
  m_TextSpeedBar.SetRate(
      ClampedRate(std::int64_t{m_Engine->GetDrawManager()->GetConfigTextSpeed()} * 20));
  m_BGMBar.SetRate(ClampedRate(sound.GetDefaultBGMVolume()));
  m_SEBar.SetRate(ClampedRate(sound.GetDefaultSEVolume()));
  m_VoiceBar.SetRate(ClampedRate(sound.GetDefaultVoiceVolume()));
}

void DefaultConfigScene::Update() {
  IScenePlayer& player = Player();
  nsInputManager::IInputManager& input = *player.GetInputManager();
  input.Update();
  input.UpdateClickLock();

  nsSoundManager::ISoundManager& sound = *player.GetSoundManager();
  if (m_AutoSpeedBar.Update()) OnAutoSpeedBar();
  if (m_TextSpeedBar.Update()) OnTextSpeedBar();
  // A volume that follows its default is heard at the new default at once.
  if (m_BGMBar.Update()) {
    OnBGMBar();
    if (sound.IsBGMVolumeInvalid()) sound.ApplyBGMVolume(-1);
  }
  if (m_SEBar.Update()) {
    OnSEBar();
    if (sound.IsSEVolumeInvalid()) sound.ApplySEVolume(-1);
  }
  if (m_VoiceBar.Update()) {
    OnVoiceBar();
    if (sound.IsVoiceVolumeInvalid()) sound.ApplyVoiceVolume(-1);
  }

  nsDrawManager::IDrawManager& draw = *player.GetDrawManager();
  if (m_WindowButton.Update() && draw.IsFullScreen()) draw.SetFullScreen(false);
  if (m_FullScreenButton.Update() && !draw.IsFullScreen()) draw.SetFullScreen(true);
  nsTextManager::ITextManager& texts = *player.GetTextManager();
  if (m_ForceSkipOnButton.Update() && !texts.IsKidokuSkip()) texts.SetKidokuSkip(true);
  if (m_ForceSkipOffButton.Update() && texts.IsKidokuSkip()) texts.SetKidokuSkip(false);

  if (m_BackButton.Update() || input.IsConfigClose()) player.PopState();

  RefreshBars();
  const bool fullScreen = draw.IsFullScreen();
  m_WindowButton.SetDisabled(!fullScreen);
  m_FullScreenButton.SetDisabled(fullScreen);
  const bool forceSkip = texts.IsKidokuSkip();
  m_ForceSkipOnButton.SetDisabled(forceSkip);
  m_ForceSkipOffButton.SetDisabled(!forceSkip);
}

void DefaultConfigScene::Draw() {
  IScenePlayer& player = Player();
  if (player.GetState() != nsCore::kStateConfig) return;
  DrawFrozenStory(player);
  DimScreen(player);
  nsDrawManager::BaseDrawManager& draw = player.Draw();
  for (const Label& label : kLabels) {
    draw.DrawTextChecked(label.text, label.x, label.y, 255, kCaptionFont, kCaptionSize, 0xFFFFFF,
                         0, 0);
  }
  m_AutoSpeedBar.Draw();
  m_TextSpeedBar.Draw();
  m_BGMBar.Draw();
  m_SEBar.Draw();
  m_VoiceBar.Draw();
  m_WindowButton.Draw();
  m_FullScreenButton.Draw();
  m_ForceSkipOnButton.Draw();
  m_ForceSkipOffButton.Draw();
  m_BackButton.Draw();
  draw.Present();
}

}  // namespace nsTamskLib::nsScene
