#pragma once
// A quit asked for while a load holds the thread that would answer it. A decode
// of outside bytes may run for a while on the main thread (a picture, a sound
// decoded whole); a termination signal or the window's close button must not wait
// for it. Such a request makes every load stop at its next unit of work, and every
// load begun before the main loop has taken the request stop at its first, so
// the game reaches its quit at once.

#include <cstdint>

namespace platform {

enum class QuitRequest : unsigned {
  kSignal = 1u,       // SIGINT or SIGTERM: the game ends
  kWindowClose = 2u,  // the close button: the game asks whether to end
};

// Safe to call from a signal handler.
void RequestLoadsStop(QuitRequest request);
// The main loop has taken the request: loads run again.
void LetLoadsRun(QuitRequest request);
bool LoadsMustStop();

// A look at whether a quit waits where the main loop has not seen it yet (the
// window system's own queue of events, which only the main thread may read). It
// runs on the thread that installed it, and only there.
using WaitingQuitProbe = bool (*)();
void SetWaitingQuitProbe(WaitingQuitProbe probe);

// What a load on the calling thread asks between its units of work: whether loads
// must stop, having run the probe first when this is its thread and it has not run
// for a while (`cpuNowNs`, the thread's CPU clock, tells how long).
bool QuitRequestedDuringLoad(std::uint64_t cpuNowNs);

}  // namespace platform
