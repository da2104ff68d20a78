#include "platform/window/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>

#include "platform/text/cp932.h"
#include "platform/window/sdl_window_access.h"

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

MessageBoxAnswer ShowOnTerminal(std::string_view caption, std::string_view text,
                                MessageBoxButtons buttons) {
  const std::string c = Cp932ToUtf8(caption);
  const std::string t = Cp932ToUtf8(text);
  std::fprintf(stderr, "[%s] %s\n", c.c_str(), t.c_str());
  return buttons == MessageBoxButtons::YesNo ? MessageBoxAnswer::Yes : MessageBoxAnswer::Ok;
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

// The icon of a box, by its caption, as the game's boxes use them: errors,
// questions and plain messages.
Uint32 IconFlags(std::string_view caption) {
  if (caption == "エラー！") return SDL_MESSAGEBOX_ERROR;
  if (caption == "メッセージ") return SDL_MESSAGEBOX_INFORMATION;
  // SDL has no question icon; a question is a warning's kin, not an error's.
  if (caption == "確認") return SDL_MESSAGEBOX_WARNING;
  return SDL_MESSAGEBOX_INFORMATION;
}

// Shows the box on the display; false when it could not be shown.
bool ShowOnDisplay(std::string_view caption, std::string_view text, MessageBoxButtons buttons,
                   MessageBoxAnswer& answer) {
  const std::string c = Cp932ToUtf8(caption);
  const std::string t = Cp932ToUtf8(text);
  // The buttons speak the game's language.
  const std::string yes = Cp932ToUtf8("はい");
  const std::string no = Cp932ToUtf8("いいえ");
  SDL_MessageBoxButtonData yesNo[2] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, yes.c_str()},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, no.c_str()},
  };
  SDL_MessageBoxButtonData ok[1] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"},
  };
  SDL_MessageBoxData data{};
  const bool question = buttons == MessageBoxButtons::YesNo;
  data.flags = IconFlags(caption);
  data.window = CurrentSdlMainWindow();
  data.title = c.c_str();
  data.message = t.c_str();
  data.numbuttons = question ? 2 : 1;
  data.buttons = question ? yesNo : ok;
  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) return false;
  if (question) {
    answer = pressed == 1 ? MessageBoxAnswer::Yes : MessageBoxAnswer::No;
  } else {
    answer = MessageBoxAnswer::Ok;
  }
  return true;
}

}  // namespace

MessageBoxAnswer ShowMessageBox(std::string_view caption, std::string_view text,
                                MessageBoxButtons buttons) {
  MessageBoxHandler handler;
  {
    std::lock_guard lock(HandlerMutex());
    handler = Handler();
  }
  if (handler) return handler(caption, text, buttons);
  MessageBoxAnswer answer = MessageBoxAnswer::Ok;
  if (HasDisplay() && ShowOnDisplay(caption, text, buttons, answer)) return answer;
  return ShowOnTerminal(caption, text, buttons);
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard lock(HandlerMutex());
  Handler() = std::move(handler);
}

}  // namespace platform
