#pragma once
// CommandBase: what every command object of the plug-in shares: the engine pointer
// (the first field after the interface), self-deletion for the host, and an empty
// Reset for commands without run state; and MoveOn, which every command calls when
// it is done.

#include "engine/api/command.h"
#include "engine/api/fwd.h"
#include "engine/api/types.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// The script goes on to the next command (from the next frame on).
void MoveOn(INovelEngine* engine);

class CommandBase : public ICmd_Base {
 public:
  void Reset() override {}
  void Destroy() override { delete this; }
  void SetEngine(INovelEngine* engine) override { m_Engine = engine; }

  INovelEngine* GetEngine() const { return m_Engine; }

 protected:
  CommandBase() = default;
  ~CommandBase() override = default;
  CommandBase(const CommandBase&) = default;
  CommandBase& operator=(const CommandBase&) = default;

  // The owner window of the command's error boxes.
  WindowHandle Window() const;

  INovelEngine* m_Engine = nullptr;
};

}  // namespace nsWendrick
