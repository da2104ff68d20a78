#pragma once
// The line-breaking sets: characters that may not end a line (leading), that may
// not begin one (following), and the weak following characters that the layout
// tests separately. Each set maps a character code to the character's bytes.
// Codes are those of plugin/text/sjis.h.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "engine/api/fwd.h"
#include "plugin/core/engine_names.h"
#include "plugin/text/sjis.h"

namespace nsWendrick {

class KinsokuSet {
 public:
  // Adds every character of the text; a code already present keeps its entry.
  void Add(const char* text);
  // Empties the set, then adds.
  void Set(const char* text);
  void Clear() { m_Chars.clear(); }
  bool Contains(std::int32_t code) const { return m_Chars.count(code) != 0; }

  const std::map<std::int32_t, std::string>& chars() const { return m_Chars; }

  // Count, then code and character per entry in code order.
  void Save(IIOStream* stream) const;
  // Empties the set and reads it back.
  void Load(IIOStream* stream);

 private:
  std::map<std::int32_t, std::string> m_Chars;
};

// The three process-wide sets.
KinsokuSet& LeadingChs();
KinsokuSet& FollowingChs();
KinsokuSet& FollowingWeakChs();

void AddLeadingChs(const char* text);
void AddFollowingChs(const char* text);
// Adds to the following set, then to the weak following set.
void AddFollowingWeakChs(const char* text);
void SetLeadingChs(const char* text);
void SetFollowingChs(const char* text);
// Empties only the weak set: the following set keeps its characters and gains these.
void SetFollowingWeakChs(const char* text);

bool IsLeadingCh(std::int32_t code);
bool IsFollowingCh(std::int32_t code);
bool IsFollowingWeakCh(std::int32_t code);

void SaveLeadingChs(IIOStream* stream);
void SaveFollowingChs(IIOStream* stream);
void SaveFollowingWeakChs(IIOStream* stream);
void LoadLeadingChs(IIOStream* stream);
void LoadFollowingChs(IIOStream* stream);
void LoadFollowingWeakChs(IIOStream* stream);

// The default characters, installed when the plug-in attaches.
extern const char* const kDefaultLeadingChs;
extern const char* const kDefaultFollowingChs;
extern const char* const kDefaultFollowingWeakChs;

// Replaces the three sets with their defaults: leading, following, then weak
// following (so the following set also holds every weak following character).
void InstallDefaultKinsokuSets();

}  // namespace nsWendrick
