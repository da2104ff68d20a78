// A slot loaded in another character's story, on the real entry and plug-in: the
// reward of Kestrin's second stage is saved; in Aoria's first story a copy whose
// place names no character is refused and the story stays, a copy without the
// place (as slots were written before it) loads as it always did, and the slot
// itself brings back the reward, whose "タイトルへ戻る" leads to the title.

#include <gtest/gtest.h>

#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "game/core/place_block.h"
#include "game/core/selection_state.h"
#include "game/core/shell_objects.h"
#include "platform/text/cp932.h"
#include "tests/game/playthrough/playthrough.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace vesk_play;

class LoadPlace : public Playthrough {
 public:
  LoadPlace() : Playthrough(VESK_SAMPLE_DATA, VESK_SAMPLE_SCENARIO, "") {}

  void SaveInTheRewardLoadInAoria() {
    m_BacklogVisited = m_BacklogButtonUsed = m_TimedOut = true;
    m_SavedSection = "c1e1g";
    if (!m_Driver.Start()) return;
    PlayLogoAndTitle();
    nsVesk::g_NovelPlayer->GetGlobalHeap()->Set("Stage1_1", 1);
    PlayStage(1, 1, false);
    std::string slot = vesk_test::ReadFile("Save00.dat");
    std::string name = nsVesk::nsCore::kPlaceBlockName;
    for (char& c : name) c = static_cast<char>(~c);
    const std::size_t block = slot.rfind(name);
    ASSERT_NE(block, std::string::npos);
    vesk_test::WriteFile("Save02.dat", slot.substr(0, block));
    slot[block + name.size() + 1] = 9;
    vesk_test::WriteFile("Save01.dat", slot);

    ASSERT_TRUE(ChooseStage(0, 0));
    m_Driver.RunUntil([] { return !CurrentLine().message.empty(); }, 40000, "Aoria's story showed no text");
    const StoryLine aoria = CurrentLine();
    LoadSlot(1);
    EXPECT_EQ(m_Driver.Boxes().back().second, "Save01.datの読み込みに失敗しました！");
    BackToTheStory(Point{520, 505}, "the load screen's back button did not return to the story");
    EXPECT_TRUE(CurrentLine().talker == aoria.talker && CurrentLine().message.starts_with(aoria.message));
    LoadSlot(2);
    EXPECT_TRUE(CurrentLine().talker == m_SavedLine.talker && m_SavedLine.message.starts_with(CurrentLine().message));
    EXPECT_EQ(GameDriver::TopScene(), kSceneStory);
    EXPECT_EQ(nsVesk::g_SelectChara, 0);
    LoadSlot(0);
    EXPECT_EQ(GameDriver::TopScene(), kSceneReward);
    EXPECT_EQ(nsVesk::g_SelectChara * 10 + nsVesk::g_SelectEnemy, 11);
    m_ChoicesSeen.clear();
    ReadStory("c1e1g (loaded)", kSceneReward);
    EXPECT_TRUE(m_Driver.WaitForScene(kSceneTitle));
  }

  void LoadSlot(int slot) {
    PressStoryButton("bLoad", nsTamskLib::nsCore::kStateLoad, "the load screen");
    m_Driver.AnswerNextQuestion(platform::MessageBoxAnswer::Yes);
    m_Driver.Click(Point{470, 100 + 40 * slot}, 200);
  }
};

TEST(LoadPlace, TheSlotBringsBackItsStoryAndRefusesAPlaceOfNoStage) {
  LoadPlace play;
  play.SaveInTheRewardLoadInAoria();
  for (const std::string& fault : play.Driver().Faults()) ADD_FAILURE() << platform::Cp932ToUtf8(fault);
}

}  // namespace
