#pragma once
// The parameter keys the game reads, checked against a data set: a log of every key
// asked for through the game's parameter access while it lives, and the keys of such
// a log that the data set does not name (the game would fall silently to its
// default), or whose text should name a file that does not exist under the working
// folder.

#include <climits>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "game/core/param_access.h"
#include "game/core/program_objects.h"

namespace vesk_test {

// Joins the parts into one text (streams, not operator+ chains, which GCC 12 warns
// about wrongly at -O3).
template <typename... Parts>
std::string JoinText(const Parts&... parts) {
  std::ostringstream out;
  (out << ... << parts);
  return out.str();
}

class ParamLookupLog {
 public:
  ParamLookupLog() {
    nsVesk::SetParamLookupRecorderForTest([this](const nsVesk::ParamLookup& lookup) { m_Lookups.insert(lookup); });
  }
  ParamLookupLog(const ParamLookupLog&) = delete;
  ParamLookupLog& operator=(const ParamLookupLog&) = delete;
  ~ParamLookupLog() { nsVesk::SetParamLookupRecorderForTest({}); }

  const std::set<nsVesk::ParamLookup>& Lookups() const { return m_Lookups; }

 private:
  std::set<nsVesk::ParamLookup> m_Lookups;
};

struct KeyCheck {
  std::vector<std::string> missing;  // "file [section] key"
  std::vector<std::string> absent;   // files named by text keys
};

// Checks the keys against the program's parameter manager. Keys named in
// `defaulted` may be missing; a text value must be an existing file unless its key
// is named in `plainText`.
inline KeyCheck CheckKeys(const std::set<nsVesk::ParamLookup>& lookups, const std::set<std::string>& defaulted,
                          const std::set<std::string>& plainText) {
  KeyCheck check;
  auto& params = *nsVesk::g_ParamManager;
  for (const nsVesk::ParamLookup& l : lookups) {
    if (defaulted.count(l.key) != 0) continue;
    const std::string value = l.text ? params.GetString(l.file, l.section, l.key, "\x01") : std::string();
    if (l.text ? value == "\x01" : params.GetInt(l.file, l.section, l.key, INT_MIN) == INT_MIN) {
      check.missing.push_back(JoinText(l.file, " [", l.section, "] ", l.key));
    } else if (l.text && plainText.count(l.key) == 0 && !std::filesystem::exists(value)) {
      check.absent.push_back(value);
    }
  }
  return check;
}

// The character files, and the enemy, round, story and reward files of every stage,
// that the select files name.
struct SampleStages {
  std::set<std::string> characters;
  std::set<std::string> enemies;
  std::set<std::string> rounds;
  std::set<std::string> stories;
  std::set<std::string> rewards;
};

inline SampleStages ReadSampleStages() {
  SampleStages stages;
  const std::string select = "Data/Select/Select.ini";
  for (int c = 0; c < nsVesk::GetParamInt(select, "CG", "CharaNum", 0); ++c) {
    stages.characters.insert(nsVesk::GetParamString(select, JoinText("CharaSelect", c), "CharaIni", ""));
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
