#pragma once
// The game's access to its parameter files: every scene, button and the battle read
// their settings through these two, by file, section and key, with the default the
// caller gives. They forward to the program's parameter manager; before it exists
// (or after it is gone) every lookup yields the default.

#include <compare>
#include <cstdint>
#include <functional>
#include <string>

#include "framework/graphics/graphics_types.h"

namespace nsVesk {

std::int32_t GetParamInt(const std::string& file, const std::string& section, const std::string& key,
                         std::int32_t defaultValue);
std::string GetParamString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue);
// The rectangle of the four keys <name>_Left, _Top, _Right and _Bottom, read in that
// order, each 0 by default.
nsZarn::nsGraphics::Rect GetParamRect(const std::string& file, const std::string& section, const std::string& name);

// The number of entries of a list in a parameter file (default 0). A count above
// `limit` ends the program with a message that names the file, the section, the
// key and the value: reading or allocating that many entries would stall or
// exhaust the program. A negative count is returned as read (no entries).
std::int32_t GetParamCount(const std::string& file, const std::string& section, const std::string& key,
                           std::int32_t limit);

// One lookup: the key asked for, and whether as text.
struct ParamLookup {
  std::string file;
  std::string section;
  std::string key;
  bool text = false;
  auto operator<=>(const ParamLookup&) const = default;
};
// While set, every lookup is also reported here: a test learns which keys the game
// reads. An empty function stops the reports.
void SetParamLookupRecorderForTest(std::function<void(const ParamLookup&)> recorder);

}  // namespace nsVesk
