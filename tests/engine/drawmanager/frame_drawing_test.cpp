// The draw manager's frame drawing against the recording back end: the draw-task
// list by kind and transfer method and through registered functions, the guarded
// helpers, the framed rectangle, laid-out text with ruby, the text window and the
// text cursor.

#include "engine/api/draw_records.h"
#include "engine/api/plugin_api.h"
#include "engine/plugin/plugin_registry.h"
#include "tests/engine/drawmanager/draw_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::TextTokenSection;
using nsTamskLib::TRect;
using nsTamskLib::nsTaskManager::DrawTask;

class FrameDrawingTest : public DrawManagerTest {
 protected:
  ~FrameDrawingTest() override { nsTamskLib::nsPlugin::ClearRegistries(); }

  static DrawTask FillTask(TRect rect, std::uint8_t alpha) {
    DrawTask task;
    task.Type = nsTamskLib::nsTaskManager::kDrawFilledRect;
    task.Rect = rect;
    task.Color = 0x112233;
    task.A = alpha;
    return task;
  }

  static DrawTask ImageTask(std::int32_t bltType, const char* name, TRect src) {
    DrawTask task;
    task.Type = nsTamskLib::nsTaskManager::kDrawImage;
    task.BltType = bltType;
    task.Name = name;
    task.X = 10;
    task.Y = 20;
    task.A = 200;
    task.SrcRect = src;
    return task;
  }
};

// What the registered functions saw: the engine and a copy of the task.
struct SeenCall {
  nsTamskLib::nsCore::INovelEngine* engine;
  std::uint32_t type;
  std::int32_t bltType;
  std::int32_t param0;
};
std::vector<SeenCall> g_Seen;

int RecordCall(nsTamskLib::nsCore::INovelEngine* engine, const DrawTask* task) {
  g_Seen.push_back({engine, task->Type, task->BltType, task->Param[0]});
  return 0;
}

// A plug-in kind that queues one more task while the list is drawn, then reads the
// task it was given.
int QueueAnother(nsTamskLib::nsCore::INovelEngine* engine, const DrawTask* task) {
  auto* tasks = static_cast<nsTamskLib::nsTaskManager::TaskManager*>(engine->GetTaskManager());
  DrawTask more;
  more.Type = nsTamskLib::nsTaskManager::kDrawFilledRect;
  more.Rect = TRect{1, 2, 3, 4};
  more.A = 9;
  for (int i = 0; i < 64; ++i) tasks->AppendTask(DrawTask());  // moves the list
  tasks->AppendTask(more);
  RecordCall(engine, task);
  return 0;
}

TEST_F(FrameDrawingTest, TasksAreDrawnByKindAndTransferMethod) {
  DrawTask nothing;
  nothing.Type = nsTamskLib::nsTaskManager::kDrawNothing;
  engine.tasks.AppendTask(nothing);
  engine.tasks.AppendTask(FillTask(TRect{0, 0, 800, 600}, 128));
  DrawTask text;
  text.Type = nsTamskLib::nsTaskManager::kDrawText;
  text.Text = Section({Line({Glyph("a", 10, 20)})});
  text.X = 5;
  text.Y = 6;
  text.A = 255;
  engine.tasks.AppendTask(text);
  for (const std::int32_t blt : {0, 1, 2, 4, 5, 6}) {
    engine.tasks.AppendTask(ImageTask(blt, "bg.png", TRect{0, 0, 800, 600}));
  }
  dm.DrawTasks();
  EXPECT_EQ(
      dm.Draws(),
      (Log{"FillRect({0,0,800,600},0x00112233,128)", "DrawText(a,5,6,255,f,20,0x00FFFFFF,0,0)",
           "Blt0(bg.png,10,20,200,{0,0,800,600})", "Blt1(bg.png,10,20,200,{0,0,800,600})",
           "Blt2(bg.png,10,20,200,{0,0,800,600})", "Blt4(bg.png,10,20,200,{0,0,800,600})",
           "Blt5(bg.png,10,20,200,{0,0,800,600})", "Blt6(bg.png,10,20,200,{0,0,800,600})"}));
}

