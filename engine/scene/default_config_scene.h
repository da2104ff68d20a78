#pragma once
// DefaultConfigScene: the scene of the config state. Five bars set the auto-mode
// wait, the text speed and the three default volumes; two button pairs choose
// window or full-screen display and forced skipping on or off; a back button
// closes it. The bars show the stored settings again every frame.

#include "engine/component/ui_bar_draw.h"
#include "engine/component/ui_button_draw.h"
#include "engine/scene/scene_base.h"

namespace nsTamskLib::nsScene {

class DefaultConfigScene : public IScene_Base {
 public:
  DefaultConfigScene();

  void Initialize() override {}
  void PreUpdate() override {}
  void Update() override;
  void Draw() override;
  void PostUpdate() override {}
  // The engine goes to every bar and button too.
  void SetEngine(nsCore::INovelEngine* engine) override;

  // A bar's rate (0 to 10000) into its setting.
  virtual void OnAutoSpeedBar();
  virtual void OnTextSpeedBar();
  virtual void OnBGMBar();
  virtual void OnSEBar();
  virtual void OnVoiceBar();
  // Every bar from its setting, in the order auto, text, BGM, SE, voice.
  virtual void RefreshBars();

  const nsComponent::UICBarDraw& AutoSpeedBar() const { return m_AutoSpeedBar; }
  const nsComponent::UICBarDraw& TextSpeedBar() const { return m_TextSpeedBar; }
  const nsComponent::UICBarDraw& BGMBar() const { return m_BGMBar; }
  const nsComponent::UICBarDraw& SEBar() const { return m_SEBar; }
  const nsComponent::UICBarDraw& VoiceBar() const { return m_VoiceBar; }
  const nsComponent::UICButtonDraw& WindowButton() const { return m_WindowButton; }
  const nsComponent::UICButtonDraw& FullScreenButton() const { return m_FullScreenButton; }
  const nsComponent::UICButtonDraw& ForceSkipOnButton() const { return m_ForceSkipOnButton; }
  const nsComponent::UICButtonDraw& ForceSkipOffButton() const { return m_ForceSkipOffButton; }

 private:
  nsComponent::UICBarDraw m_AutoSpeedBar;
  nsComponent::UICBarDraw m_TextSpeedBar;
  nsComponent::UICBarDraw m_BGMBar;
  nsComponent::UICBarDraw m_SEBar;
  nsComponent::UICBarDraw m_VoiceBar;
  nsComponent::UICButtonDraw m_WindowButton;
  nsComponent::UICButtonDraw m_FullScreenButton;
  nsComponent::UICButtonDraw m_ForceSkipOnButton;
  nsComponent::UICButtonDraw m_ForceSkipOffButton;
  nsComponent::UICButtonDraw m_BackButton;
};

}  // namespace nsTamskLib::nsScene
