#pragma once
// Auto-reset events: a signal that stays set until one waiter takes it. A thread
// can wait on several events at once (the music streaming thread waits for a
// position notification or its quit event).

#include <cstddef>
#include <initializer_list>

namespace platform {

class AutoResetEvent {
 public:
  AutoResetEvent() = default;
  AutoResetEvent(const AutoResetEvent&) = delete;
  AutoResetEvent& operator=(const AutoResetEvent&) = delete;
  ~AutoResetEvent() = default;

  // Signals the event and wakes its waiters; one of them takes the signal.
  void Set();
  // Clears a signal nobody has taken yet.
  void Reset();
  // Blocks until the event is signalled, then clears it.
  void Wait();
  // Whether the event is signalled now (the signal stays).
  bool IsSet() const;

 private:
  friend std::size_t WaitForAnyEvent(std::initializer_list<AutoResetEvent*> events);
  bool m_Signalled = false;  // guarded by the events' shared lock
};

// Blocks until one of the events is signalled, clears that one and returns its
// index in the list. When several are signalled the earliest in the list wins.
std::size_t WaitForAnyEvent(std::initializer_list<AutoResetEvent*> events);

}  // namespace platform
