// The task manager's block of a save slot: its bytes, a round trip of everything it
// holds, what it leaves out (locks, work groups), the buttons' enabled flags across
// the reaction lock, and damaged or closed streams.

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "engine/iostream/base_io_stream.h"
#include "tests/engine/taskmanager/task_manager_fixture.h"
#include "tests/support/temp_dir.h"

namespace vesk_test {
namespace {

using nsTamskLib::nsIOStream::BaseIOStream;
using nsTamskLib::nsTaskManager::EffectParam;
using nsTamskLib::nsTaskManager::UpdateParam;

class TaskStateTest : public TaskManagerTest {
 protected:
  // Writes tm's block to a file and returns its bytes.
  std::string SaveBlock(TaskManager& from, const std::string& name = "block.bin") {
    BaseIOStream out;
    EXPECT_TRUE(out.Open(dir.file(name).c_str(), "wb"));
    from.Save(out);
    EXPECT_TRUE(out.Close());
    return ReadFile(dir.file(name));
  }

  // Reads the file's block into a second story screen's task manager.
  bool LoadBlock(const std::string& name = "block.bin") {
    BaseIOStream in;
    EXPECT_TRUE(in.Open(dir.file(name).c_str(), "rb"));
    other.tasks.Load(in);
    const bool failed = in.HasReadFailed();
    EXPECT_TRUE(in.Close());
    return !failed;
  }

