#include "platform/audio/auto_reset_event.h"

#include <condition_variable>
#include <mutex>

namespace platform {
namespace {

// All events share one lock and one condition variable: a waiter on several
// events then needs no registration with each of them, and there are only a few
// events and waiters in the program (one pair per music stream).
struct EventHub {
  std::mutex mutex;
  std::condition_variable changed;
};

EventHub& Hub() {
  static EventHub hub;
  return hub;
}

}  // namespace

void AutoResetEvent::Set() {
  EventHub& hub = Hub();
  {
    std::lock_guard lock(hub.mutex);
    m_Signalled = true;
  }
  hub.changed.notify_all();
}

void AutoResetEvent::Reset() {
  std::lock_guard lock(Hub().mutex);
  m_Signalled = false;
}

void AutoResetEvent::Wait() { WaitForAnyEvent({this}); }

bool AutoResetEvent::IsSet() const {
  std::lock_guard lock(Hub().mutex);
  return m_Signalled;
}

std::size_t WaitForAnyEvent(std::initializer_list<AutoResetEvent*> events) {
  EventHub& hub = Hub();
  std::unique_lock lock(hub.mutex);
  for (;;) {
    std::size_t index = 0;
    for (AutoResetEvent* event : events) {
      if (event->m_Signalled) {
        event->m_Signalled = false;
        return index;
      }
      ++index;
    }
    hub.changed.wait(lock);
  }
}

}  // namespace platform
