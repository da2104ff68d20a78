// The plug-in's copy of the shared containers reports misuse through the host's
// RuntimeError, bound at attach.

#include "engine/api/misuse.h"
#include "plugin/core/host_calls.h"

namespace nsTamskLib {

void ReportMisuse(const char* signature) { nsWendrick::HostRuntimeError(nullptr, "%s", signature); }

}  // namespace nsTamskLib
