// Save slots loaded back into a running story with the real plug-in: a slot whose
// blocks point at what this game does not have is refused and the game goes on as
// it was; a text-sprite definition left without its sprite only warns.

#include <gtest/gtest.h>

#include "engine/api/draw_records.h"
#include "tests/support/debug_capture.h"
#include "tests/tools/kit/compiled_script_fixture.h"

namespace vesk_test {
namespace {

class SlotLoadTest : public CompiledScriptTest {
 protected:
  void Save(const char* file) { ASSERT_TRUE(player.SaveLocalData(file, player.GetIOStream())); }
  bool LoadSlot(const char* file) { return player.LoadLocalData(file, player.GetIOStream()); }
};

TEST_F(SlotLoadTest, ASlotThatCouldNotRunIsRefusedAndTheGameGoesOn) {
  Load("@start: local x = 1; button ok; wait 100000; end;");
  Run(3);
  ASSERT_EQ(Position(), 2);
  nsTamskLib::nsTaskManager::TaskManager& tasks = player.Tasks();
  nsTamskLib::nsTaskManager::Button& ok = tasks.Buttons().at("ok");

  // Each slot breaks one reference its first frames follow.
  player.Commands().SetIterator(7);  // past the end, as inside a linked object
  Save("position.dat");
  player.Commands().SetIterator(2);
  ok.Label = "@elsewhere";
  Save("label.dat");
  ok.Label = "";
  ok.Task[1].Type = nsTamskLib::nsTaskManager::kDrawImage;
  ok.Task[1].BltType = 77;
  Save("picture.dat");
  ok.Task[1].Type = nsTamskLib::nsTaskManager::kDrawNothing;
  tasks.UpdateData().Type = 999;
  Save("pattern.dat");
  tasks.UpdateData().Type = 0;

  player.GetLocalHeap()->Set("x", 5);
  for (const char* file : {"position.dat", "label.dat", "picture.dat", "pattern.dat"}) {
    SCOPED_TRACE(file);
    EXPECT_FALSE(LoadSlot(file));
    EXPECT_EQ(Local("x"), 5);
    EXPECT_EQ(player.Commands().GetIterators(), std::vector<std::int32_t>{2});
    EXPECT_TRUE(player.Tasks().ExistsButton("ok"));
    Run(2);
    EXPECT_EQ(Position(), 2);
  }
}

TEST_F(SlotLoadTest, ATextSpriteWithoutItsSpriteIsDroppedWithAWarning) {
  Load(R"(@start: sprite face; spritetext face, "hi", "Gothic", 16, 1, 2, 3; wait 100000; end;)");
  Run(4);
  ASSERT_EQ(Position(), 2);
  ASSERT_TRUE(player.Tasks().ExistsSprite("face"));
  // The slot keeps the definition but has lost the sprite.
  player.Tasks().Sprites().erase("face");
  Save("Save01.dat");

  DebugCapture debug;
  ASSERT_TRUE(LoadSlot("Save01.dat"));
  Run(3);
  EXPECT_EQ(Position(), 2);
  // Once: the definition is gone after the first frame.
  EXPECT_EQ(debug.lines(), std::vector<std::string>{
                               "faceは存在しないスプライトです！テキストスプライトの定義を破棄します。"});
}

}  // namespace
}  // namespace vesk_test
