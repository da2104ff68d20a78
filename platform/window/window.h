#pragma once
// The main window and its message queue. The game sees a window procedure that
// receives a few messages (activate, close, destroy) and a queue it drains with
// PeekMessage / DispatchMessage, ending when the quit message arrives.
//
// Behaviours the game relies on:
// - A new window is active: CreateMainWindow sends it Activate (wParam 1) before
//   it returns, as a newly shown window is activated; focus changes arrive as
//   Activate messages (wParam 1 when activated, 0 when deactivated).
// - Only the window's close button sends Close; closing the window does not quit
//   by itself.
// - SIGINT and SIGTERM (once InstallQuitSignalHandlers ran) post the quit message.
// - DestroyWindow runs the window procedure's Destroy at once, then removes the
//   window; messages still queued for it are dropped.
// - The quit message is taken only when no other message is waiting.

#include <cstdint>
#include <functional>
#include <string_view>

namespace platform {

class Window;
using WindowHandle = Window*;

enum class MessageId : std::uint32_t { Null, Activate, Close, Destroy, Quit };

struct Message {
  WindowHandle window = nullptr;
  MessageId id = MessageId::Null;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};

using WindowProcedure = std::intptr_t (*)(WindowHandle window, MessageId id, std::uintptr_t wParam,
                                          std::intptr_t lParam);

// Starts the window system (once per process; later calls only report how the
// first went). It fails where no display answers: with no video driver named in
// SDL_VIDEODRIVER, SDL tries the display systems and then falls back to a driver
// that shows nothing, on which the game would run unseen until it is killed. A
// driver named there (the tests name "dummy") is used as it is.
bool InitWindowSystem();
// Whether the window system failed for want of a display, and what the player
// must do then, as a line for the terminal.
bool WindowSystemFoundNoDisplay();
inline constexpr char kNoDisplayHint[] =
    "No display was found: DISPLAY (or WAYLAND_DISPLAY) must name a running X (or Wayland) display, as in a "
    "desktop session.\n";

// Creates and shows the main window with a client area of the given size, centred
// on the desktop, or as a desktop-sized full-screen window. The title is
// Shift-JIS. Null on failure.
WindowHandle CreateMainWindow(std::string_view title, int clientWidth, int clientHeight, bool fullScreen,
                              WindowProcedure procedure);

// Runs the window's Destroy message, then removes the window. Does nothing for a
// window that is already gone.
void DestroyWindow(WindowHandle window);
bool IsWindowAlive(WindowHandle window);

// Takes the next message; false when there is none.
bool PeekMessage(Message& message);
// Hands a message to its window's procedure (the quit message has no window).
std::intptr_t DispatchMessage(const Message& message);
// Posts the quit message with its exit code.
void PostQuitMessage(int exitCode);
// What a window procedure returns for a message it does not handle.
std::intptr_t DefaultWindowProcedure(WindowHandle window, MessageId id, std::uintptr_t wParam,
                                     std::intptr_t lParam);

// Full screen is desktop full screen; the frame is scaled with letterboxing.
bool SetWindowFullScreen(WindowHandle window, bool fullScreen);
bool IsWindowFullScreen(WindowHandle window);

struct WindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
// The window's client area on the desktop.
WindowRect GetWindowRect(WindowHandle window);
void SetWindowPosition(WindowHandle window, int left, int top);

// For the graphics device: draws the window's last frame again. The game's loop
// presents every frame; while a message box holds the loop, the box calls this
// when the desktop asks for the window to be redrawn. The owner names whose
// repaint a removal takes away (a new device may come before the old one goes).
void SetWindowRepaint(WindowHandle window, const void* owner, std::function<void()> repaint);
void RemoveWindowRepaint(WindowHandle window, const void* owner);

// Makes SIGINT and SIGTERM post the quit message: the game ends normally.
void InstallQuitSignalHandlers();

// For tests: act as if the user pressed the close button, or as if the window
// gained or lost the focus. The messages arrive through PeekMessage.
void SimulateCloseButton(WindowHandle window);
void SimulateActivation(WindowHandle window, bool active);

}  // namespace platform