TEST_F(FrameDrawingTest, TasksThatShowNothingDrawNothing) {
  engine.tasks.AppendTask(FillTask(TRect{0, 0, 10, 10}, 0));
  engine.tasks.AppendTask(FillTask(TRect{11, 0, 10, 10}, 255));
  engine.tasks.AppendTask(FillTask(TRect{0, 11, 10, 10}, 255));
  engine.tasks.AppendTask(ImageTask(0, "a.png", TRect{-1, 0, 10, 10}));
  engine.tasks.AppendTask(ImageTask(0, "a.png", TRect{0, -1, 10, 10}));
  engine.tasks.AppendTask(ImageTask(0, "a.png", TRect{0, 11, 10, 10}));
  engine.tasks.AppendTask(ImageTask(0, "", TRect{0, 0, 10, 10}));
  DrawTask transparent = ImageTask(4, "a.png", TRect{0, 0, 10, 10});
  transparent.A = 0;
  engine.tasks.AppendTask(transparent);
  DrawTask emptyText;
  emptyText.Type = nsTamskLib::nsTaskManager::kDrawText;
  emptyText.Text = Section({Line({Glyph("", 10, 20)})});
  engine.tasks.AppendTask(emptyText);
  dm.DrawTasks();
  EXPECT_TRUE(dm.Draws().empty());
}

TEST_F(FrameDrawingTest, PluginKindsAndMethodsGoToTheirRegisteredFunctions) {
  g_Seen.clear();
  RegisterPDrawTaskFunc(7, &RecordCall);
  RegisterPBltFunc(3, &RecordCall);
  RegisterPBltFunc(12, &RecordCall);
  DrawTask custom;
  custom.Type = 7;
  custom.Param[0] = 42;
  engine.tasks.AppendTask(custom);
  engine.tasks.AppendTask(ImageTask(3, "a.png", TRect{0, 0, 1, 1}));
  engine.tasks.AppendTask(ImageTask(12, "a.png", TRect{0, 0, 1, 1}));
  dm.DrawTasks();
  ASSERT_EQ(g_Seen.size(), 3u);
  EXPECT_EQ(g_Seen[0].engine, &engine);
  EXPECT_EQ(g_Seen[0].type, 7u);
  EXPECT_EQ(g_Seen[0].param0, 42);
  EXPECT_EQ(g_Seen[1].bltType, 3);
  EXPECT_EQ(g_Seen[2].bltType, 12);
  EXPECT_TRUE(dm.Draws().empty());
}

TEST_F(FrameDrawingTest, TasksQueuedWhileDrawingAreDrawnInTheSameFrame) {
  g_Seen.clear();
  RegisterPDrawTaskFunc(4, &QueueAnother);
  DrawTask queuing;
  queuing.Type = 4;
  queuing.Param[0] = 7;
  engine.tasks.AppendTask(queuing);
  dm.DrawTasks();
  ASSERT_EQ(g_Seen.size(), 1u);
  EXPECT_EQ(g_Seen[0].param0, 7);  // still the task it was given after the list moved
  EXPECT_EQ(dm.Draws(), (Log{"FillRect({1,2,3,4},0x00000000,9)"}));
}

TEST_F(FrameDrawingTest, UnregisteredTransferMethodIsFatal) {
  engine.tasks.AppendTask(ImageTask(3, "a.png", TRect{0, 0, 1, 1}));
  EXPECT_FATAL(dm.DrawTasks(), "存在しない転送方法です！（BltType = 3）");
}

TEST_F(FrameDrawingTest, UnregisteredKindIsFatal) {
  DrawTask custom;
  custom.Type = 9;
  engine.tasks.AppendTask(custom);
  EXPECT_FATAL(dm.DrawTasks(), "存在しない種類です！（Type = 9）");
}

