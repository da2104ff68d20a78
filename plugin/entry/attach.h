#pragma once
// The plug-in's attach and detach: what the library does when the host's loader
// has opened it and before the loader closes it.

#include <string>

#include "plugin/core/host_api.h"
#include "plugin/entry/registration.h"

namespace nsWendrick {

// The library's own version, major * 1000 + minor, and the least host version it
// works with.
inline constexpr int kWendrickVersion = 1300;
inline constexpr int kRequiredHostVersion = 1300;

// Attaches to the host whose exports resolve finds: checks the host's version
// (a missing version function refuses silently; an older host gets the version
// warning naming ownFileName and is refused), requests the 1 ms clock resolution,
// seeds the random generator with the calendar time, installs the default
// line-breaking sets, binds the host functions and registers the tables. A refusal
// leaves nothing registered and the host table empty. True when attached.
bool AttachWendrick(const HostResolver& resolve, const std::string& ownFileName,
                    const RegistrationTables& tables = WendrickRegistrationTables());

// Releases what an accepted attach requested; nothing after a refusal.
void DetachWendrick();

bool IsWendrickAttached();

}  // namespace nsWendrick
