#pragma once
// Checks that parameter files name the keys the game reads: every key asked for
// that is missing (the game would fall silently to its default), and every file a
// text key names that does not exist under the working folder.

#include <climits>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "game/core/param_access.h"

namespace vesk_test {

// Joins the parts into one text (streams, not operator+ chains, which GCC 12 warns
// about wrongly at -O3).
template <typename... Parts>
std::string JoinText(const Parts&... parts) {
  std::ostringstream out;
  (out << ... << parts);
  return out.str();
}

struct SampleKeys {
  std::vector<std::string> missing;
  std::vector<std::string> absent;

  void Int(const std::string& file, const std::string& section, const std::string& key) {
    if (nsVesk::GetParamInt(file, section, key, INT_MIN) == INT_MIN) missing.push_back(JoinText(file, " [", section, "] ", key));
  }
  // A text key; with `names_file` its value must be a file that exists.
  std::string Text(const std::string& file, const std::string& section, const std::string& key,
                   bool names_file = true) {
    const std::string value = nsVesk::GetParamString(file, section, key, "\x01");
    if (value == "\x01") {
      missing.push_back(JoinText(file, " [", section, "] ", key));
      return {};
    }
    if (names_file && !std::filesystem::exists(value)) absent.push_back(value);
    return value;
  }
  void Rect(const std::string& file, const std::string& section, const std::string& prefix) {
    for (const char* side : {"_Left", "_Top", "_Right", "_Bottom"}) Int(file, section, JoinText(prefix, side));
  }
};

// The enemy and round files of every stage the select files name.
struct SampleStages {
  std::set<std::string> enemies;
  std::set<std::string> rounds;
  std::set<std::string> stories;
  std::set<std::string> rewards;
};

inline SampleStages ReadSampleStages() {
  SampleStages stages;
  const std::string select = "Data/Select/Select.ini";
  for (int c = 0; c < nsVesk::GetParamInt(select, "CG", "CharaNum", 0); ++c) {
    const std::string file = nsVesk::GetParamString(select, JoinText("CharaSelect", c), "EnemySelectIni", "");
    for (int e = 0; e < nsVesk::GetParamInt(file, "CG", "EnemyNum", 0); ++e) {
      const std::string section = JoinText("EnemySelect", e);
      for (int r = 0; r < nsVesk::GetParamInt(file, section, "RoundNum", 0); ++r) {
        stages.enemies.insert(nsVesk::GetParamString(file, section, JoinText("EnemyIni", r), ""));
        stages.rounds.insert(nsVesk::GetParamString(file, section, JoinText("RoundIni", r), ""));
        stages.stories.insert(nsVesk::GetParamString(file, section, JoinText("ADVIni", r), ""));
      }
      stages.rewards.insert(nsVesk::GetParamString(file, section, "GohoubiIni", ""));
    }
  }
  return stages;
}

}  // namespace vesk_test
