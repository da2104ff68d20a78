#pragma once
// How the shared containers and records report misuse (a null string, an index
// out of range). The text is the operation's own signature and is shown as the
// whole error message. Each deliverable defines this function once: the program
// routes it to its RuntimeError, the plug-in to the RuntimeError it bound at
// attach. It never returns.

namespace nsTamskLib {

[[noreturn]] void ReportMisuse(const char* signature);

}  // namespace nsTamskLib
