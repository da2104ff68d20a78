// The sample story script (data/scenario.txt) and the scene it links at run time
// (data/interlude.txt) compiled with the real plug-in: they compile without
// errors and use every command type the plug-in registers; the script defines
// "@start", every label the sample story files start at and every label a
// computed jump can form; every stage the select screen locks is opened by some
// script; each section plays to its suspend, which hands control back to the
// game; and the text window, wherever the story hides it and shows it again,
// never comes back showing the line it went after.

#include <filesystem>
#include <fstream>
#include <regex>
#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/novel_engine.h"
#include "engine/plugin/plugin_registry.h"
#include "platform/clock/clock.h"
#include "platform/text/cp932.h"
#include "tests/tools/kit/compiled_script_fixture.h"

namespace vesk_test {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every value of a key matching keyPattern ("Key=\"value\"" lines) in the text.
std::vector<std::string> Values(const std::string& text, const std::string& keyPattern) {
  std::vector<std::string> values;
  const std::regex line("^" + keyPattern + "=\"([^\"]*)\"", std::regex::multiline);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), line); it != std::sregex_iterator(); ++it) {
    values.push_back((*it)[1].str());
  }
  return values;
}

// The labels the game can jump to: "@start", and the start label of every story
// and reward file the selection files name.
std::set<std::string> LabelsTheGameJumpsTo() {
  const fs::path data(VESK_SAMPLE_DATA);
  std::set<std::string> labels{"@start"};
  for (const auto& entry : fs::directory_iterator(data / "Select")) {
    if (entry.path().extension() != ".ini") continue;
    const std::string selection = ReadText(entry.path());
    for (const std::string& key : {std::string("ADVIni[0-9]+"), std::string("GohoubiIni")}) {
      for (const std::string& story : Values(selection, key)) {
        const fs::path file = data.parent_path() / story;
        EXPECT_TRUE(fs::exists(file)) << story;
        const std::vector<std::string> starts = Values(ReadText(file), "StartLabel");
        EXPECT_EQ(starts.size(), 1u) << story;
        labels.insert(starts.begin(), starts.end());
      }
    }
  }
  return labels;
}

// The start labels of every story file under Data/ADV, with "@start": also the
// sections no selection file names yet.
std::set<std::string> EveryStoryLabel() {
  std::set<std::string> labels = LabelsTheGameJumpsTo();
  for (const auto& entry : fs::directory_iterator(fs::path(VESK_SAMPLE_DATA) / "ADV")) {
    if (entry.path().extension() != ".ini") continue;
    for (const std::string& start : Values(ReadText(entry.path()), "StartLabel")) labels.insert(start);
  }
  return labels;
}

// The command types the plug-in registered a factory for (so every type it makes
// commands of, and not else, whose parser makes a jump) that no compiled command has.
std::vector<std::uint32_t> TypesNeverUsed(const std::map<unsigned, nsTamskLib::CmdFactory>& registered,
                                          const std::set<std::uint32_t>& used) {
  std::vector<std::uint32_t> unused;
  for (const auto& [type, factory] : registered) {
    if (used.count(type) == 0) unused.push_back(type);
  }
  return unused;
}

// The text window frame by frame, and each of its returns after it was hidden:
// the section, the message it showed when it went (its tokens' text in the
// script's encoding), and the frames after its return that still show it or its cursor.
struct WindowReturn {
  std::string section;
  std::string went;
  int staleFrames = 0;
};

class WindowWatch {
 public:
  void Frame(const std::string& section, const nsTamskLib::nsDrawManager::DrawSettings& settings) {
    const bool shown = settings.TextWindowVisible || settings.TextWindowForced;
    std::string message;
    for (std::uint32_t line = 0; line < settings.MessageText.size(); ++line) {
      for (std::uint32_t i = 0; i < settings.MessageText.at(line).size(); ++i) {
        message += settings.MessageText.at(line).at(i).Text.c_str();
      }
    }
    if (shown && !m_Shown) returns.push_back({section, m_Last});
    // Back and still on the message it went with, or on the cursor that waited
    // under it: a stale frame. Any other shown frame ends the return; a hidden one
    // starts the next.
    const bool waitingCursor = settings.TextCursorState == 1 || settings.TextCursorState == 2;
    if (shown && m_Back && !returns.back().went.empty() &&
        (message == returns.back().went || (message.empty() && waitingCursor))) {
      ++returns.back().staleFrames;
    } else {
      m_Back = !shown;
    }
    if (shown) m_Last = message;
    m_Shown = shown;
  }
  std::vector<WindowReturn> returns;

 private:
  bool m_Shown = false;
  bool m_Back = false;
  std::string m_Last;
};

class SampleScenario : public CompiledScriptTest {
 protected:
  void SetUp() override {
    fs::copy(VESK_SAMPLE_DATA, "Data", fs::copy_options::recursive);
    CompileTo(platform::Utf8ToCp932(ReadText(VESK_SAMPLE_OBJECT_SOURCE)), "interlude.obj", true);
    const std::vector<std::uint32_t> objectTypes = CompiledTypes();
    usedTypes.insert(objectTypes.begin(), objectTypes.end());
    for (const auto& [label, position] : compiler->Labels()) objectLabels.insert(label);
    Load(platform::Utf8ToCp932(ReadText(VESK_SAMPLE_SCENARIO_SOURCE)));
    const std::vector<std::uint32_t> scriptTypes = CompiledTypes();
    usedTypes.insert(scriptTypes.begin(), scriptTypes.end());
  }

