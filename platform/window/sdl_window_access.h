#pragma once
// For the platform modules that sit on SDL beside the window (graphics, input):
// the SDL window behind a handle, and the raw SDL events the message pump sees.
// Nothing outside platform/ includes this header.

#include <SDL.h>

#include <functional>

#include "platform/window/window.h"

namespace platform {

// The SDL window of a live window; null for a window that is gone.
SDL_Window* SdlWindowOf(WindowHandle window);
// The SDL window of the live main window, if any (message boxes use it as parent).
SDL_Window* CurrentSdlMainWindow();

// Observers see every SDL event the message pump takes, before it is translated.
using SdlEventObserver = std::function<void(const SDL_Event& event)>;
int AddSdlEventObserver(SdlEventObserver observer);
void RemoveSdlEventObserver(int id);
// Shows one event to every observer, as the pump does (tests script events so).
void NotifySdlEventObservers(const SDL_Event& event);

// While a message box holds the game's loop, the events of every window but the
// box's: the game's windows are redrawn when the desktop asks, their keys, mouse
// and close button go nowhere (the box is modal), and everything else (focus
// changes, device events, the system's quit) reaches the game as the pump passes it.
void PassEventWhileBoxIsOpen(const SDL_Event& event);
// A termination signal has arrived that the pump has not taken yet.
bool QuitSignalPending();

}  // namespace platform
