#include "engine/heap/single_heap.h"

#include "engine/api/plugin_api.h"
#include "engine/api/text_stream.h"
#include "engine/iostream/base_io_stream.h"

namespace nsTamskLib::nsSimulatedHeap {

std::int32_t SingleHeap::Get(const char* name) const {
  const auto it = m_Map.find(name);
  if (it == m_Map.end()) RuntimeError(nullptr, "%sは存在しないシンボルです！", name);
  return it->second;
}

bool SingleHeap::Exists(const char* name) const { return m_Map.find(name) != m_Map.end(); }

void SingleHeap::Set(const char* name, std::int32_t value) { m_Map[name] = value; }

void SingleHeap::Dump(nsTextStream::ITextStream* out) const {
  if (out == nullptr) return;
  for (const auto& [name, value] : m_Map) out->Write("%s：%d\n", name.c_str(), value);
}

void SingleHeap::Clear() { m_Map.clear(); }

void SingleHeap::Save(nsIOStream::IIOStream* stream) const { nsIOStream::SaveMap(*stream, m_Map); }

void SingleHeap::Load(nsIOStream::IIOStream* stream) { nsIOStream::LoadMap(*stream, m_Map); }

}  // namespace nsTamskLib::nsSimulatedHeap
