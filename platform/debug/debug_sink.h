#pragma once
// The debug-line sink: the framework's "Failed : ..." lines and the engine's
// debug messages are written here. It is silent in the game, but for the lines
// naming refused files; a test installs a capture to check which lines were
// written.

#include <functional>
#include <string_view>

namespace platform {

using DebugLineHandler = std::function<void(std::string_view line)>;

// Writes one debug line (the text as given, Shift-JIS bytes).
void WriteDebugLine(std::string_view line);

// For a file the program refused (a picture or a sound it lacks from then on):
// writes the line ("Failed : <class>::<function> <step>\n") and the line naming
// the file ("Failed : <class>::<function> <step> : <file name>\n"); the named line
// also goes to standard error, once a run, so that the author of the data learns
// which file was refused and why.
void WriteRefusalLine(std::string_view line, std::string_view fileName);

// Installs a handler that receives every line; an empty handler makes the sink
// silent again.
void SetDebugLineHandler(DebugLineHandler handler);

}  // namespace platform
