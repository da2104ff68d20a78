#include "platform/message_box/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>

#include "platform/text/cp932.h"
#include "platform/message_box/desktop_message_box.h"
#include "platform/message_box/message_box_dialog.h"

namespace platform {
namespace {

std::mutex& HandlerMutex() {
  static std::mutex m;
  return m;
}

MessageBoxHandler& Handler() {
  static MessageBoxHandler h;
  return h;
}

// The box's text for a player who started the game from a terminal, or a log.
void PrintToTerminal(std::string_view caption, std::string_view text) {
  const std::string c = Cp932ToUtf8(caption);
  const std::string t = Cp932ToUtf8(text);
  std::fprintf(stderr, "[%s] %s\n", c.c_str(), t.c_str());
}

// The drivers that draw nowhere: a box there would wait for an answer nobody sees.
bool HasDisplay() {
  const char* requested = std::getenv("SDL_VIDEODRIVER");
  const char* current = SDL_WasInit(SDL_INIT_VIDEO) != 0 ? SDL_GetCurrentVideoDriver() : nullptr;
  for (const char* name : {requested, current}) {
    if (name != nullptr && (std::strcmp(name, "dummy") == 0 || std::strcmp(name, "offscreen") == 0)) {
      return false;
    }
  }
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

}  // namespace

MessageBoxAnswer ShowMessageBox(std::string_view caption, std::string_view text, MessageBoxButtons buttons,
                                MessageBoxIcon icon) {
  MessageBoxHandler handler;
  {
    std::lock_guard lock(HandlerMutex());
    handler = Handler();
  }
  if (handler) return handler(caption, text, buttons, icon);
  PrintToTerminal(caption, text);
  if (HasDisplay()) {
    MessageBoxDialog dialog(text, buttons, icon);
    if (const std::optional<MessageBoxAnswer> answer = ShowInDesktopWindow(caption, dialog)) return *answer;
  }
  return buttons == MessageBoxButtons::YesNo ? MessageBoxAnswer::Yes : MessageBoxAnswer::Ok;
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard lock(HandlerMutex());
  Handler() = std::move(handler);
}

}  // namespace platform
