#pragma once
// The select screen's page change: over the background and the fixed 戻る
// caption, the character buttons fade out while the chosen character's enemy
// buttons fade in, p = t x 255 / time (unsigned 32 bits) for the enemy page and
// 255 - p for the character page. The update that reaches p = 255 draws the end
// and stops; a time of 0 does that in its first update.

#include <cstdint>

#include "framework/timer/timer.h"
#include "game/effects/effecter.h"

namespace nsVesk::nsSelect {

class cEffecterSelect : public nsEffect::IEffecter {
 public:
  cEffecterSelect() = default;
  ~cEffecterSelect() override = default;

  void SetTime(std::uint32_t time) { m_Time = time; }
  void SetPages(std::int32_t from, std::int32_t to) {
    m_FromPage = from;
    m_ToPage = to;
  }
  void Start() override;
  void Stop() override { m_Running = false; }
  void Update() override;
  bool IsRunning() override { return m_Running; }

  // The enemy page's alpha at t ms; above 255 once the change is over.
  static std::uint32_t Progress(std::uint32_t t, std::uint32_t time);

 private:
  std::uint32_t m_Time = 0;
  nsZarn::nsTimer::Timer m_Timer;
  bool m_Running = false;
  std::int32_t m_FromPage = 0;
  std::int32_t m_ToPage = 0;
};

// The select screen's background ("BackImage" with [CG] BackSrcRect at (0,0)), or
// nothing when the image is missing.
void DrawSelectBack();

}  // namespace nsVesk::nsSelect
