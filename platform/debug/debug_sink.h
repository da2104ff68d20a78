#pragma once
// The debug-line sink: the framework's "Failed : ..." lines and the engine's
// debug messages are written here. It is silent in the game; a test installs a
// capture to check which lines were written.

#include <functional>
#include <string_view>

namespace platform {

using DebugLineHandler = std::function<void(std::string_view line)>;

// Writes one debug line (the text as given, Shift-JIS bytes).
void WriteDebugLine(std::string_view line);

// Installs a handler that receives every line; an empty handler makes the sink
// silent again.
void SetDebugLineHandler(DebugLineHandler handler);

}  // namespace platform
