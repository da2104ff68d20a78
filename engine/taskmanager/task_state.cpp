// The task manager's block of a save slot (written and read between the script
// position and the text manager's block).

#include <cstdint>
#include <string>

#include "engine/api/draw_manager.h"
#include "engine/api/heaps.h"
#include "engine/api/io_stream.h"
#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/api/stream_words.h"
#include "engine/iostream/base_io_stream.h"
#include "engine/taskmanager/task_manager.h"

namespace nsTamskLib::nsTaskManager {
namespace {

using nsIOStream::IIOStream;

// A count read from the block: none when it is not positive as a signed value.
std::int32_t LoadCount(IIOStream& stream) {
  const std::int32_t count = ReadI32(stream);
  return count > 0 ? count : 0;
}

}  // namespace

void TaskManager::Save(IIOStream& stream) {
  WriteI32(stream, m_MaxZ);
  WriteI32(stream, m_MinZ);
  WriteI32(stream, m_BGZ);
  WriteI32(stream, m_CharaBackZ);
  WriteI32(stream, m_CharaMiddleZ);
  WriteI32(stream, m_CharaFrontZ);
  WriteU32(stream, static_cast<std::uint32_t>(m_TaskList.size()));
  for (const DrawTask& task : m_TaskList) stream.SaveDrawTask(task);
  for (DrawTask* layer : {m_BG, m_LCh, m_CCh, m_RCh}) {
    Sprite sprite;
    sprite.Task[0] = layer[0];
    sprite.Task[1] = layer[1];
    stream.SaveSprite(sprite);
  }
  WriteU32(stream, static_cast<std::uint32_t>(m_Sprites.size()));
  for (const auto& [name, sprite] : m_Sprites) {
    nsIOStream::WriteString(stream, name);
    stream.SaveSprite(sprite);
  }
  WriteU32(stream, static_cast<std::uint32_t>(m_Buttons.size()));
  for (const auto& [name, button] : m_Buttons) {
    nsIOStream::WriteString(stream, name);
    // Saves are taken while the reaction lock is held (input is accepted only
    // within one frame), when every Enabled reads false: the lock's stored flag
    // is the one the button has once input is accepted again.
    const auto held = m_BRCSEnabled.find(name);
    if (m_BRCS && held != m_BRCSEnabled.end() && held->second != button.Enabled) {
      Button saved = button;
      saved.Enabled = held->second;
      stream.SaveButton(saved);
    } else {
      stream.SaveButton(button);
    }
  }
  WriteI32(stream, m_CharaMargin);
  WriteU32(stream, m_ChPriority[0]);
  WriteU32(stream, m_ChPriority[1]);
  WriteU32(stream, m_Page);
  stream.SaveUpdateParam(m_UpdateData);
  stream.SaveEffectParam(m_EffectData);
}

void TaskManager::Load(IIOStream& stream) {
  Reset();
  m_MaxZ = ReadI32(stream);
  m_MinZ = ReadI32(stream);
  m_BGZ = ReadI32(stream);
  m_CharaBackZ = ReadI32(stream);
  m_CharaMiddleZ = ReadI32(stream);
  m_CharaFrontZ = ReadI32(stream);

  // Every counted loop stops at the first short read: a damaged slot never makes
  // entries out of what lies past its end.
  const std::int32_t tasks = LoadCount(stream);
  for (std::int32_t i = 0; i < tasks && !stream.HasReadFailed(); ++i) {
    DrawTask task;
    stream.LoadDrawTask(task);
    m_TaskList.push_back(task);
    RegisterImage(task.Name.c_str());
  }

  for (DrawTask* layer : {m_BG, m_LCh, m_CCh, m_RCh}) {
    Sprite sprite;
    stream.LoadSprite(sprite);
    layer[0] = sprite.Task[0];
    layer[1] = sprite.Task[1];
  }
  for (DrawTask* layer : {m_BG, m_LCh, m_CCh, m_RCh}) {
    RegisterImage(layer[0].Name.c_str());
    RegisterImage(layer[1].Name.c_str());
  }

  nsSimulatedHeap::ISingleHeap* kinds = m_Engine->GetSymbolKindHeap();
  const std::int32_t sprites = LoadCount(stream);
  for (std::int32_t i = 0; i < sprites && !stream.HasReadFailed(); ++i) {
    std::string name;
    nsIOStream::ReadString(stream, name);
    Sprite sprite;
    stream.LoadSprite(sprite);
    if (stream.HasReadFailed()) break;
    Sprite& placed = m_Sprites[name];
    placed = sprite;
    kinds->Set(name.c_str(), nsCore::kSymbolSprite);
    RegisterImage(placed.Task[0].Name.c_str());
    RegisterImage(placed.Task[1].Name.c_str());
  }

  const std::int32_t buttons = LoadCount(stream);
  for (std::int32_t i = 0; i < buttons && !stream.HasReadFailed(); ++i) {
    std::string name;
    nsIOStream::ReadString(stream, name);
    Button button;
    stream.LoadButton(button);
    if (stream.HasReadFailed()) break;
    // Reset left the reaction lock held: the loaded flag goes into the lock, as
    // entering it would have put it, and comes back when input is accepted.
    m_BRCSEnabled[name] = button.Enabled;
    button.Enabled = false;
    Button& placed = m_Buttons[name];
    placed = button;
    kinds->Set(name.c_str(), nsCore::kSymbolButton);
    RegisterImage(placed.Task[0].Name.c_str());
    RegisterImage(placed.Task[1].Name.c_str());
  }

  m_CharaMargin = ReadI32(stream);
  m_ChPriority[0] = ReadU32(stream);
  m_ChPriority[1] = ReadU32(stream);
  // A damaged page number would index past the two pages.
  m_Page = ReadU32(stream) & 1U;
  stream.LoadUpdateParam(m_UpdateData);
  stream.LoadEffectParam(m_EffectData);
}

}  // namespace nsTamskLib::nsTaskManager
