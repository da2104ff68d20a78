#include "framework/timer/timer.h"

#include "platform/clock/clock.h"

namespace nsZarn::nsTimer {

Timer::Timer() : m_Elapsed(0), m_Start(platform::NowMs()), m_PausedValue(0), m_Paused(false) {
  platform::BeginClockPeriod();
}

// A copy is a timer of its own: it requests the clock period as the original did,
// so that every destructor's release is matched.
Timer::Timer(const Timer& other)
    : m_Elapsed(other.m_Elapsed),
      m_Start(other.m_Start),
      m_PausedValue(other.m_PausedValue),
      m_Paused(other.m_Paused) {
  platform::BeginClockPeriod();
}

Timer::~Timer() { platform::EndClockPeriod(); }

void Timer::Reset() {
  m_Elapsed = 0;
  m_PausedValue = 0;
  m_Paused = false;
  m_Start = platform::NowMs();
}

std::uint32_t Timer::Update() {
  m_Elapsed = platform::NowMs() - m_Start;  // u32 difference: survives the clock's wrap
  return m_Elapsed;
}

std::uint32_t Timer::GetTime() const { return m_Paused ? m_PausedValue : m_Elapsed; }

void Timer::Pause() {
  if (m_Paused) return;
  m_PausedValue = m_Elapsed;
  m_Paused = true;
}

void Timer::Resume() {
  if (!m_Paused) return;
  m_Paused = false;
  m_Start = platform::NowMs() - m_PausedValue;
}

bool Timer::IsPaused() const { return m_Paused; }

bool SingleInstanceMutex::Create(const std::string& name) { return m_Lock.Acquire(name); }

}  // namespace nsZarn::nsTimer
