#include "plugin/commands/command_base.h"

#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"

namespace nsWendrick {

WindowHandle CommandBase::Window() const { return OwnerWindow(m_Engine); }

}  // namespace nsWendrick
