#pragma once
// The game's access to its parameter files: every scene, button and the battle read
// their settings through these two, by file, section and key, with the default the
// caller gives. They forward to the program's parameter manager; before it exists
// (or after it is gone) every lookup yields the default.

#include <cstdint>
#include <string>

namespace nsVesk {

std::int32_t GetParamInt(const std::string& file, const std::string& section, const std::string& key,
                         std::int32_t defaultValue);
std::string GetParamString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue);

}  // namespace nsVesk
