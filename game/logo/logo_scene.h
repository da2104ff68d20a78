#pragma once
// The logo scene (scene id 0), the game's first scene: one logo image centred on
// black, faded in, held and faded out on the times of "Data/Logo/Logo.ini", with
// its sound effect started once the logo is fully shown; then the title follows.
// A left press skips: the logo freezes under a full-screen fade to the common fade
// colour, and the title follows when that fade has finished.
//
// All times are unsigned 32-bit milliseconds of the scene's stopwatch.

#include <cstdint>

#include "framework/scene/scene.h"
#include "framework/timer/timer.h"
#include "game/core/scene_ids.h"
#include "game/effects/effecter_fade.h"
#include "game/managers/image_table.h"

namespace nsVesk::nsLogo {

class cLogoScene : public nsZarn::nsFramework::nsScene::IScene {
 public:
  // Loads the logo as "BackImage", prepares the skip fade and starts the stopwatch.
  cLogoScene();
  cLogoScene(const cLogoScene&) = delete;
  cLogoScene& operator=(const cLogoScene&) = delete;
  ~cLogoScene() override;

  void Release() override { delete this; }
  void Reset() override;
  // Advances the stopwatch unless the skip fade runs.
  void PreUpdate() override;
  // Starts the sound effect once the fade-in time has passed; polls the input.
  void Update() override;
  void Draw(bool present) override;
  // A press starts the skip; the end of the logo or of the skip asks for the title.
  void CheckNextScene() override;
  std::int32_t GetStatus() override { return nsCore::kSceneLogo; }

  // The logo's alpha at stopwatch time t for the three phase lengths; negative
  // once all three have passed (the logo is no longer drawn).
  static std::int32_t LogoAlpha(std::uint32_t t, std::uint32_t fadeIn, std::uint32_t hold, std::uint32_t fadeOut);

  std::uint32_t GetTime() const { return m_Timer.GetTime(); }
  bool IsSkipping() const { return m_Skipped; }

 private:
  bool m_SEPlayed = false;
  nsZarn::nsTimer::Timer m_Timer;
  nsEffect::cEffecterFadeOut m_SkipFade;
  bool m_Skipped = false;
  cImageTable m_Images;
};

}  // namespace nsVesk::nsLogo
