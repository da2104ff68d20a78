#pragma once
// The option scene (scene id 2): the engine's own settings, changed at once and
// saved by the engine in "env.dat" at exit: the default music and sound-effect
// volumes in steps of 1000, the text speed among 30 (はやい), 60 (ふつう) and
// 90 (おそい), and the read-text skip on or off. 戻る fades to black and, once
// [Option] WaitTime ms have passed since its click, pops the scene.
//
// Stepped values are kept within their ranges (volumes 0..10000, text speed
// 30..90) and an arrow is disabled once its end is reached, so a value read from a
// settings file that is off the steps never reaches the engine out of range.

#include <array>
#include <cstdint>
#include <string>

#include "framework/scene/scene.h"
#include "framework/timer/timer.h"
#include "game/components/ui_button_text.h"
#include "game/core/scene_ids.h"
#include "game/effects/effecter_fade.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsOption {

class cOptionScene : public nsZarn::nsFramework::nsScene::IScene {
 public:
  // The buttons in the order of their parameter sections.
  enum Button : std::size_t {
    kBGMText, kSEText, kTextSpeedText, kKidokuSkipText,
    kBGMUp, kBGMDown, kSEUp, kSEDown, kTextSpeedUp, kTextSpeedDown,
    kKidokuSkipOn, kKidokuSkipOff, kBackButton, kButtonCount
  };

  cOptionScene();
  cOptionScene(const cOptionScene&) = delete;
  cOptionScene& operator=(const cOptionScene&) = delete;
  ~cOptionScene() override;

  void Release() override { delete this; }
  void Reset() override;
  void PreUpdate() override;
  void Update() override;
  void Draw(bool present) override;
  void CheckNextScene() override;
  std::int32_t GetStatus() override { return nsCore::kSceneOption; }

  nsComponent::UICButtonText& GetButton(Button button);
  bool IsFadingIn() { return m_FadeIn.IsRunning(); }
  bool IsFadingOut() { return m_FadeOut.IsRunning(); }

  // The rows' captions for a volume and a text speed.
  static std::string BGMLabel(int volume);
  static std::string SELabel(int volume);
  static std::string TextSpeedLabel(int speed);
  // A volume stepped by delta and kept within 0..10000; a text speed likewise
  // within 30..90.
  static unsigned StepVolume(int volume, int delta);
  static std::int32_t StepTextSpeed(std::int32_t speed, std::int32_t delta);

 private:
  // Rewrites the labels and the arrows' enabling from the engine's settings.
  void RefreshFromSettings();
  // Carries out a click on one of the setting buttons (4..12).
  void Act(Button button);

  std::array<nsComponent::UICButtonText, 4> m_Labels;
  std::array<nsComponent::UICButtonTextE2, 8> m_Settings;
  nsComponent::UICButtonTextE1 m_Back;
  bool m_BackClicked = false;
  nsZarn::nsTimer::Timer m_Timer;
  nsEffect::cEffecterFadeIn m_FadeIn;
  nsEffect::cEffecterFadeOut m_FadeOut;
  bool m_FadeOutStarted = false;
  bool m_StartFadeIn = false;
  cImageTable m_Images;
};

}  // namespace nsVesk::nsOption
