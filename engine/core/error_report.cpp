#include "engine/core/error_report.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "engine/api/misuse.h"
#include "engine/api/plugin_api.h"
#include "engine/api/types.h"
#include "platform/debug/debug_sink.h"
#include "platform/message_box/message_box.h"

namespace nsTamskLib::nsCore {
namespace {

FatalHandler& InstalledFatalHandler() {
  static FatalHandler handler;
  return handler;
}

[[noreturn]] void EndAfterFatal(const std::string& text) {
  const FatalHandler handler = InstalledFatalHandler();
  if (handler) handler(text);
  std::fflush(nullptr);
  std::_Exit(1);
}

}  // namespace

std::string FormatMessageText(const char* format, va_list args) {
  char buffer[kMaxFormattedMessage + 1];
  const int written = std::vsnprintf(buffer, sizeof buffer, format, args);
  if (written < 0) return std::string();
  return std::string(buffer);
}

void SetFatalHandler(FatalHandler handler) { InstalledFatalHandler() = std::move(handler); }

}  // namespace nsTamskLib::nsCore

namespace nsTamskLib {

// The program's containers report misuse as a fatal error with the signature as text.
void ReportMisuse(const char* signature) { RuntimeError(nullptr, "%s", signature); }

}  // namespace nsTamskLib

extern "C" {

// The owner window only makes the box modal on the original platform; the
// platform's boxes take no owner, every box being modal over the game's window.
void Message(nsTamskLib::WindowHandle /*owner*/, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = nsTamskLib::nsCore::FormatMessageText(format, args);
  va_end(args);
  platform::ShowMessageBox("メッセージ", text, platform::MessageBoxButtons::Ok);
}

void RuntimeError(nsTamskLib::WindowHandle /*owner*/, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = nsTamskLib::nsCore::FormatMessageText(format, args);
  va_end(args);
  platform::ShowMessageBox("エラー！", text, platform::MessageBoxButtons::Ok, platform::MessageBoxIcon::Exclamation);
  nsTamskLib::nsCore::EndAfterFatal(text);
}

// Warnings and debug lines are not shown; they go to the debug-line sink, which is
// silent in the game and can be captured by a test.
void RuntimeWarning(nsTamskLib::WindowHandle /*owner*/, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = nsTamskLib::nsCore::FormatMessageText(format, args);
  va_end(args);
  platform::WriteDebugLine(text);
}

void DebugMessage(nsTamskLib::WindowHandle /*owner*/, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const std::string text = nsTamskLib::nsCore::FormatMessageText(format, args);
  va_end(args);
  platform::WriteDebugLine(text);
}

}  // extern "C"