TEST_F(FrameDrawingTest, GuardedHelpersSkipEmptyNamesZeroAlphaAndBadRectangles) {
  dm.CheckedBlt0("", 0, 0, 255, TRect{0, 0, 1, 1});
  dm.CheckedBlt5("a.png", 0, 0, 0, TRect{0, 0, 1, 1});
  dm.CheckedBlt6("a.png", 0, 0, 255, TRect{2, 0, 1, 1});
  dm.DrawTextChecked("", 0, 0, 255, "f", 20, 0, 0, 0);
  dm.DrawTextChecked("x", 0, 0, 0, "f", 20, 0, 0, 0);
  dm.FillRectChecked(TRect{0, 0, 1, 1}, 0, 0);
  dm.FillRectChecked(TRect{0, 2, 1, 1}, 0, 255);
  EXPECT_TRUE(dm.log.empty());

  // A destination rectangle may lie off the screen; a zero-size one is drawn.
  dm.FillRectChecked(TRect{-5, -5, -5, -5}, 0, 1);
  dm.SetCurrentBGColor(0xFF000080);
  dm.ClearScreen();
  EXPECT_EQ(dm.log, (Log{"FillRect({-5,-5,-5,-5},0x00000000,1)", "Clear(0xFF000080)"}));
}

TEST_F(FrameDrawingTest, BorderIsFourStripsOutsideTheRectangle) {
  dm.FillRectWithBorder(TRect{10, 20, 110, 70}, 0x1, 128, 2, 0x2);
  EXPECT_EQ(
      dm.log,
      (Log{"FillRect({10,20,110,70},0x00000001,128)", "FillRect({10,18,112,20},0x00000002,128)",
           "FillRect({110,20,112,72},0x00000002,128)", "FillRect({8,70,110,72},0x00000002,128)",
           "FillRect({8,18,10,70},0x00000002,128)"}));
  dm.ClearLog();
  dm.FillRectWithBorder(TRect{10, 20, 110, 70}, 0x1, 128, 0, 0x2);
  EXPECT_EQ(dm.log, (Log{"FillRect({10,20,110,70},0x00000001,128)"}));
}

// Two lines: a glyph under a wider ruby and a plain glyph, then a glyph under a
// narrower ruby.
TextTokenSection RubySection() {
  nsTamskLib::TextToken kanji = Glyph("K", 20, 20);
  kanji.Alpha = 128;
  kanji.Ruby.push_back(RubyGlyph("k", 10, 10));
  kanji.Ruby.push_back(RubyGlyph("a", 10, 10));
  kanji.Ruby.push_back(RubyGlyph("n", 10, 10));
  nsTamskLib::TextToken b = Glyph("b", 12, 16);
  b.Flag1 = 1;
  b.Ruby.push_back(RubyGlyph("r", 4, 8));
  return Section({Line({kanji, Glyph("a", 10, 16)}), Line({b})});
}

TEST_F(FrameDrawingTest, TextSectionPlacesGlyphsAndRubyOnTheirBaselines) {
  dm.DrawTextSection(RubySection(), 100, 200, 255);
  // Line 1 is 30 high (20 + ruby 10): baseline 230. The ruby is 30 wide, the glyph
  // 20: the glyph moves 5 to the right, the pen 30. Line 2 (16 + 8) ends at 254;
  // its 4-wide ruby is centred over the 12-wide glyph.
  EXPECT_EQ(dm.log, (Log{"DrawText(K,105,210,128,f,20,0x00FFFFFF,0,0)",
                         "DrawText(k,100,200,255,r,10,0x00FFFFFF,0,0)",
                         "DrawText(a,110,200,255,r,10,0x00FFFFFF,0,0)",
                         "DrawText(n,120,200,255,r,10,0x00FFFFFF,0,0)",
                         "DrawText(a,130,214,255,f,20,0x00FFFFFF,0,0)",
                         "DrawText(b,100,238,255,f,20,0x00FFFFFF,1,0)",
                         "DrawText(r,104,230,255,r,10,0x00FFFFFF,0,0)"}));
}

