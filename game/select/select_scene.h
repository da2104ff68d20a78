#pragma once
// The select scene (scene id 3): page 0 holds a button per character, page 1 the
// chosen character's enemy (stage) buttons, and 戻る is on both. A character
// click cross-fades to page 1; an enemy click fades to black, hands the character
// and the stage's first round to the battle and changes to the story; 戻る fades
// to black and pops back to the title after [CG] WaitTime ms.
//
// Stage e of character c is open when e is 0 or the engine's global variable
// "Stage<c>_<e>" exists and is not 0, checked every frame; a locked stage shows
// its UnknownFileName image and cannot be chosen. A stage without rounds is
// locked too (there is no round to play), and so are characters beyond the two
// the battle knows.

#include <cstdint>

#include "framework/scene/scene.h"
#include "framework/timer/timer.h"
#include "game/components/ui_button_text.h"
#include "game/core/scene_ids.h"
#include "game/effects/effecter_fade.h"
#include "game/select/effecter_select.h"

namespace nsVesk::nsSelect {

// The characters the battle can build (0 Aoria, 1 Kestrin).
inline constexpr std::int32_t kPlayableCharacters = 2;

// Whether stage `enemy` of `chara` can be chosen now.
bool IsStageOpen(std::int32_t chara, std::int32_t enemy);

// Gives the battle a new player for the character and loads the stage's first
// round; characters the battle does not know get no player.
void HandOffToBattle(std::int32_t chara, std::int32_t enemy);

class cSelectScene : public nsZarn::nsFramework::nsScene::IScene {
 public:
  // Builds the selection and select tables, then the back button and the fades.
  cSelectScene();
  cSelectScene(const cSelectScene&) = delete;
  cSelectScene& operator=(const cSelectScene&) = delete;
  // Empties the select tables; the selection tables stay for the next scenes.
  ~cSelectScene() override;

  void Release() override { delete this; }
  void Reset() override;
  void PreUpdate() override;
  void Update() override;
  void Draw(bool present) override;
  void CheckNextScene() override;
  std::int32_t GetStatus() override { return nsCore::kSceneSelect; }

  std::int32_t GetPage() const { return m_Page; }
  bool IsDecided() const { return m_Decided; }
  bool IsFadingIn() { return m_FadeIn.IsRunning(); }
  bool IsChangingPage() { return m_PageEffect.IsRunning(); }
  bool IsLeaving() { return m_FadeOut.IsRunning() || m_FadeOutDecided.IsRunning(); }

 private:
  bool AnyEffectRunning();

  nsComponent::UICButtonTextE1 m_BackButton;
  bool m_Decided = false;
  bool m_BackRequested = false;
  nsZarn::nsTimer::Timer m_BackTimer;
  std::int32_t m_Page = 0;
  nsEffect::cEffecterFadeIn m_FadeIn;
  nsEffect::cEffecterFadeOut m_FadeOut;
  cEffecterSelect m_PageEffect;
  nsEffect::cEffecterFadeOut m_FadeOutDecided;
  bool m_FadeOutStarted = false;
  bool m_FirstFrame = true;
};

}  // namespace nsVesk::nsSelect
