#pragma once
// The title scene (scene id 1), the game's main menu: the back image with the four
// latched text buttons 開始, ＣＧ鑑賞 (always disabled), オプション and 終了, the
// title music kept playing, and an intro each time the scene starts or is reset.
//
// A click resumes a stopwatch and fades to black; the action follows once both
// fades have stopped and [Title] WaitTime ms have passed since the click: the
// select or option scene over the (reset) title, or the window destroyed. No input
// is read while a fade runs or after the click.

#include <array>
#include <cstdint>

#include "framework/scene/scene.h"
#include "framework/timer/timer.h"
#include "game/components/ui_button_text.h"
#include "game/core/scene_ids.h"
#include "game/effects/effecter_fade.h"
#include "game/title/effecter_title.h"

namespace nsVesk::nsTitle {

class cTitleScene : public nsZarn::nsFramework::nsScene::IScene {
 public:
  enum ButtonIndex : std::size_t { kStart = 0, kCG = 1, kOption = 2, kEnd = 3 };

  cTitleScene();
  cTitleScene(const cTitleScene&) = delete;
  cTitleScene& operator=(const cTitleScene&) = delete;
  // Empties the title's image table; the buttons are left as they are.
  ~cTitleScene() override;

  void Release() override { delete this; }
  // Re-arms the buttons, disables ＣＧ鑑賞, pauses the stopwatch at 0 and asks for
  // the intro.
  void Reset() override;
  void PreUpdate() override;
  void Update() override;
  void Draw(bool present) override;
  void CheckNextScene() override;
  std::int32_t GetStatus() override { return nsCore::kSceneTitle; }

  bool IsIntroRunning() { return m_FadeIn.IsRunning(); }
  bool IsFadingOut() { return m_FadeOut.IsRunning(); }
  bool IsClicked(std::size_t button) const { return m_Clicked.at(button); }
  std::uint32_t GetTimeSinceClick() const { return m_Timer.GetTime(); }

 private:
  std::array<nsComponent::UICButtonTextE1*, 4> m_Buttons{};
  std::array<bool, 4> m_Clicked{};
  nsZarn::nsTimer::Timer m_Timer;
  bool m_StartFadeIn = false;
  cEffecterTitle m_FadeIn;
  nsEffect::cEffecterFadeOut m_FadeOut;
  bool m_FadeOutStarted = false;
};

}  // namespace nsVesk::nsTitle
