#include "engine/heap/command_heap.h"

#include "engine/api/io_stream.h"
#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/api/stream_words.h"
#include "engine/api/text_stream.h"
#include "engine/plugin/plugin_registry.h"

namespace nsTamskLib::nsSimulatedHeap {
CommandHeap::CommandHeap() : m_Engine(nullptr), m_Iterators{-1} {}

CommandHeap::~CommandHeap() { Clear(); }

WindowHandle CommandHeap::Window() const {
  return m_Engine != nullptr ? m_Engine->GetWindowHandle() : nullptr;
}

std::int32_t CommandHeap::GetIterator() const {
  if (m_Iterators.empty()) RuntimeError(Window(), "イテレータは存在しません！");
  return m_Iterators.back();
}

void CommandHeap::MoveIterator(std::int32_t n) {
  if (m_Iterators.empty()) RuntimeError(Window(), "イテレータは存在しません！");
  // Positions wrap in 32 bits rather than overflow.
  m_Iterators.back() = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_Iterators.back()) +
                                                 static_cast<std::uint32_t>(n));
}

void CommandHeap::SetIterator(std::int32_t n) {
  if (m_Iterators.empty()) RuntimeError(Window(), "イテレータは存在しません！");
  m_Iterators.back() = n;
}

void CommandHeap::PopIterator() {
  if (m_Iterators.empty()) RuntimeError(Window(), "イテレータは既に存在しません！");
  m_Iterators.pop_back();
}

void CommandHeap::PushIterator(std::int32_t n) { m_Iterators.push_back(n); }

void CommandHeap::Dump(nsTextStream::ITextStream* out) const {
  if (out == nullptr) return;
  for (std::size_t i = 0; i < m_Commands.size(); ++i) {
    out->Write("%4d：", static_cast<int>(i));
    m_Commands[i]->Dump(out);
  }
}

void CommandHeap::DumpIterators(nsTextStream::ITextStream* out) const {
  if (out == nullptr) return;
  for (std::size_t i = 0; i < m_Iterators.size(); ++i) {
    out->Write("%d：%d\n", static_cast<int>(i), m_Iterators[i]);
  }
}

int CommandHeap::Execute() {
  if (m_Commands.empty()) RuntimeError(Window(), "命令リストが存在しません！");
  if (m_Iterators.empty()) RuntimeError(Window(), "イテレータが存在しません！");
  const std::int32_t current = GetIterator();
  if (current < 0) RuntimeError(Window(), "スクリプトを実行出来ません！（イテレータが0未満）");
  if (static_cast<std::size_t>(current) >= m_Commands.size()) {
    RuntimeError(Window(), "スクリプトを実行出来ません！（イテレータが終端以上）");
  }
  return m_Commands[static_cast<std::size_t>(current)]->Execute();
}

void CommandHeap::ResetCommands() {
  for (ICmd_Base* command : m_Commands) {
    command->Reset();
    command->SetEngine(m_Engine);
  }
  m_Iterators.assign(1, -1);
}

void CommandHeap::Clear() {
  // Taken out of the list first, so a command's Destroy never sees itself listed.
  std::vector<ICmd_Base*> commands;
  commands.swap(m_Commands);
  for (ICmd_Base* command : commands) command->Destroy();
}

void CommandHeap::Load(nsIOStream::IIOStream* stream) {
  Clear();
  const std::uint32_t count = ReadU32(*stream);
  for (std::uint32_t i = 0; i < count && !stream->HasReadFailed(); ++i) {
    const std::uint32_t type = ReadU32(*stream);
    if (stream->HasReadFailed()) break;
    ICmd_Base* command = nsPlugin::CreateCommand(type);
    m_Commands.push_back(command);
    command->SetEngine(m_Engine);
    command->Load(stream);
  }
}

void CommandHeap::SaveIterators(nsIOStream::IIOStream* stream) const {
  WriteU32(*stream, static_cast<std::uint32_t>(m_Iterators.size()));
  for (std::int32_t iterator : m_Iterators) {
    RequireOpen(*stream);
    stream->SaveNum(iterator);
  }
}

void CommandHeap::LoadIterators(nsIOStream::IIOStream* stream) {
  m_Iterators.clear();
  const std::uint32_t count = ReadU32(*stream);
  for (std::uint32_t i = 0; i < count && !stream->HasReadFailed(); ++i) {
    RequireOpen(*stream);
    std::int32_t iterator = 0;
    stream->LoadNum(&iterator);
    if (!stream->HasReadFailed()) m_Iterators.push_back(iterator);
  }
}

}  // namespace nsTamskLib::nsSimulatedHeap
