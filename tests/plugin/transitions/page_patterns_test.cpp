// The page protocol of the update patterns: redraw, flip, the timed choice's timer,
// and the frame every timed pattern shares (start, progress, the finishing frame,
// the hand-over to the flip, the background colour).

#include <string>
#include <vector>

#include "plugin/text/text_sprites.h"
#include "plugin/transitions/draw_task_equality.h"
#include "plugin/transitions/page_hooks.h"
#include "plugin/transitions/transition_patterns.h"
#include "tests/plugin/transitions/transition_fixture.h"

namespace vesk_test {
namespace {

using Texts = std::vector<std::string>;

class PagePatternTest : public TransitionTest {};

TEST_F(PagePatternTest, RedrawShowsOnlyTheShownPageAndLaysTextSpritesOut) {
  static int rebuilds = 0;
  nsWendrick::TransitionPageHooks().rebuildTextSprites = [](nsTamskLib::nsCore::INovelEngine*) {
    ++rebuilds;
  };
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  SetSprite("s", ImageTask("sold", 10, 20, 32, 32), ImageTask("snew", 10, 20, 32, 32));
  Start(0, 0);
  EXPECT_EQ(FrameText(), (Texts{"old 0,0 {0,0,800,600} a255 s0", "sold 10,20 {0,0,32,32} a255 s0"}));
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(UpdateType(), 0u);
  nsWendrick::TransitionPageHooks() = {};
}

TEST_F(PagePatternTest, FlipShowsTheNewPageMakesBothPagesEqualAndTakesTheTargetColour) {
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  SetSprite("s", ImageTask("sold", 1, 2, 8, 8), ImageTask("snew", 3, 4, 8, 8));
  draw.SetTargetBGColor(0x00123456);
  nsWendrick::TextSprites(Hidden())["t"] = {"abc", "f", 20, 0};
  const std::uint32_t before = Shown();
  Start(3, 0);
  EXPECT_EQ(FrameText(), (Texts{"new 0,0 {0,0,800,600} a255 s0", "snew 3,4 {0,0,8,8} a255 s0"}));
  EXPECT_EQ(Shown(), 1 - before);
  EXPECT_EQ(UpdateType(), 0u);
  EXPECT_EQ(CurrentColour(), 0x00123456u);
  EXPECT_TRUE(BG()[0] == BG()[1]);
  EXPECT_TRUE(Tasks().Sprites()["s"].Task[0] == Tasks().Sprites()["s"].Task[1]);
  // The text sprites now shown are copied onto the hidden page.
  EXPECT_EQ(nsWendrick::TextSprites(Hidden()).count("t"), 1u);
  nsWendrick::ClearTextSprites();
}

TEST_F(PagePatternTest, EqualityComparesWhatIsDrawnButNotTheTrailingFields) {
  const DrawTask base = ImageTask("a", 1, 2, 3, 4);
  DrawTask other = base;
  other.Param[3] = 9;
  other.Str[1] = "x";
  EXPECT_TRUE(base == other);
  const auto differs = [&](auto change) {
    DrawTask changed = base;
    change(changed);
    return !(base == changed);
  };
  EXPECT_TRUE(differs([](DrawTask& t) { t.A = 254; }));
  EXPECT_TRUE(differs([](DrawTask& t) { t.Z = 1; }));
  EXPECT_TRUE(differs([](DrawTask& t) { t.Visible = false; }));
  EXPECT_TRUE(differs([](DrawTask& t) { t.BltType = 1; }));
  EXPECT_TRUE(differs([](DrawTask& t) { t.Rect.bottom = 1; }));
  EXPECT_TRUE(differs([](DrawTask& t) { t.Color = 1; }));
  EXPECT_TRUE(differs([](DrawTask& t) { t.SrcRect.left = 1; }));
  EXPECT_TRUE(differs([](DrawTask& t) { t.Name = "b"; }));
  EXPECT_TRUE(differs([](DrawTask& t) { t.SubOrder = 1; }));
  EXPECT_TRUE(differs([](DrawTask& t) { t.Type = 2; }));
  // Texts are compared token by token.
  nsTamskLib::TextToken glyph;
  glyph.Text = "A";
  glyph.Width = 10;
  nsTamskLib::TextTokenLine line;
  line.push_back(glyph);
  DrawTask withText = base;
  withText.Text.push_back(line);
  DrawTask sameText = withText;
  EXPECT_TRUE(withText == sameText);
  sameText.Text.at(0).at(0).Width = 11;
  EXPECT_FALSE(withText == sameText);
}

TEST_F(PagePatternTest, TimedPatternRunsDrawsTheLastFrameAtOneThenFlipsOnTheNextFrame) {
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  const std::uint32_t before = Shown();
  Start(1, 100);
  // The new page at alpha 0 is not queued.
  EXPECT_EQ(FrameText(), (Texts{"old 0,0 {0,0,800,600} a255 s0"}));
  Advance(50);
  EXPECT_EQ(FrameText(), (Texts{"old 0,0 {0,0,800,600} a127 s0", "new 0,0 {0,0,800,600} a127 s1"}));
  EXPECT_EQ(UpdateType(), 1u);
  Advance(50);
  EXPECT_EQ(FrameText(), (Texts{"new 0,0 {0,0,800,600} a255 s1"}));
  EXPECT_EQ(UpdateType(), 3u);
  EXPECT_EQ(Shown(), before);
  Advance(16);
  EXPECT_EQ(FrameText(), (Texts{"new 0,0 {0,0,800,600} a255 s0"}));
  EXPECT_EQ(UpdateType(), 0u);
  EXPECT_EQ(Shown(), 1 - before);
}

TEST_F(PagePatternTest, TimeZeroFinishesOnItsFirstFrameForEveryTimedPattern) {
  for (std::uint32_t pattern : {1u, 2u, 4u, 7u, 8u, 11u, 12u, 15u, 17u, 20u, 21u, 24u, 26u}) {
    SCOPED_TRACE(pattern);
    SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
    Start(pattern, 0, 8);
    const std::uint32_t before = Shown();
    const std::vector<DrawTask>& tasks = Frame();
    // Only the new page is seen (a slide's old page stands one screen away).
    for (const DrawTask& task : tasks) {
      const bool offScreen = task.X >= 800 || task.X + 800 <= 0 || task.Y >= 600 || task.Y + 600 <= 0;
      EXPECT_TRUE(std::string(task.Name.c_str()) == "new" || offScreen) << Describe(task);
    }
    EXPECT_FALSE(tasks.empty());
    EXPECT_EQ(UpdateType(), 3u);
    Frame();
    EXPECT_EQ(UpdateType(), 0u);
    EXPECT_EQ(Shown(), 1 - before);
  }
}

TEST_F(PagePatternTest, EveryRegisteredPatternGivenATimeRunsForItUnlessItSaysItDoesNot) {
  for (const nsWendrick::NumberedFunction& pattern : nsWendrick::WendrickRegistrationTables().updates) {
    SCOPED_TRACE(pattern.number);
    SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
    Start(pattern.number, 500, 8);
    Frame();
    EXPECT_EQ(UpdateType() != 0, nsWendrick::PatternTakesTime(pattern.number));
    Start(0, 0);
    Tasks().ClearWork();
  }
}

TEST_F(PagePatternTest, UnchangedAndEmptyLayersArePushedOnceOrNotAtAll) {
  // After a flip both pages are equal: every pattern shows the layer once, unchanged.
  for (std::uint32_t pattern : {1u, 2u, 5u, 10u, 13u, 19u, 22u, 26u}) {
    SCOPED_TRACE(pattern);
    SetBG(ImageTask("same", 3, 4), ImageTask("same", 3, 4));
    Start(pattern, 1000, 8);
    Frame();
    Advance(500);
    EXPECT_EQ(FrameText(), (Texts{"same 3,4 {0,0,800,600} a255 s0"}));
    Start(0, 0);
    Tasks().ClearWork();
  }
}

TEST_F(PagePatternTest, AStartAtClockZeroIsAStartAndTheClockMayWrap) {
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  platform::SetVirtualClock(0);
  Start(1, 100);
  Frame();
  Advance(50);
  EXPECT_EQ(FrameText(), (Texts{"old 0,0 {0,0,800,600} a127 s0", "new 0,0 {0,0,800,600} a127 s1"}));

  Start(0, 0);
  Tasks().ClearWork();
  platform::SetVirtualClock(0xFFFFFF00u);
  Start(2, 512);
  Frame();
  Advance(256);  // past 2^32
  EXPECT_EQ(FrameText(), (Texts{"old 0,0 {0,0,800,600} a255 s0", "new 0,0 {0,0,800,600} a127 s1"}));
  EXPECT_EQ(UpdateType(), 2u);
}

TEST_F(PagePatternTest, BlendsMoveTheBackgroundColourFromTheSavedCurrentToTheTarget) {
  for (std::uint32_t pattern : {1u, 2u, 26u}) {
    SCOPED_TRACE(pattern);
    draw.SetCurrentBGColor(0x00000000);
    draw.SetTargetBGColor(0x00FFFFFF);
    Start(pattern, 1000);
    Frame();
    EXPECT_EQ(CurrentColour(), 0x00000000u);
    Advance(500);
    Frame();
    EXPECT_EQ(CurrentColour(), 0x007F7F7Fu);
    // A target changed meanwhile is not followed: the saved one is restored.
    draw.SetTargetBGColor(0x000000FF);
    Advance(500);
    Frame();
    EXPECT_EQ(CurrentColour(), 0x00FFFFFFu);
    EXPECT_EQ(draw.GetTargetBGColor(), 0x00FFFFFFu);
    Frame();  // flip
    EXPECT_EQ(CurrentColour(), 0x00FFFFFFu);
  }
  // Equal colours stay.
  draw.SetCurrentBGColor(0x00102030);
  draw.SetTargetBGColor(0x00102030);
  Start(1, 100);
  Frame();
  Advance(30);
  Frame();
  EXPECT_EQ(CurrentColour(), 0x00102030u);
}

TEST_F(PagePatternTest, StripAndSlidePatternsClearInTheCurrentColourAndEndOnTheTarget) {
  draw.SetCurrentBGColor(0x00000011);
  draw.SetTargetBGColor(0x00220000);
  Start(12, 1000);
  Frame();
  EXPECT_EQ(draw.Calls("Clear("), (Texts{"Clear(0x00000011)"}));
  Advance(1000);
  const Texts last = FrameText();
  EXPECT_EQ(draw.Calls("Clear("), (Texts{"Clear(0x00220000)"}));
  for (const std::string& task : last) EXPECT_EQ(task.rfind("rect", 0), std::string::npos) << task;
  EXPECT_EQ(CurrentColour(), 0x00220000u);
}

TEST_F(PagePatternTest, SelectTimerShowsThePageWithItsImagesUntilTheTimeRunsOut) {
  static std::vector<std::pair<std::uint32_t, std::uint32_t>> calls;
  calls.clear();
  nsWendrick::TransitionPageHooks().drawSelectLImages =
      [](nsTamskLib::nsCore::INovelEngine*, std::uint32_t elapsed, std::uint32_t total) {
        calls.emplace_back(elapsed, total);
      };
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  const std::uint32_t before = Shown();
  Start(28, 1000);
  EXPECT_EQ(FrameText(), (Texts{"old 0,0 {0,0,800,600} a255 s0"}));
  Advance(400);
  Frame();
  Advance(600);
  EXPECT_EQ(FrameText(), (Texts{"old 0,0 {0,0,800,600} a255 s0"}));
  using Call = std::pair<std::uint32_t, std::uint32_t>;
  EXPECT_EQ(calls, (std::vector<Call>{{0, 1000}, {400, 1000}}));
  EXPECT_EQ(UpdateType(), 0u);
  EXPECT_EQ(Shown(), before);
  EXPECT_EQ(*GetTMAccessor()->GetUpdateWorkB(0), 0);

  // Time 0: the page without the timer, and the timer ends at once.
  calls.clear();
  Start(28, 0);
  EXPECT_EQ(FrameText(), (Texts{"old 0,0 {0,0,800,600} a255 s0"}));
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(UpdateType(), 0u);
  nsWendrick::TransitionPageHooks() = {};
}

}  // namespace
}  // namespace vesk_test
