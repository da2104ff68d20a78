#pragma once
// The host's reporting and evaluating functions as the plug-in calls them, through
// the bound HostApiTable.

#include <cstdint>

#include "engine/api/fwd.h"
#include "engine/api/types.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// Formats the message (at most 1,024 characters) and hands it to the host's
// RuntimeError, which shows it and ends the process. Without a bound RuntimeError
// the text goes to the standard error stream and the process ends with status 1.
[[noreturn]] void HostRuntimeError(WindowHandle owner, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// The host's RuntimeWarning (shows nothing); nothing happens when it is not bound.
void HostRuntimeWarning(WindowHandle owner, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// The host's CalcExpression: the expression's value over the engine's variables.
std::int32_t HostCalcExpression(const Expression& expr,
                                INovelEngine* engine);

// The owner window of the engine's message boxes (null without an engine).
WindowHandle OwnerWindow(const INovelEngine* engine);

}  // namespace nsWendrick
