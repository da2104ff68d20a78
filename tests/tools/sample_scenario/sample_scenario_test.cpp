// The sample story script (data/scenario.txt) compiled with the real plug-in: it
// compiles without errors, it defines "@start" and every label the sample story
// files start at, and each of those sections plays to its suspend, which hands
// control back to the game.

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "engine/api/novel_engine.h"
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

class SampleScenario : public CompiledScriptTest {
 protected:
  void SetUp() override {
    fs::copy(VESK_SAMPLE_DATA, "Data", fs::copy_options::recursive);
    Load(platform::Utf8ToCp932(ReadText(VESK_SAMPLE_SCENARIO_SOURCE)));
  }

  bool Suspended() const {
    return !player.GetStates().empty() && player.GetStates().back() == nsTamskLib::nsCore::kStateSuspended;
  }
};

TEST_F(SampleScenario, CompilesAndDefinesEveryLabelTheStoryFilesStartAt) {
  EXPECT_TRUE(errors.empty()) << platform::Cp932ToUtf8(errors);
  const std::set<std::string> labels = LabelsTheGameJumpsTo();
  EXPECT_GE(labels.size(), 8u) << "the selection files name the rounds and rewards";
  for (const std::string& label : labels) {
    EXPECT_EQ(compiler->Labels().count(label), 1u) << label << " is not defined";
  }
}

TEST_F(SampleScenario, EverySectionPlaysToItsSuspendOnTheAdvanceInput) {
  for (const std::string& label : LabelsTheGameJumpsTo()) {
    player.JumpToLabel(label);
    int frames = 0;
    for (; frames < 400 && !Suspended(); ++frames) {
      // Advance every other frame, 50 ms apart, so each message and change of
      // background gets its time.
      if (frames % 2 == 0) {
        player.input.PushLeft();
      } else {
        player.input.IdleLeft();
      }
      platform::AdvanceVirtualClock(50);
      Run(1);
    }
    EXPECT_TRUE(Suspended()) << label << " did not reach its suspend";
    EXPECT_GT(frames, 1) << label << " shows its text first";
    EXPECT_EQ(player.quitCalls, 0) << label;
    // The game's scene takes the suspended state off before the next section.
    player.SetState(0);
  }
}

}  // namespace
}  // namespace vesk_test
