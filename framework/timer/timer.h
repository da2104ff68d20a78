#pragma once
// Millisecond stopwatch and the single-instance guard.

#include <cstdint>
#include <string>

#include "platform/instance/instance_lock.h"

namespace nsZarn::nsTimer {

// A stopwatch on the millisecond clock that can be paused and resumed. Callers
// call Update() once per frame; GetTime() reports the last update's value (or the
// frozen value while paused) without reading the clock.
class Timer {
 public:
  Timer();
  Timer(const Timer& other);
  Timer& operator=(const Timer& other) = default;
  ~Timer();

  void Reset();
  std::uint32_t Update();
  std::uint32_t GetTime() const;
  void Pause();
  void Resume();
  bool IsPaused() const;

 private:
  std::uint32_t m_Elapsed;
  std::uint32_t m_Start;
  std::uint32_t m_PausedValue;
  bool m_Paused;
};

// Keeps a second copy of the program from running: Create() takes a lock named
// after the window title and fails while another process holds it.
class SingleInstanceMutex {
 public:
  SingleInstanceMutex() = default;
  SingleInstanceMutex(const SingleInstanceMutex&) = delete;
  SingleInstanceMutex& operator=(const SingleInstanceMutex&) = delete;
  ~SingleInstanceMutex() = default;

  // False when another holder of the same name exists.
  bool Create(const std::string& name);

 private:
  platform::InstanceLock m_Lock;
};

}  // namespace nsZarn::nsTimer
