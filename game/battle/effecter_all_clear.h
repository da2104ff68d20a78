#pragma once
// The "all clear" banner shown when a board has been cleared: a large text with a
// sound that repeats while it is shown. When it ends, a little over a second after
// its (last) start, it raises the player's attack rate by 100, capped at the round's
// maximum.

#include <cstdint>

#include "framework/timer/timer.h"
#include "game/battle/board_host.h"
#include "game/effects/effecter.h"

namespace nsVesk::nsGame::nsMine::nsEXEffect {

class cEffecterAllClear : public nsEffect::IEffecter {
 public:
  static constexpr const char* kSound = "Data/InGame/Sound/Common/zenkesi.wav";
  static constexpr std::uint32_t kShowTime = 1000;  // ms; the banner ends once past it
  static constexpr int kAtkRateReward = 100;

  // The battle whose player gets the reward (none without a host or a player).
  explicit cEffecterAllClear(IBoardHost* context) : m_Context(context) {}

  // Shows the banner from its start; a start while it is shown only delays the end.
  void Start() override;
  // Ends the banner and pays the reward.
  void Stop() override;
  // Ends the banner without the reward (the round it belonged to is played again).
  void Cancel() { m_Running = false; }
  // Draws the banner, keeps its sound going and ends it once the time is past.
  void Update() override;
  bool IsRunning() override { return m_Running; }

 private:
  bool m_Running = false;
  nsZarn::nsTimer::Timer m_Timer;
  IBoardHost* m_Context;
};

}  // namespace nsVesk::nsGame::nsMine::nsEXEffect
