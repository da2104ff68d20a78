#pragma once
// SingleHeap: a table of named 32-bit integers ordered by name (bytewise), used for
// labels, local and global variables, symbol kinds and the script's declared names.

#include <cstdint>
#include <map>
#include <string>

#include "engine/api/heaps.h"

namespace nsTamskLib::nsSimulatedHeap {

class SingleHeap final : public ISingleHeap {
 public:
  using Map = std::map<std::string, std::int32_t>;

  std::int32_t Get(const char* name) const override;
  bool Exists(const char* name) const override;
  void Set(const char* name, std::int32_t value) override;
  void Dump(nsTextStream::ITextStream* out) const override;

  void Clear();
  // The table in the stream's map form; Load empties the table first.
  void Save(nsIOStream::IIOStream* stream) const;
  void Load(nsIOStream::IIOStream* stream);

  // The player walks and edits the entries directly.
  Map& GetMap() { return m_Map; }
  const Map& GetMap() const { return m_Map; }

 private:
  Map m_Map;
};

}  // namespace nsTamskLib::nsSimulatedHeap
