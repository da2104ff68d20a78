#include "platform/window/window.h"

#include <SDL.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/text/cp932.h"
#include "platform/work/load_quit.h"
#include "platform/window/sdl_window_access.h"

namespace platform {

class Window {
 public:
  SDL_Window* sdl = nullptr;
  std::uint32_t sdlId = 0;
  WindowProcedure procedure = nullptr;
  std::function<void()> repaint;
  const void* repaintOwner = nullptr;
  bool fullScreen = false;
  bool alive = false;
};

namespace {

volatile std::sig_atomic_t g_QuitSignal = 0;

struct WindowSystem {
  bool started = false;
  bool noDisplay = false;
  // Windows are kept for the process's lifetime, so a stale handle stays safe to ask.
  std::vector<std::unique_ptr<Window>> windows;
  std::deque<Message> queue;
  bool quitPosted = false;
  int quitCode = 0;
  std::map<int, SdlEventObserver> observers;
  int nextObserverId = 1;
};

// Never destroyed: static objects of the program (graphics, input) still remove
// their observers while the process exits.
WindowSystem& System() {
  static WindowSystem* const system = new WindowSystem;
  return *system;
}

void OnQuitSignal(int) {
  g_QuitSignal = 1;
  RequestLoadsStop();
}

Window* FindBySdlId(std::uint32_t id) {
  for (auto& w : System().windows) {
    if (w->alive && w->sdlId == id) return w.get();
  }
  return nullptr;
}

void Enqueue(Window* window, MessageId id, std::uintptr_t wParam) {
  System().queue.push_back(Message{window, id, wParam, 0});
}

// Turns one SDL event into the messages the game handles.
void Translate(const SDL_Event& event) {
  if (event.type == SDL_QUIT) {
    // The system asks the program to end (the last window closing does not do
    // this, see InitWindowSystem): the same as a termination signal.
    PostQuitMessage(0);
    return;
  }
  if (event.type != SDL_WINDOWEVENT) return;
  Window* window = FindBySdlId(event.window.windowID);
  if (window == nullptr) return;
  switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE: Enqueue(window, MessageId::Close, 0); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: Enqueue(window, MessageId::Activate, 1); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: Enqueue(window, MessageId::Activate, 0); break;
    default: break;
  }
}

bool IsInputEvent(Uint32 type) {
  return (type >= SDL_KEYDOWN && type < SDL_JOYAXISMOTION) || (type >= SDL_FINGERDOWN && type < SDL_CLIPBOARDUPDATE);
}

// The drivers SDL falls back to when no display answers.
bool ShowsNothing(const char* driver) {
  return driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

void PumpSdlEvents() {
  WindowSystem& system = System();
  if (!system.started) return;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    NotifySdlEventObservers(event);
    Translate(event);
  }
}

void PushWindowEvent(WindowHandle window, std::uint8_t kind) {
  if (!IsWindowAlive(window)) return;
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = window->sdlId;
  event.window.event = kind;
  SDL_PushEvent(&event);
}

}  // namespace

bool InitWindowSystem() {
  WindowSystem& system = System();
  if (system.started) return true;
  // Only the close button asks to end; termination signals are ours to handle.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // A window surface goes to the display by the video driver's own way (shared
  // memory under X11), never through a GL texture, which without GPU acceleration
  // rasterizes on the processor. Read once, at the first window surface.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (system.noDisplay || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  const char* named = std::getenv("SDL_VIDEODRIVER");
  if ((named == nullptr || named[0] == '\0') && ShowsNothing(SDL_GetCurrentVideoDriver())) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    system.noDisplay = true;
    return false;
  }
  system.started = true;
  return true;
}

bool WindowSystemFoundNoDisplay() { return System().noDisplay; }

WindowHandle CreateMainWindow(std::string_view title, int clientWidth, int clientHeight, bool fullScreen,
                              WindowProcedure procedure) {
  if (!InitWindowSystem()) return nullptr;
  const std::string utf8 = Cp932ToUtf8(title);
  Uint32 flags = SDL_WINDOW_SHOWN;
  if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  SDL_Window* sdl = SDL_CreateWindow(utf8.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, clientWidth,
                                     clientHeight, flags);
  if (sdl == nullptr) return nullptr;
  auto window = std::make_unique<Window>();
  window->sdl = sdl;
  window->sdlId = SDL_GetWindowID(sdl);
  window->procedure = procedure;
  window->fullScreen = fullScreen;
  window->alive = true;
  System().windows.push_back(std::move(window));
  WindowHandle handle = System().windows.back().get();
  // A window that has just been shown is the active one.
  if (procedure != nullptr) procedure(handle, MessageId::Activate, 1, 0);
  return handle;
}

bool IsWindowAlive(WindowHandle window) { return window != nullptr && window->alive; }

