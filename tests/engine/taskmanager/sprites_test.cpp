// Named sprites, and the position and movement limits they share with buttons.

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/token_containers.h"
#include "tests/engine/taskmanager/task_manager_fixture.h"

namespace vesk_test {
namespace {

class SpriteTest : public TaskManagerTest {
 protected:
  SpriteTest() { tm.AddSprite("s"); }

  const DrawTask& Back() { return tm.Sprites().at("s").Task[1]; }
  const DrawTask& Shown() { return tm.Sprites().at("s").Task[0]; }
};

TEST_F(SpriteTest, SettersChangeOnlyTheBackPage) {
  tm.SetSpriteImage("s", "face.png", 2, 10, 20, 110, 220);
  tm.SetSpritePosition("s", 5, 6, 7, 128);
  tm.SetSpriteVisible("s", true);
  EXPECT_EQ(Back().Name, "face.png");
  EXPECT_EQ(Back().Type, nsTamskLib::nsTaskManager::kDrawImage);
  EXPECT_EQ(Back().BltType, 2);
  EXPECT_EQ(Back().SrcRect.right, 110);
  EXPECT_EQ(Back().X, 5);
  EXPECT_EQ(Back().Y, 6);
  EXPECT_EQ(Back().Z, 7);
  EXPECT_EQ(Back().A, 128);
  EXPECT_TRUE(Back().Visible);
  EXPECT_EQ(Shown().Name, "");
  EXPECT_FALSE(Shown().Visible);
  EXPECT_EQ(engine.registeredImages, std::vector<std::string>{"face.png"});

  tm.AddSprite("t");
  tm.SetAllSpritesVisible(false);
  EXPECT_FALSE(Back().Visible);
  tm.SetAllSpritesVisible(true);
  EXPECT_TRUE(tm.Sprites().at("t").Task[1].Visible);
  EXPECT_FALSE(tm.Sprites().at("t").Task[0].Visible);
}

TEST_F(SpriteTest, TextAndWholeTasksReplaceTheBackTask) {
  nsTamskLib::TextTokenSection text;
  text.push_back(nsTamskLib::TextTokenLine());
  tm.SetSpriteText("s", text);
  EXPECT_EQ(Back().Type, nsTamskLib::nsTaskManager::kDrawText);
  EXPECT_EQ(Back().Text.size(), 1u);

  DrawTask task = ImageTask("whole.png", 3, 3);
  task.Z = 9;
  tm.SetSprite("s", task);
  EXPECT_EQ(Back().Name, "whole.png");
  EXPECT_EQ(Back().Z, 9);
  EXPECT_EQ(Back().Text.size(), 0u);
}

TEST_F(SpriteTest, NamesMustExistOrBeNew) {
  EXPECT_TRUE(tm.ExistsSprite("s"));
  EXPECT_FALSE(tm.ExistsSprite("x"));
  EXPECT_FATAL(tm.AddSprite("s"), "sは既に存在するスプライトです！");
  EXPECT_FATAL(tm.SetSpriteVisible("x", true), "xは存在しないスプライトです！");
  EXPECT_FATAL(tm.SetSpritePosition("x", 0, 0, 0, 0), "xは存在しないスプライトです！");
  EXPECT_FATAL(tm.MoveSprite("x", 0, 0, 0, 0), "xは存在しないスプライトです！");
  EXPECT_FATAL(tm.SetSpriteImage("x", "a", 0, 0, 0, 1, 1), "xは存在しないスプライトです！");
  EXPECT_FATAL(tm.SetSpriteText("x", nsTamskLib::TextTokenSection()),
               "xは存在しないスプライトです！");
}

TEST_F(SpriteTest, SourceRectanglesAreChecked) {
  DrawTask task = ImageTask("a.png", 1, 1);
  task.SrcRect = TRect{0, 5, 10, 4};
  // The rectangle is checked before the name.
  EXPECT_FATAL(tm.SetSprite("missing", task),
               "転送元矩形の指定が間違っています！\n（missing.SrcRect = {0, 5, 10, 4}）");
  EXPECT_FATAL(tm.SetSpriteImage("s", "a.png", 0, -1, 0, 10, 10),
               "転送元矩形の指定が間違っています！\n（s.SrcRect = {-1, 0, 10, 10}）");
  EXPECT_TRUE(engine.registeredImages.empty());
}

TEST_F(SpriteTest, PositionsKeepWithinTheDepthLimits) {
  tm.SetSpritePosition("s", 0, 0, 32000, 255);
  tm.SetSpritePosition("s", 0, 0, -32000, 255);
  EXPECT_EQ(Back().Z, -32000);
  EXPECT_FATAL(tm.SetSpritePosition("s", 0, 0, 32001, 255), "範囲外が指定されています！（Z = 32001）");
}

TEST_F(SpriteTest, RaisingDepthPastTheLimitIsRefused) {
  tm.SetSpritePosition("s", 0, 0, 31000, 255);
  tm.MoveSprite("s", 0, 0, 1000, 0);
  EXPECT_EQ(Back().Z, 32000);
  EXPECT_FATAL(tm.MoveSprite("s", 0, 0, 1, 0), "範囲外が指定されています！（Z = 32000 + 1）");
}

TEST_F(SpriteTest, OpacityMovesWithinZeroTo255) {
  tm.SetSpritePosition("s", 0, 0, 0, 200);
  tm.MoveSprite("s", 1, 2, 3, 55);
  EXPECT_EQ(Back().A, 255);
  EXPECT_EQ(Back().X, 1);
  EXPECT_EQ(Back().Y, 2);
  EXPECT_EQ(Back().Z, 3);
  tm.MoveSprite("s", 0, 0, 0, -255);
  EXPECT_EQ(Back().A, 0);
}

TEST_F(SpriteTest, OpacityOneAbove255IsRefused) {
  tm.SetSpritePosition("s", 0, 0, 0, 200);
  EXPECT_FATAL(tm.MoveSprite("s", 0, 0, 0, 56), "透過度が負数か255を超えています！（A = 200 + 56）");
}

TEST_F(SpriteTest, OpacityBelowZeroIsRefused) {
  tm.SetSpritePosition("s", 0, 0, 0, 200);
  tm.MoveSprite("s", 0, 0, 0, -200);
  tm.MoveSprite("s", 0, 0, 0, 200);
  EXPECT_FATAL(tm.MoveSprite("s", 0, 0, 0, -201), "透過度が負数か255を超えています！（A = 200 + -201）");
}

TEST_F(SpriteTest, DepthSumsThatWouldWrapIn32BitsAreRefused) {
  tm.SetMaxZ(INT_MAX);
  tm.SetMinZ(INT_MIN);
  tm.SetSpritePosition("s", 0, 0, INT_MAX - 10, 255);
  EXPECT_FATAL(tm.MoveSprite("s", 0, 0, 11, 0), "範囲外が指定されています！（Z = 2147483637 + 11）");
}

TEST_F(SpriteTest, OpacityChangesThatWouldWrapIn32BitsAreRefused) {
  tm.SetSpritePosition("s", 0, 0, 0, 255);
  EXPECT_FATAL(tm.MoveSprite("s", 0, 0, 0, INT_MAX),
               "透過度が負数か255を超えています！（A = 255 + 2147483647）");
}

TEST_F(SpriteTest, PositionsWrapLikeThe32BitEngine) {
  tm.SetSpritePosition("s", INT_MAX, INT_MIN, 0, 255);
  tm.MoveSprite("s", 1, -1, 0, 0);
  EXPECT_EQ(Back().X, INT_MIN);
  EXPECT_EQ(Back().Y, INT_MAX);
}

}  // namespace
}  // namespace vesk_test
