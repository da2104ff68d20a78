// The reward scene: its story file's [Gohoubi] section applied on entry, the
// return to the title once the script suspends itself, and the round left alone.
#include "game/core/scene_ids.h"
#include "game/reward/gohoubi_scene.h"

#include <gtest/gtest.h>

#include "engine/api/draw_manager.h"
#include "tests/game/story/story_fixture.h"

namespace {

using nsVesk::nsGohoubi::cGohoubiScene;

using nsVesk::nsCore::kSceneTitle;

class GohoubiSceneTest : public vesk_test::StoryFixture {};

TEST_F(GohoubiSceneTest, PlaysTheRewardStoryThenReturnsToTheTitle) {
  vesk_test::WriteFile("Data/ADV/reward.ini", StoryFile("Gohoubi", "@other"));
  Choose(0);
  nsVesk::g_NovelPlayer->GetDrawManager()->SetTextWindowVisible(false);
  StartScene(nsVesk::nsCore::kSceneReward);
  EXPECT_EQ(Top<cGohoubiScene>()->GetIniPath(), "Data/ADV/reward.ini");
  EXPECT_TRUE(nsVesk::g_NovelPlayer->GetDrawManager()->IsTextWindowVisible());
  FrameAt(0);
  EXPECT_EQ(Executed(), std::vector<std::string>{"step 3"});
  EXPECT_EQ(Pixel(400, 500), vesk_test::kWindowColour & 0xFFFFFFu);
  FrameAt(16);
  EXPECT_EQ(TopStatus(), kSceneTitle) << "popped back to the title";
  EXPECT_EQ(nsVesk::g_Round, 0);
}

TEST_F(GohoubiSceneTest, AFileWithoutItsSectionStartsAtStartAndKeepsTheRound) {
  vesk_test::WriteFile("Data/ADV/reward.ini", StoryFile("ADV", "@other"));
  Choose(1);
  nsVesk::g_NovelPlayer->GetDrawManager()->SetTextWindowVisible(false);
  StartScene(nsVesk::nsCore::kSceneReward);
  EXPECT_FALSE(nsVesk::g_NovelPlayer->GetDrawManager()->IsTextWindowVisible()) << "the window as it was";
  FrameAt(0);
  EXPECT_EQ(Executed(), std::vector<std::string>{"step 1"}) << "@start";
  FrameAt(16);
  EXPECT_EQ(TopStatus(), kSceneTitle);
  EXPECT_EQ(nsVesk::g_Round, 1) << "the reward never touches the round";
}

TEST_F(GohoubiSceneTest, NoSelectionReadsNoTableAndStartsAtStart) {
  PackData();
  nsVesk::BuildSelectionTables();
  nsVesk::ClearSelectTables();
  StartScene(nsVesk::nsCore::kSceneReward);
  EXPECT_EQ(Top<cGohoubiScene>()->GetIniPath(), "") << "-1, -1 is outside the tables";
  FrameAt(0);
  EXPECT_EQ(Executed(), std::vector<std::string>{"step 1"});
}

}  // namespace
