#include "plugin/commands/command_base.h"

#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"

namespace nsWendrick {

void MoveOn(INovelEngine* engine) { engine->GetCommandHeap()->MoveIterator(1); }

WindowHandle CommandBase::Window() const { return OwnerWindow(m_Engine); }

}  // namespace nsWendrick
