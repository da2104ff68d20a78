#pragma once
// IScenePlayer: the script player as the story scenes it owns use it. Beyond the
// engine interface a scene draws the story's picture with the player's own draw
// and task managers, reads its backlog, runs its buttons and current command,
// leaves its own state and switches the player's input on and off. The player
// hands itself to every scene it installs (IScene_Base::SetPlayer).

#include "engine/api/novel_engine.h"

namespace nsTamskLib::nsDrawManager { class BaseDrawManager; }
namespace nsTamskLib::nsSimulatedHeap { class CommandHeap; }
namespace nsTamskLib::nsTaskManager { class TaskManager; }
namespace nsTamskLib::nsTextManager { class TextManager; }

namespace nsTamskLib::nsScene {

class IScenePlayer : public nsCore::INovelEngine {
 public:
  virtual nsSimulatedHeap::CommandHeap& Commands() = 0;
  virtual nsTaskManager::TaskManager& Tasks() = 0;
  virtual nsTextManager::TextManager& Texts() = 0;
  virtual nsDrawManager::BaseDrawManager& Draw() = 0;
  // Pops the current state; the last one is never popped (an internal fault).
  virtual void PopState() = 0;
  // The stack becomes [0].
  virtual void ResetStates() = 0;
  // Input accepted: the buttons react only while it is on (switching it to the
  // state it has is fatal).
  virtual bool IsInputEnabled() const = 0;
  virtual void EnableInput() = 0;
  virtual void DisableInput() = 0;
};

}  // namespace nsTamskLib::nsScene
