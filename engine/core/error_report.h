#pragma once
// The engine side of the reporting functions (Message, RuntimeError, RuntimeWarning,
// DebugMessage are declared in engine/api/plugin_api.h): message formatting and the
// replaceable end of a fatal error.

#include <cstdarg>
#include <functional>
#include <string>

namespace nsTamskLib::nsCore {

// Formats printf-style and cuts the text to kMaxFormattedMessage characters.
std::string FormatMessageText(const char* format, va_list args)
    __attribute__((format(printf, 1, 0)));

// What ends the process after RuntimeError's box was closed. The default flushes
// the C streams and ends with status 1. Tests install a handler that throws, so a
// fatal path can be checked without a death; a handler that returns still ends the
// process. An empty handler restores the default.
using FatalHandler = std::function<void(const std::string& text)>;
void SetFatalHandler(FatalHandler handler);

}  // namespace nsTamskLib::nsCore
