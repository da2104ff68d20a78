#pragma once
// The battle scene (scene id 5): one round of the puzzle battle around the battle
// context. It fades in, starts the round's music, runs the battle step once per
// frame, plays the clear or game-over sound when the round ends, grants the clear
// bonus once, shows the clear or loss overlay with a restart and a back-to-title
// button after a loss, fades out and goes on to the next round's story, the reward
// scene after the last round, or back to the title.

#include <cstdint>

#include "framework/scene/scene.h"
#include "framework/timer/timer.h"
#include "game/components/ui_button_text.h"
#include "game/core/scene_ids.h"
#include "game/effects/effecter_fade.h"

namespace nsVesk::nsGame {

class cGameScene : public nsZarn::nsFramework::nsScene::IScene {
 public:
  // Fades, buttons, the player's values at the round's start and a new enemy for
  // the round; then the round is set up (Reset).
  cGameScene();
  cGameScene(const cGameScene&) = delete;
  cGameScene& operator=(const cGameScene&) = delete;
  ~cGameScene() override = default;

  void Release() override { delete this; }
  // Puts the round back to its start: fresh boards and enemy values, the player's
  // values of the round's start, the fade-in again.
  void Reset() override;
  // Starts a pending fade-in and polls the input.
  void PreUpdate() override;
  void Update() override;
  void Draw(bool present) override;
  void CheckNextScene() override;
  std::int32_t GetStatus() override { return nsCore::kSceneBattle; }

  // The bonus for clearing a round after `milliseconds`: its base less 1000 per
  // whole second, not below 0.
  static std::int32_t ClearBonus(std::int32_t round, std::uint32_t milliseconds);

  bool IsGoingToNextRound() const { return m_GoNextRound; }
  bool IsGoingToTitle() const { return m_GoTitle; }
  bool IsFading() { return m_FadeIn.IsRunning() || m_FadeOut.IsRunning(); }

 private:
  void UpdateCleared();
  void UpdateLost();
  void StartFadeOut();

  bool m_FadeInPending = true;
  bool m_FirstUpdatePending = true;
  nsEffect::cEffecterFadeIn m_FadeIn;
  nsEffect::cEffecterFadeOut m_FadeOut;
  bool m_FadeOutStarted = false;
  bool m_GoNextRound = false;
  bool m_GoTitle = false;
  nsComponent::UICButtonTextE1 m_RestartButton;
  nsComponent::UICButtonTextE1 m_TitleButton;
  nsZarn::nsTimer::Timer m_RoundTimer;
  std::int32_t m_SavedBomb = 0;
  std::int32_t m_SavedScore = 0;
  std::int32_t m_SavedNeedBombP = 0;
  std::int32_t m_SavedAtk = 0;
  std::int32_t m_SavedBombAtk = 0;
  std::int32_t m_SavedAtkRate = 0;
};

}  // namespace nsVesk::nsGame
