// The selection tables built from the select files: their shapes and names, a
// missing round name, building twice, the bounds-checked reads, and the select
// tables emptied with the scene while the selection tables stay.
#include "game/selection/selection_tables.h"

#include <gtest/gtest.h>

#include "game/select/select_scene.h"
#include "game/selection/selection_state.h"
#include "tests/game/select/select_test_data.h"

namespace {

using nsVesk::g_ADVIniTable;
using nsVesk::g_CharaButtons;
using nsVesk::g_CharaIniTable;
using nsVesk::g_EnemyButtons;
using nsVesk::g_EnemyIniTable;
using nsVesk::g_GohoubiIniTable;
using nsVesk::g_RoundIniTable;

class SelectionTablesTest : public vesk_test::SceneStackFixture {
 protected:
  void SetUp() override {
    SceneStackFixture::SetUp();
    // Character 1 has three stages of 2, 3 and 1 rounds; its first stage lacks RoundIni1.
    std::string enemies1 = "[CG]\nEnemyNum=3\n" + vesk_test::EnemyEntry(0, 2, "s0") +
                           vesk_test::EnemyEntry(1, 3, "s1") + vesk_test::EnemyEntry(2, 1, "s2");
    enemies1.replace(enemies1.find("RoundIni1=\"s0r1.ini\"\n"), 21, "");
    vesk_test::WriteSelectData(2, "", "[CG]\nEnemyNum=1\n" + vesk_test::EnemyEntry(0, 1, "c0"), enemies1);
    PackData();
  }
};

TEST_F(SelectionTablesTest, TheFilesGiveOneEntryPerCharacterStageAndRound) {
  nsVesk::g_SelectChara = 1;
  nsVesk::g_Round = 3;
  nsVesk::BuildSelectionTables();
  EXPECT_EQ(nsVesk::g_SelectChara, -1);
  EXPECT_EQ(nsVesk::g_SelectEnemy, -1);
  EXPECT_EQ(nsVesk::g_Round, 0);
  ASSERT_EQ(g_CharaButtons.size(), 2u);
  EXPECT_EQ(g_CharaIniTable, (std::vector<std::string>{"Data/Chara/c0.ini", "Data/Chara/c1.ini"}));
  ASSERT_EQ(g_EnemyButtons.size(), 2u);
  EXPECT_EQ(g_EnemyButtons[0].size(), 1u);
  ASSERT_EQ(g_RoundIniTable.at(1).size(), 3u);
  EXPECT_EQ(g_RoundIniTable[1][0], (std::vector<std::string>{"s0r0.ini", ""})) << "a missing name stays an entry";
  EXPECT_EQ(g_RoundIniTable[1][1].size(), 3u);
  EXPECT_EQ(g_RoundIniTable[1][2].size(), 1u);
  EXPECT_EQ(g_EnemyIniTable[1][1][2], "s1e2.ini");
  EXPECT_EQ(g_ADVIniTable[1][2][0], "s2a0.ini");
  EXPECT_EQ(g_GohoubiIniTable.at(1), (std::vector<std::string>{"s0g.ini", "s1g.ini", "s2g.ini"}));
  EXPECT_EQ(nsVesk::g_CharaClickRects.at(1).left, 200);
  EXPECT_EQ(nsVesk::g_EnemyClickRects.at(1).at(2).left, 400);
  EXPECT_NE(nsVesk::g_SelectBackImages.Find(nsVesk::kSelectBackImage), nullptr);
  nsVesk::ClearSelectTables();
}

TEST_F(SelectionTablesTest, BuildingTwiceGivesTheSameTablesAndTheSceneEmptiesOnlyItsOwn) {
  nsVesk::BuildSelectionTables();
  const auto rounds = g_RoundIniTable;
  const auto gohoubi = g_GohoubiIniTable;
  const std::size_t images = nsVesk::g_SelectButtonImages.Size();
  nsVesk::BuildSelectionTables();
  EXPECT_EQ(g_RoundIniTable, rounds);
  EXPECT_EQ(g_GohoubiIniTable, gohoubi);
  EXPECT_EQ(g_CharaButtons.size(), 2u);
  EXPECT_EQ(nsVesk::g_SelectButtonImages.Size(), images);
  nsVesk::ClearSelectTables();

  auto* scene = new nsVesk::nsSelect::cSelectScene;
  EXPECT_EQ(g_CharaButtons.size(), 2u);
  scene->Release();
  EXPECT_TRUE(g_CharaButtons.empty());
  EXPECT_TRUE(g_EnemyButtons.empty());
  EXPECT_TRUE(nsVesk::g_CharaSrcRects.empty());
  EXPECT_TRUE(nsVesk::g_EnemyClickRects.empty());
  EXPECT_EQ(nsVesk::g_SelectButtonImages.Size(), 0u);
  EXPECT_EQ(nsVesk::g_SelectBackImages.Size(), 0u);
  EXPECT_EQ(g_RoundIniTable, rounds) << "the selection tables stay for the story and the battle";
}

TEST_F(SelectionTablesTest, ReadsOutsideTheTablesGiveNothing) {
  nsVesk::BuildSelectionTables();
  EXPECT_EQ(nsVesk::ADVIniOf(1, 2, 0), "s2a0.ini");
  EXPECT_EQ(nsVesk::ADVIniOf(1, 2, 1), "");
  EXPECT_EQ(nsVesk::RoundIniOf(-1, 0, 0), "");
  EXPECT_EQ(nsVesk::EnemyIniOf(2, 0, 0), "");
  EXPECT_EQ(nsVesk::GohoubiIniOf(1, 3), "");
  EXPECT_EQ(nsVesk::GohoubiIniOf(0, -1), "");
  EXPECT_EQ(nsVesk::CharaIniOf(5), "");
  EXPECT_EQ(nsVesk::RoundCountOf(1, 1), 3u);
  EXPECT_EQ(nsVesk::RoundCountOf(0, 1), 0u);
  nsVesk::ClearSelectTables();
}

TEST_F(SelectionTablesTest, MissingFilesGiveNoCharactersOrStages) {
  vesk_test::WriteFile("Data/Select/Select.ini", "[CG]\nCharaNum=1\n");
  std::filesystem::remove("Data.dat");
  delete nsVesk::g_ParamManager;
  nsVesk::g_ParamManager = nullptr;
  delete nsVesk::g_FilePackManager;
  nsVesk::g_FilePackManager = nullptr;
  PackData();
  nsVesk::BuildSelectionTables();
  EXPECT_EQ(g_CharaButtons.size(), 1u);
  EXPECT_EQ(g_CharaIniTable, std::vector<std::string>{""});
  EXPECT_TRUE(g_EnemyButtons.at(0).empty()) << "no enemy file: no enemies";
  EXPECT_EQ(nsVesk::g_SelectButtonImages.Find(""), nullptr);
  nsVesk::ClearSelectTables();
}

}  // namespace
