#pragma once
// The program's entry: the start-up steps in their fixed order, the main loop
// (messages first; when there is none, the graphics object's idle work and then one
// frame of the scene stack) and the shut-down. Split into its three phases so that
// tests can drive the loop pass by pass; VeskMain runs them in a row.

#include <cstdint>
#include <memory>

#include "framework/timer/timer.h"
#include "platform/window/window.h"

namespace nsVesk {

class VeskEntry {
 public:
  VeskEntry() = default;
  VeskEntry(const VeskEntry&) = delete;
  VeskEntry& operator=(const VeskEntry&) = delete;
  ~VeskEntry() = default;

  // Runs the start-up steps. kRunning when the main loop may start, else the
  // program's exit status (1: a start-up step failed and its box was shown; 0: a
  // termination signal stopped the packing of the data folder).
  static constexpr int kRunning = -1;
  int Start();
  // One pass of the main loop; false once the quit message was taken.
  bool Pump();
  // The shut-down steps; returns the quit message's exit code.
  int Shutdown();

 private:
  // Ends a failed start-up: what the engine holds and the guard are released.
  int Fail();
  // The same, with the given exit status.
  int EndStartUp(int status);
  // Destroys the script's commands, unloads the plug-ins and deletes the player.
  void ReleaseEngine();

  bool m_PluginsLoaded = false;

  // The single-instance guard, from its step of the start-up until the end.
  std::unique_ptr<nsZarn::nsTimer::SingleInstanceMutex> m_Mutex;
  platform::Message m_Message;
};

// The window procedure of the main window.
std::intptr_t MainWindowProc(platform::WindowHandle window, platform::MessageId message, std::uintptr_t wParam,
                             std::intptr_t lParam);

// Start-up, main loop and shut-down; the program's exit status.
int VeskMain();

}  // namespace nsVesk