  std::set<std::uint32_t> usedTypes;
  std::set<std::string> objectLabels;
  WindowWatch window;

  bool Suspended() const {
    return !player.GetStates().empty() && player.GetStates().back() == nsTamskLib::nsCore::kStateSuspended;
  }
};

TEST_F(SampleScenario, CompilesAndDefinesEveryLabelTheStoryFilesStartAt) {
  EXPECT_TRUE(errors.empty()) << platform::Cp932ToUtf8(errors);
  const std::set<std::string> labels = EveryStoryLabel();
  EXPECT_GE(labels.size(), 8u) << "the selection files name the rounds and rewards";
  for (const std::string& label : labels) {
    EXPECT_EQ(compiler->Labels().count(label), 1u) << label << " is not defined";
  }
}

TEST_F(SampleScenario, UsesEveryCommandType) {
  EXPECT_EQ(TypesNeverUsed(nsTamskLib::nsPlugin::GetRegistries().factories, usedTypes),
            std::vector<std::uint32_t>{});
}

TEST(SampleScenarioTypes, ARegisteredTypeTheStoryNeverUsesIsNamed) {
  const std::map<unsigned, nsTamskLib::CmdFactory> registered = {{1, nullptr}, {4, nullptr}, {58, nullptr}};
  EXPECT_EQ(TypesNeverUsed(registered, {1, 4, 9}), std::vector<std::uint32_t>{58});
  EXPECT_EQ(TypesNeverUsed(registered, {1, 4, 58}), std::vector<std::uint32_t>{});
}

TEST_F(SampleScenario, EveryComputedJumpCanReachALabelForEachBranch) {
  const std::string source = ReadText(VESK_SAMPLE_SCENARIO_SOURCE);
  std::set<std::string> labels = objectLabels;
  for (const auto& [label, position] : compiler->Labels()) labels.insert(platform::Cp932ToUtf8(label));
  const std::regex jump("(gotod|gosubd) \"([^\"]*)\"");
  int jumps = 0;
  for (auto it = std::sregex_iterator(source.begin(), source.end(), jump); it != std::sregex_iterator(); ++it) {
    ++jumps;
    // A variable reference stands for a number.
    const std::string pattern = std::regex_replace((*it)[2].str(), std::regex("\\\\[A-Za-z_]+\\\\"), "[0-9]+");
    const bool computed = pattern != (*it)[2].str();
    int matches = 0;
    for (const std::string& label : labels) matches += std::regex_match(label, std::regex(pattern)) ? 1 : 0;
    EXPECT_GE(matches, computed ? 2 : 1) << (*it)[2].str();
  }
  EXPECT_GE(jumps, 4);
}

TEST_F(SampleScenario, EveryLockedStageIsOpenedBySomeScript) {
  const std::string source = ReadText(VESK_SAMPLE_SCENARIO_SOURCE);
  const std::regex stage("^\\[EnemySelect([0-9]+)\\]", std::regex::multiline);
  int locked = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(VESK_SAMPLE_DATA) / "Select")) {
    std::smatch chara;
    const std::string name = entry.path().filename().string();
    if (!std::regex_match(name, chara, std::regex("enemy_c([0-9]+)\\.ini"))) continue;
    const std::string selection = ReadText(entry.path());
    for (auto it = std::sregex_iterator(selection.begin(), selection.end(), stage); it != std::sregex_iterator();
         ++it) {
      if ((*it)[1].str() == "0") continue;  // the first stage of a character is always open
      ++locked;
      const std::string flag = "Stage" + chara[1].str() + "_" + (*it)[1].str();
      EXPECT_TRUE(std::regex_search(source, std::regex("calc " + flag + " = [1-9]"))) << flag << " is never set";
    }
  }
  EXPECT_GE(locked, 1);
}

TEST_F(SampleScenario, EverySectionPlaysToItsSuspendOnTheAdvanceInput) {
  for (const std::string& label : EveryStoryLabel()) {
    player.JumpToLabel(label);
    int frames = 0;
    for (; frames < 3000 && !Suspended(); ++frames) {
      // Clicks 50 ms apart, so each message, transition and timed choice gets its time.
      ClickFrame(player, frames);
      window.Frame(label, player.draw.Settings());
    }
    EXPECT_TRUE(Suspended()) << label << " did not reach its suspend";
    EXPECT_GT(frames, 1) << label << " shows its text first";
    EXPECT_EQ(player.quitCalls, 0) << label;
    // The game's scene takes the suspended state off before the next section.
    player.SetState(0);
  }
  for (const WindowReturn& back : window.returns) {
    EXPECT_EQ(back.staleFrames, 0) << back.section << ": \"" << platform::Cp932ToUtf8(back.went) << "\" shown again";
  }
  // The places the window goes after a line and comes back before the next one.
  for (const auto& [section, line] : {std::pair{"@c0e1r0", "夜。塔へ続く道は"},  // Aoria's night fade
                                      std::pair{"@c1e1r1", "一瞬、言葉の窓が"},  // Kestrin's tower cellar
                                      std::pair{"@c1e1r1", "窓が消えても"},      // the window toggled
                                      std::pair{"@c0e1g", "仕方ないわね"}}) {    // a reward's jingle
    EXPECT_TRUE(std::any_of(window.returns.begin(), window.returns.end(), [&](const WindowReturn& back) {
      return back.section == section && back.went.rfind(line, 0) == 0;
    })) << section << ": no return after \"" << platform::Cp932ToUtf8(line) << "\"";
  }
}

}  // namespace
}  // namespace vesk_test
