#include "platform/debug/debug_sink.h"

#include <mutex>
#include <utility>

namespace platform {
namespace {

std::mutex& HandlerMutex() {
  static std::mutex m;
  return m;
}

DebugLineHandler& Handler() {
  static DebugLineHandler h;
  return h;
}

}  // namespace

void WriteDebugLine(std::string_view line) {
  std::lock_guard lock(HandlerMutex());
  if (Handler()) Handler()(line);
}

void SetDebugLineHandler(DebugLineHandler handler) {
  std::lock_guard lock(HandlerMutex());
  Handler() = std::move(handler);
}

}  // namespace platform
