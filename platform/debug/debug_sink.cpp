#include "platform/debug/debug_sink.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <utility>

#include "platform/debug/once_per_run.h"
#include "platform/text/cp932.h"

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

void WriteRefusalLine(std::string_view line, std::string_view fileName) {
  WriteDebugLine(line);
  std::string named(line.substr(0, line.find_last_not_of('\n') + 1));
  named.append(" : ").append(fileName).append("\n");
  WriteDebugLine(named);
  static OncePerRun written;
  if (written.Mark(named)) std::fputs(Cp932ToUtf8(named).c_str(), stderr);
}

void SetDebugLineHandler(DebugLineHandler handler) {
  std::lock_guard lock(HandlerMutex());
  Handler() = std::move(handler);
}

}  // namespace platform
