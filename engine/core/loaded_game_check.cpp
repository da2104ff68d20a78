// What a loaded save slot must hold for its first frames to run: each block is read
// on its own, but a frame follows the references between them (a script position
// into the command list, a pattern or drawing into the plug-ins, a button's label
// into the script, the open choice's variable into the variable tables), and a
// block's owner may find that its block names nothing it has. A slot
// that breaks one of them would end the program a frame later; it is refused
// instead, while the current game can still be put back.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/api/draw_records.h"
#include "engine/core/novel_player.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/drawmanager/draw_settings.h"
#include "engine/plugin/plugin_registry.h"

namespace nsTamskLib::nsCore {
namespace {

using nsTaskManager::DrawTask;

// Every position on the stack is a command; a game not started yet holds a single
// -1, which the next frame replaces by "@start".
bool PositionsAreCommands(const std::vector<std::int32_t>& positions, std::size_t commands) {
  if (positions.size() == 1 && positions.front() == -1) return true;
  for (const std::int32_t position : positions) {
    if (position < 0 || static_cast<std::size_t>(position) >= commands) return false;
  }
  return true;
}

bool PatternsExist(nsTaskManager::TaskManager& tasks) {
  const std::uint32_t update = tasks.UpdateData().Type;
  if (update != 0 && nsPlugin::FindUpdateFunc(update) == nullptr) return false;
  const std::uint32_t effect = tasks.EffectData().Type;
  return effect == 0 || (nsPlugin::FindEffect1Func(effect) != nullptr &&
                         nsPlugin::FindEffect2Func(effect) != nullptr &&
                         nsPlugin::FindEffect3Func(effect) != nullptr);
}

// A layer, sprite or button task is queued first: a plug-in kind through the
// plug-in's function that queues it.
bool CanQueue(const DrawTask& task) {
  if (task.Type >= nsTaskManager::kDrawFirstPluginType) {
    return nsPlugin::FindAddDrawTaskFunc(task.Type) != nullptr;
  }
  return nsDrawManager::BaseDrawManager::CanDrawTask(task);
}

bool CanQueueBoth(const DrawTask* pages) { return CanQueue(pages[0]) && CanQueue(pages[1]); }

bool TasksCanBeDrawn(nsTaskManager::TaskManager& tasks, nsSimulatedHeap::ISingleHeap& labels) {
  for (const DrawTask& task : tasks.TaskList()) {
    if (!nsDrawManager::BaseDrawManager::CanDrawTask(task)) return false;
  }
  for (DrawTask* layer : {tasks.BGLayer(), tasks.LChLayer(), tasks.CChLayer(), tasks.RChLayer()}) {
    if (!CanQueueBoth(layer)) return false;
  }
  for (const auto& [name, sprite] : tasks.Sprites()) {
    if (!CanQueueBoth(sprite.Task)) return false;
  }
  for (const auto& [name, button] : tasks.Buttons()) {
    if (!CanQueueBoth(button.Task)) return false;
    // A click continues the script at the label.
    const char* label = button.Label.c_str();
    if (label[0] != '\0' && !labels.Exists(label)) return false;
  }
  return true;
}

}  // namespace

bool NovelPlayer::CanRunLoadedGame() {
  if (m_LoadRefused) return false;
  if (!PositionsAreCommands(m_Commands.GetIterators(), m_Commands.GetCommandList().size())) {
    return false;
  }
  if (!PatternsExist(m_Tasks) || !TasksCanBeDrawn(m_Tasks, m_Labels)) return false;
  // An open choice stores the player's pick in its variable.
  const nsDrawManager::DrawSettings& draw = m_Draw->Settings();
  if (draw.SelectState < 0) return true;
  const char* variable = draw.SelectVariable.c_str();
  return m_Locals.Exists(variable) || m_Globals.Exists(variable);
}

}  // namespace nsTamskLib::nsCore
