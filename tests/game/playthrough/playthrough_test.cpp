// The sample game played from the logo to the close question on the real entry
// and the real plug-in; every checkpoint on the way that failed is listed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "game/core/param_access.h"
#include "game/selection/selection_state.h"
#include "game/shell/shell_objects.h"
#include "game/story/place_block.h"
#include "platform/text/cp932.h"
#include "tests/game/playthrough/playthrough.h"
#include "tests/game/support/program_lifetime.h"
#include "tests/game/support/sample_keys.h"

namespace {

std::string ReadText(const char* file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Keys the game reads whose default the sample data means to take.
const std::set<std::string> kDefaultedKeys = {};
// Text keys that name no file.
const std::set<std::string> kPlainTextKeys = {"AppTitle", "StartLabel"};

// Every key the game read while it played, and the keys of the ways the play does
// not take (back from the select screen, a bomb, a lost round after the first), is
// named by the sample data and every file such a key names exists; the sample has
// two characters, nine stories and four rewards.
void ExpectTheSampleNamesEveryKey(std::set<nsVesk::ParamLookup> lookups) {
  ASSERT_TRUE(vesk_test::OpenArchive("Data.dat"));
  const vesk_test::SampleStages stages = vesk_test::ReadSampleStages();
  lookups.insert({"Data/Select/Select.ini", "CG", "WaitTime", false});
  for (const std::string& file : stages.characters) lookups.insert({file, "Bomb", "SE", true});
  for (const std::string& file : stages.rounds) lookups.insert({file, "SE", "OnGameOver", true});
  const vesk_test::KeyCheck check = vesk_test::CheckKeys(lookups, kDefaultedKeys, kPlainTextKeys);
  EXPECT_EQ(check.missing, std::vector<std::string>{});
  EXPECT_EQ(check.absent, std::vector<std::string>{});
  EXPECT_EQ(stages.characters.size(), 2u);
  EXPECT_GE(stages.stories.size(), 9u);
  EXPECT_EQ(stages.rewards.size(), 4u);
  vesk_test::ReleaseArchive();
}

TEST(Playthrough, TheSampleGamePlaysFromItsLogoToItsEnd) {
  vesk_test::ParamLookupLog keysRead;
  vesk_play::Playthrough play(VESK_SAMPLE_DATA, VESK_SAMPLE_SCENARIO, ReadText(VESK_SAMPLE_SCENARIO_SOURCE));
  play.Run();
  ExpectTheSampleNamesEveryKey(keysRead.Lookups());

  for (const std::string& fault : play.Driver().Faults()) ADD_FAILURE() << platform::Cp932ToUtf8(fault);
  const vesk_play::PlayRecord& record = play.Record();
  EXPECT_EQ(record.stagesCleared, 4);
  const bool printLines = std::getenv("VESK_PLAY_LINES") != nullptr;
  for (const auto& [name, lines] : record.sections) {
    for (const auto& line : lines) {
      EXPECT_FALSE(line.message.empty()) << name;
      if (printLines) {
        std::cout << name << " | " << platform::Cp932ToUtf8(line.talker) << " | "
                  << platform::Cp932ToUtf8(line.message) << "\n";
      }
    }
  }
  for (const std::string& lock : record.locksOpenedByThePlay) {
    std::cout << "note: the story does not open " << lock << "; the play opened it\n";
  }
  std::cout << "game time " << play.Driver().GameTimeMs() << " ms in " << play.Driver().Frames() << " frames, "
            << record.sections.size() << " story sections, " << record.choicesTaken << " choices, "
            << record.battleClicks << " battle clicks; " << play.Driver().GameTimeMs() / record.wallMs << "x real time\n";
}

// Kestrin's last reward saved, then in Aoria's first story: a copy whose place
// names no character is refused and the story stays, a copy cut before the place
// (a slot of before it) loads as it always did, and the slot itself brings the
// reward back, whose "タイトルへ戻る" leads to the title.
struct LoadPlace : vesk_play::Playthrough {
  LoadPlace() : Playthrough(VESK_SAMPLE_DATA, VESK_SAMPLE_SCENARIO, "") {
    m_BacklogVisited = m_BacklogButtonUsed = m_TimedOut = true;
    m_SavedSection = "c1e1g";
    if (!m_Driver.Start()) return;
    nsVesk::g_NovelPlayer->GetGlobalHeap()->Set("Stage1_1", 1);
    PlayStage(1, 1, false);
    std::string slot = ReadText("Save00.dat");
    std::string name = nsVesk::nsCore::kPlaceBlockName;
    for (char& c : name) c = static_cast<char>(~c);
    const std::size_t block = slot.rfind(name);
    std::ofstream("Save02.dat", std::ios::binary) << slot.substr(0, block);
    std::ofstream("Save01.dat", std::ios::binary) << slot.replace(block + name.size() + 1, 1, 1, '\x09');
    if (!ChooseStage(0, 0)) return;
    m_Driver.RunUntil([] { return !CurrentLine().message.empty(); }, 40000, "Aoria's story showed no text");
    const vesk_play::StoryLine aoria = CurrentLine();
    LoadSlot(1);
    EXPECT_EQ(m_Driver.Boxes().back().second, "Save01.datの読み込みに失敗しました！");
    BackToTheStory(vesk_play::Point{520, 505}, "the load screen's back button did not return to the story");
    EXPECT_TRUE(CurrentLine().talker == aoria.talker && CurrentLine().message.starts_with(aoria.message));
    LoadSlot(2);
    EXPECT_EQ(CurrentLine().talker, m_SavedLine.talker);
    EXPECT_EQ(nsVesk::g_SelectChara, 0);
    LoadSlot(0);
    EXPECT_EQ(vesk_play::GameDriver::TopScene() * 100 + nsVesk::g_SelectChara * 10 + nsVesk::g_SelectEnemy, 611);
    m_ChoicesSeen.clear();
    ReadStory("c1e1g (loaded)", vesk_play::kSceneReward);
    EXPECT_TRUE(m_Driver.WaitForScene(vesk_play::kSceneTitle));
  }
  void LoadSlot(int slot) {
    PressStoryButton("bLoad", nsTamskLib::nsCore::kStateLoad, "the load screen");
    m_Driver.AnswerNextQuestion(platform::MessageBoxAnswer::Yes);
    m_Driver.Click(vesk_play::Point{470, 100 + 40 * slot}, 200);
  }
};

TEST(Playthrough, ASlotLoadedInAnotherStoryBringsBackItsOwn) {
  LoadPlace play;
  for (const std::string& fault : play.Driver().Faults()) ADD_FAILURE() << platform::Cp932ToUtf8(fault);
}

// The stages of both characters in the order given, in one process, each stage
// twice and each round lost and restarted before it is won, the stories skipped:
// whatever was played before, the boards of every round lie in chip pictures of
// their own, each in its own closed-cell colour, and every section comes to its
// first text as quickly as the first time, give or take the set-up of a new game
// (the last reward, taken twice, starts one).
struct EveryRoundTwice : vesk_play::Playthrough {
  explicit EveryRoundTwice(std::initializer_list<int> characters)
      : Playthrough(VESK_SAMPLE_DATA, VESK_SAMPLE_SCENARIO, ReadText(VESK_SAMPLE_SCENARIO_SOURCE)) {
    m_BacklogVisited = m_BacklogButtonUsed = m_TimedOut = true;
    m_SavedSection.clear();
    m_SkipStories = m_LoseEveryRound = true;
    if (!m_Driver.Start()) return;
    for (const int chara : characters) {
      for (int enemy = 0; enemy < 2; ++enemy) {
        PlayStage(chara, enemy, false);
        PlayStage(chara, enemy, false);
      }
    }
    EXPECT_EQ(m_Record.stagesCleared, 8);
    CheckFirstTexts();
    for (const std::string& fault : m_Driver.Faults()) ADD_FAILURE() << platform::Cp932ToUtf8(fault);
  }
};

TEST(Playthrough, EveryRoundsBoardsHaveColoursOfTheirOwnAoriaFirst) { EveryRoundTwice play({0, 1}); }

TEST(Playthrough, EveryRoundsBoardsHaveColoursOfTheirOwnKestrinFirst) { EveryRoundTwice play({1, 0}); }

}  // namespace
