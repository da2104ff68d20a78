#pragma once
// The title's intro: the back image under a black overlay that thins from opaque
// to clear over the intro's time, while the four menu texts slide in from the
// right, 400 pixels over that time, each stopping at x = 550 in turn.
//
// An intro of time 0 draws its end (texts in place, no overlay) once and stops.

#include <cstdint>

#include "framework/timer/timer.h"
#include "game/effects/effecter.h"

namespace nsVesk::nsTitle {

class cEffecterTitle : public nsEffect::IEffecter {
 public:
  cEffecterTitle() = default;
  ~cEffecterTitle() override = default;

  // The overlay colour (red in the lowest byte) and the intro's time in ms.
  void SetColorAndTime(std::uint32_t color, std::uint32_t time) {
    m_Color = color;
    m_Time = time;
  }
  void Start() override;
  void Stop() override { m_Running = false; }
  void Update() override;
  bool IsRunning() override { return m_Running; }

  // The slide distance at an elapsed time: elapsed x 400 / time in unsigned 32 bits
  // (a time of 0 counts as the end).
  static std::uint32_t Distance(std::uint32_t elapsed, std::uint32_t time);
  // Where menu line `line` (0..3) is drawn at that distance.
  static std::int32_t LineX(std::size_t line, std::uint32_t distance);
  // The overlay's alpha at an elapsed time; negative once the intro is over.
  static std::int64_t OverlayAlpha(std::uint32_t elapsed, std::uint32_t time);

 private:
  std::uint32_t m_Color = 0;
  std::uint32_t m_Time = 0;
  nsZarn::nsTimer::Timer m_Timer;
  bool m_Running = false;
};

}  // namespace nsVesk::nsTitle