  TempDir dir;
  StoryScreenEngine other;
};

TEST_F(TaskStateTest, FreshBlockHasItsFixedSizeAndFieldOrder) {
  const std::string bytes = SaveBlock(tm);
  // 6 depths, an empty task list, four layers of two cleared tasks (234 bytes
  // each), no sprites, no buttons, margin, two priorities, page, two parameter
  // records of 62 bytes.
  ASSERT_EQ(bytes.size(), 6u * 4 + 4 + 4 * 234 + 4 + 4 + 4 + 8 + 4 + 62 + 62);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x00\x7D\x00\x00\x00\x83\xFF\xFF", 8));  // 32000, -32000
  EXPECT_EQ(bytes.substr(12, 12), std::string("\x64\0\0\0\xC8\0\0\0\x2C\x01\0\0", 12));
  EXPECT_EQ(bytes.substr(24, 4), std::string(4, '\0'));  // no task queued
  EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 0xFF);  // the background's A
  const std::size_t tail = 28 + 4 * 234 + 8;
  EXPECT_EQ(bytes.substr(tail, 16), std::string("\x1E\0\0\0\x01\0\0\0\x01\0\0\0\0\0\0\0", 16));
}

TEST_F(TaskStateTest, SpritesAndButtonsAreWrittenInNameOrder) {
  tm.AddSprite("b");
  tm.AddSprite("a");
  AcceptInput();
  tm.AddButton("zz");
  tm.AddButton("yy");
  const std::string bytes = SaveBlock(tm);
  // Names are stored complemented: "a" is 9E 00, "b" is 9D 00.
  const std::size_t a = bytes.find(std::string("\x9E\x00", 2));
  const std::size_t b = bytes.find(std::string("\x9D\x00", 2));
  ASSERT_NE(a, std::string::npos);
  ASSERT_NE(b, std::string::npos);
  EXPECT_LT(a, b);
  EXPECT_LT(bytes.find(std::string("\x86\x86\x00", 3)), bytes.find(std::string("\x85\x85\x00", 3)));
}

TEST_F(TaskStateTest, RoundTripRestoresTheScreenButNotLocksOrWork) {
  tm.SetMaxZ(5000);
  tm.SetCharaMiddleZ(222);
  tm.SetBG(ImageTask("bg-back.png", 800, 600));
  tm.SetLCh(ImageTask("left.png", 300, 500));
  tm.FlipPage();
  tm.SetBG(ImageTask("bg-other.png", 800, 600));
  tm.SetChPriority(4);
  tm.SetCharaMargin(12);
  tm.AddSprite("s");
  tm.SetSpriteImage("s", "sprite.png", 0, 0, 0, 10, 10);
  tm.SetSpritePosition("s", 7, 8, 9, 200);
  AcceptInput();
  tm.AddButton("btn");
  tm.SetButtonImage("btn", "button.png", 0, 0, 0, 10, 10, 0, 10, 10, 20, 0, 20, 10, 30, 0, 30,
                    10, 40);
  tm.SetButtonSounds("btn", "hover.wav", "push.wav");
  tm.SetButtonEnabled("btn", true);
  tm.AppendTask(ImageTask("queued.png", 4, 4));
  UpdateParam update;
  update.Type = 7;
  update.Time = 1500;
  update.Str[3] = "rule.png";
  tm.SetUpdateData(update);
  EffectParam effect;
  effect.Type = 2;
  effect.Param[9] = -5;
  tm.SetEffectData(effect);
  tm.UpdateWork().A[0] = 99;
  tm.EnterExclusiveBVCS();
  tm.EnterExclusiveBRCS();
  const std::string saved = SaveBlock(tm);

  ASSERT_TRUE(LoadBlock());
  TaskManager& loaded = other.tasks;
  EXPECT_EQ(loaded.GetMaxZ(), 5000);
  EXPECT_EQ(loaded.GetCharaMiddleZ(), 222);
  EXPECT_EQ(loaded.GetPage(), 1u);
  EXPECT_EQ(std::string(loaded.BGLayer()[1].Name.c_str()), "bg-back.png");
  EXPECT_EQ(std::string(loaded.BGLayer()[0].Name.c_str()), "bg-other.png");
  EXPECT_EQ(std::string(loaded.LChLayer()[1].Name.c_str()), "left.png");
  EXPECT_EQ(loaded.GetChPriority(0), 4u);
  EXPECT_EQ(loaded.GetChPriority(1), 1u);
  EXPECT_EQ(loaded.GetCharaMargin(), 12);
  ASSERT_EQ(loaded.Sprites().count("s"), 1u);
  EXPECT_EQ(loaded.Sprites().at("s").Task[0].X, 7);
  EXPECT_EQ(loaded.Sprites().at("s").Task[0].A, 200);
  ASSERT_EQ(loaded.Buttons().count("btn"), 1u);
  EXPECT_EQ(std::string(loaded.Buttons().at("btn").PushSound.c_str()), "push.wav");
  EXPECT_EQ(loaded.Buttons().at("btn").SrcRect[0][3].bottom, 40);
  ASSERT_EQ(loaded.TaskList().size(), 1u);
  EXPECT_EQ(std::string(loaded.TaskList()[0].Name.c_str()), "queued.png");
  EXPECT_EQ(loaded.UpdateData().Type, 7u);
  EXPECT_EQ(loaded.UpdateData().Time, 1500u);
  EXPECT_EQ(std::string(loaded.UpdateData().Str[3].c_str()), "rule.png");
  EXPECT_EQ(loaded.EffectData().Type, 2u);
  EXPECT_EQ(loaded.EffectData().Param[9], -5);
  // Not part of the block: the work groups and the locks (as after Reset). The
  // visibility lock's hidden buttons were saved hidden.
  EXPECT_EQ(loaded.UpdateWork().A[0], 0);
  EXPECT_TRUE(loaded.IsExclusiveBRCS());
  EXPECT_FALSE(loaded.IsExclusiveBVCS());
  EXPECT_EQ(other.symbolKinds.values.at("s"), 4);
  EXPECT_EQ(other.symbolKinds.values.at("btn"), 3);
  for (const char* image : {"bg-back.png", "bg-other.png", "left.png", "sprite.png",
                            "button.png", "queued.png"}) {
    EXPECT_NE(std::find(other.registeredImages.begin(), other.registeredImages.end(), image),
              other.registeredImages.end())
        << image;
  }
  // Saving the loaded state again gives the same bytes.
  EXPECT_EQ(SaveBlock(loaded, "again.bin"), saved);
}

TEST_F(TaskStateTest, ButtonsEnabledWhenSavedReactAgainOnceInputIsAccepted) {
  AcceptInput();
  tm.AddButton("on");
  tm.AddButton("off");
  tm.SetButtonEnabled("on", true);
  // The player holds the reaction lock whenever it does not accept input, which is
  // every moment a save can be taken.
  tm.EnterExclusiveBRCS();
  EXPECT_FALSE(tm.Buttons().at("on").Enabled);
  SaveBlock(tm);
  // The lock still gives the saving game its buttons back.
  tm.LeaveExclusiveBRCS();
  EXPECT_TRUE(tm.Buttons().at("on").Enabled);

  ASSERT_TRUE(LoadBlock());
  TaskManager& loaded = other.tasks;
  EXPECT_FALSE(loaded.Buttons().at("on").Enabled);
  loaded.LeaveExclusiveBRCS();
  EXPECT_TRUE(loaded.Buttons().at("on").Enabled);
  EXPECT_FALSE(loaded.Buttons().at("off").Enabled);
  loaded.EnterExclusiveBRCS();
  loaded.LeaveExclusiveBRCS();
  EXPECT_TRUE(loaded.Buttons().at("on").Enabled);
}

TEST_F(TaskStateTest, ButtonSavedWithInputAcceptedKeepsItsFlag) {
  AcceptInput();
  tm.AddButton("on");
  tm.SetButtonEnabled("on", true);
  SaveBlock(tm);
  ASSERT_TRUE(LoadBlock());
  other.tasks.LeaveExclusiveBRCS();
  EXPECT_TRUE(other.tasks.Buttons().at("on").Enabled);
}

TEST_F(TaskStateTest, TruncatedBlockStopsAtItsEnd) {
  tm.AddSprite("a");
  tm.AddSprite("b");
  const std::string bytes = SaveBlock(tm);
  // Cut inside the second sprite: the first is kept, nothing is made up.
  const std::size_t cut = bytes.find(std::string("\x9D\x00", 2)) + 100;
  WriteFile(dir.file("short.bin"), bytes.substr(0, cut));
  EXPECT_FALSE(LoadBlock("short.bin"));
  EXPECT_EQ(other.tasks.Sprites().size(), 1u);
  EXPECT_EQ(other.tasks.GetPage(), 0u);

  // A count that claims far more entries than the file holds.
  std::string huge = bytes.substr(0, 24) + std::string("\xFF\xFF\xFF\x7F", 4);
  WriteFile(dir.file("huge.bin"), huge);
  EXPECT_FALSE(LoadBlock("huge.bin"));
  EXPECT_LE(other.tasks.TaskList().size(), 1u);
}

TEST_F(TaskStateTest, ClosedStreamIsFatal) {
  BaseIOStream closed;
  EXPECT_FATAL(tm.Save(closed), "ファイルがオープンされていません！");
  EXPECT_FATAL(tm.Load(closed), "ファイルがオープンされていません！");
}

}  // namespace
}  // namespace vesk_test
