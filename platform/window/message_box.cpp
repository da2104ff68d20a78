#include "platform/window/message_box.h"

#include <cstdio>
#include <mutex>
#include <utility>

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
  std::fprintf(stderr, "[%.*s] %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
  return buttons == MessageBoxButtons::YesNo ? MessageBoxAnswer::Yes : MessageBoxAnswer::Ok;
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
  return ShowOnTerminal(caption, text, buttons);
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard lock(HandlerMutex());
  Handler() = std::move(handler);
}

}  // namespace platform
