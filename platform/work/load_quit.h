#pragma once
// A termination signal that arrives while a load holds the thread that would
// answer it. A decode of outside bytes may run for a while on the main thread (a
// picture, a sound decoded whole); SIGINT or SIGTERM must not wait for it. The
// request makes every load stop at its next unit of work, and every load begun
// before the main loop has taken it stop at its first, so the game reaches its
// quit at once.
//
// The window's close button is no such request: the game answers it by asking
// whether to end, and the player may take it back. It waits in the window
// system's queue until the load in progress is done (each load is bounded by its
// meter's budget), so that nothing the player goes on with is missing.

namespace platform {

// Safe to call from a signal handler.
void RequestLoadsStop();
// The main loop has taken the request: loads run again.
void LetLoadsRun();
bool LoadsMustStop();

}  // namespace platform