void DestroyWindow(WindowHandle window) {
  if (!IsWindowAlive(window)) return;
  // The destroy path runs first, while the window still exists (the graphics
  // object releases its device there).
  if (window->procedure != nullptr) window->procedure(window, MessageId::Destroy, 0, 0);
  if (!window->alive) return;  // destroyed again from inside its own procedure
  window->alive = false;
  SDL_DestroyWindow(window->sdl);
  window->sdl = nullptr;
  auto& queue = System().queue;
  for (auto it = queue.begin(); it != queue.end();) {
    it = it->window == window ? queue.erase(it) : it + 1;
  }
}

bool PeekMessage(Message& message) {
  WindowSystem& system = System();
  if (g_QuitSignal != 0) {
    g_QuitSignal = 0;
    PostQuitMessage(0);
  }
  PumpSdlEvents();
  if (!system.queue.empty()) {
    message = system.queue.front();
    system.queue.pop_front();
    return true;
  }
  if (system.quitPosted) {
    system.quitPosted = false;
    LetLoadsRun();
    message = Message{nullptr, MessageId::Quit, static_cast<std::uintptr_t>(system.quitCode), 0};
    return true;
  }
  return false;
}

std::intptr_t DispatchMessage(const Message& message) {
  if (!IsWindowAlive(message.window) || message.window->procedure == nullptr) return 0;
  return message.window->procedure(message.window, message.id, message.wParam, message.lParam);
}

void PostQuitMessage(int exitCode) {
  System().quitPosted = true;
  System().quitCode = exitCode;
}

std::intptr_t DefaultWindowProcedure(WindowHandle, MessageId, std::uintptr_t, std::intptr_t) { return 0; }

bool SetWindowFullScreen(WindowHandle window, bool fullScreen) {
  if (!IsWindowAlive(window)) return false;
  if (SDL_SetWindowFullscreen(window->sdl, fullScreen ? static_cast<Uint32>(SDL_WINDOW_FULLSCREEN_DESKTOP) : 0u) != 0) return false;
  window->fullScreen = fullScreen;
  return true;
}

bool IsWindowFullScreen(WindowHandle window) { return IsWindowAlive(window) && window->fullScreen; }

WindowRect GetWindowRect(WindowHandle window) {
  WindowRect rect;
  if (!IsWindowAlive(window)) return rect;
  int w = 0, h = 0;
  SDL_GetWindowPosition(window->sdl, &rect.left, &rect.top);
  SDL_GetWindowSize(window->sdl, &w, &h);
  rect.right = rect.left + w;
  rect.bottom = rect.top + h;
  return rect;
}

void SetWindowPosition(WindowHandle window, int left, int top) {
  if (IsWindowAlive(window)) SDL_SetWindowPosition(window->sdl, left, top);
}

void SetWindowRepaint(WindowHandle window, const void* owner, std::function<void()> repaint) {
  if (window == nullptr) return;
  window->repaint = std::move(repaint);
  window->repaintOwner = owner;
}

void RemoveWindowRepaint(WindowHandle window, const void* owner) {
  if (window == nullptr || window->repaintOwner != owner) return;
  window->repaint = nullptr;
  window->repaintOwner = nullptr;
}

void InstallQuitSignalHandlers() {
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void SimulateCloseButton(WindowHandle window) { PushWindowEvent(window, SDL_WINDOWEVENT_CLOSE); }

void SimulateActivation(WindowHandle window, bool active) {
  PushWindowEvent(window, active ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

SDL_Window* SdlWindowOf(WindowHandle window) { return IsWindowAlive(window) ? window->sdl : nullptr; }

SDL_Window* CurrentSdlMainWindow() {
  for (auto& w : System().windows) {
    if (w->alive) return w->sdl;
  }
  return nullptr;
}

int AddSdlEventObserver(SdlEventObserver observer) {
  WindowSystem& system = System();
  const int id = system.nextObserverId++;
  system.observers.emplace(id, std::move(observer));
  return id;
}

void RemoveSdlEventObserver(int id) { System().observers.erase(id); }

void PassEventWhileBoxIsOpen(const SDL_Event& event) {
  if (IsInputEvent(event.type)) return;
  if (event.type == SDL_WINDOWEVENT) {
    Window* window = FindBySdlId(event.window.windowID);
    if (event.window.event == SDL_WINDOWEVENT_CLOSE) return;
    if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
      if (window != nullptr && window->repaint) window->repaint();
      return;
    }
  }
  NotifySdlEventObservers(event);
  Translate(event);
}

bool QuitSignalPending() { return g_QuitSignal != 0; }

void NotifySdlEventObservers(const SDL_Event& event) {
  // Copy: an observer may add or remove observers.
  const auto observers = System().observers;
  for (const auto& entry : observers) entry.second(event);
}

}  // namespace platform
