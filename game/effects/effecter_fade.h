#pragma once
// Full-screen colour fades over the 800x600 frame: the fade-in thins a colour from
// opaque to clear, the fade-out thickens it from clear to opaque, each over its
// time. The colour is red, green, blue with red in the lowest byte.
//
// A fade of time 0 draws its end state once (the fade-in clear, the fade-out
// opaque) and stops in that same update, so a scene waiting for it always goes on.

#include <cstdint>

#include "framework/timer/timer.h"
#include "game/effects/effecter.h"

namespace nsVesk::nsEffect {

class cEffecterFade : public IEffecter {
 public:
  // Stores both; the fade is not started.
  void SetColorAndTime(std::uint32_t color, std::uint32_t time);
  std::uint32_t GetColor() const { return m_Color; }
  std::uint32_t GetTime() const { return m_Time; }

  // Restarts the stopwatch and runs.
  void Start() override;
  void Stop() override { m_Running = false; }
  bool IsRunning() override { return m_Running; }

 protected:
  cEffecterFade() = default;
  // Elapsed x 255 / time, the product and quotient in unsigned 32 bits; the time
  // passed so far is read from the stopwatch.
  std::int64_t Progress();
  // Fills the frame with the colour at the alpha.
  void Fill(std::uint8_t alpha) const;

  std::uint32_t m_Color = 0;
  std::uint32_t m_Time = 0;
  nsZarn::nsTimer::Timer m_Timer;
  bool m_Running = false;
};

class cEffecterFadeIn : public cEffecterFade {
 public:
  cEffecterFadeIn() = default;
  // Alpha 255 - progress; it stops once that falls below 0, drawing clear once more.
  void Update() override;
};

class cEffecterFadeOut : public cEffecterFade {
 public:
  cEffecterFadeOut() = default;
  // Alpha = progress; it stops once that passes 255, drawing opaque once more, and
  // draws nothing after.
  void Update() override;
};

// The fade the story scene draws when it comes back from the option scene; black
// with time 0 at program start.
extern cEffecterFadeIn g_OptionFadeIn;

}  // namespace nsVesk::nsEffect