TEST_F(FrameDrawingTest, TextSectionScalesAlphaAndTheExFormSetsTheColour) {
  dm.DrawTextSectionEx(RubySection(), 0, 0, 128, 0x00FF00);
  const Log draws = dm.Draws();
  ASSERT_EQ(draws.size(), 7u);
  EXPECT_EQ(draws[0], "DrawText(K,5,10,64,f,20,0x0000FF00,0,0)");
  EXPECT_EQ(draws[1], "DrawText(k,0,0,128,r,10,0x0000FF00,0,0)");
  dm.ClearLog();
  dm.DrawTextSection(TextTokenSection(), 0, 0, 255);
  EXPECT_TRUE(dm.log.empty());
}

TEST_F(FrameDrawingTest, MessageAndTalkerAreDrawnAtTheirPositions) {
  dm.SetMessageText(Section({Line({Glyph("m", 10, 20)})}));
  dm.SetTalkerText(Section({Line({Glyph("t", 10, 20)})}));
  dm.DrawTalkerText();
  dm.DrawMessageText();
  dm.DrawMessageTextColor(0x123456);
  dm.DrawTalkerTextColor(0x654321);
  EXPECT_EQ(dm.log, (Log{"DrawText(t,35,435,255,f,20,0x00FFFFFF,0,0)",
                         "DrawText(m,35,470,255,f,20,0x00FFFFFF,0,0)",
                         "DrawText(m,35,470,255,f,20,0x00123456,0,0)",
                         "DrawText(t,35,435,255,f,20,0x00654321,0,0)"}));
}

TEST_F(FrameDrawingTest, TextWindowIsAFramedRectangleOrAnImage) {
  dm.DrawTextWindow();
  EXPECT_EQ(dm.Draws(), (Log{"FillRect({25,425,775,575},0x00000000,255)",
                             "FillRect({25,424,776,425},0x00FFFFFF,255)",
                             "FillRect({775,425,776,576},0x00FFFFFF,255)",
                             "FillRect({24,575,775,576},0x00FFFFFF,255)",
                             "FillRect({24,424,25,575},0x00FFFFFF,255)"}));
  dm.SetTextWindow("w.png", 0, 420, 200, TRect{0, 0, 800, 180});
  dm.ClearLog();
  dm.DrawTextWindow();
  EXPECT_EQ(dm.Draws(), (Log{"Blt0(w.png,0,420,200,{0,0,800,180})"}));
}

TEST_F(FrameDrawingTest, RelativeCursorFollowsTheEndOfTheMessage) {
  dm.SetTextCursorClick("c.png", 4, -16, 255, TRect{0, 0, 16, 16}, 0);
  dm.SetTextCursorEnabled(0, 1, 0, 0);
  dm.SetTextCursor(1);
  dm.ClearLog();
  dm.DrawTextCursor();
  EXPECT_EQ(dm.log, (Log{"Blt0(c.png,39,454,255,{0,0,16,16})"}));

  // Two lines 30 and 24 high; the last one is 12 wide.
  dm.SetMessageText(RubySection());
  dm.ClearLog();
  dm.DrawTextCursor();
  EXPECT_EQ(dm.log, (Log{"Blt0(c.png,51,508,255,{0,0,16,16})"}));
}

TEST_F(FrameDrawingTest, AbsoluteCursorDisabledKindsAndUnknownStates) {
  dm.SetTextCursorGoNext("g.png", 700, 550, 100, TRect{0, 0, 8, 8}, 1);
  dm.SetTextCursor(2);
  dm.ClearLog();
  dm.DrawTextCursor();
  EXPECT_TRUE(dm.log.empty());  // not enabled
  dm.SetTextCursorEnabled(1, 1, 1, 1);
  dm.DrawTextCursor();
  EXPECT_EQ(dm.log, (Log{"Blt0(g.png,700,550,100,{0,0,8,8})"}));
  dm.ClearLog();
  dm.SetTextCursor(4);
  dm.DrawTextCursor();
  dm.SetTextCursor(-1);
  dm.DrawTextCursor();
  dm.SetTextCursor(0);  // enabled, but without an image
  dm.DrawTextCursor();
  EXPECT_TRUE(dm.log.empty());
}

}  // namespace
}  // namespace vesk_test
