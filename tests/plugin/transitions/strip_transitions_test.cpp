// Blinds, sweeps, shutters and curtains: which page covers each screen pixel,
// checked against a per-pixel model of the strips, the cut of an image that stands
// off the grid, the background-colour bands, text records and strips beyond the
// screen.

#include <cmath>
#include <string>
#include <vector>

#include "tests/plugin/transitions/transition_fixture.h"

namespace vesk_test {
namespace {

using Texts = std::vector<std::string>;

struct StripCase {
  std::uint32_t pattern;
  bool vertical;     // horizontal strips (down, up)
  bool fromFarEdge;  // left, up
  bool sweeps;
  std::int32_t size;
};

// What covers each pixel along the strips' axis: bit 1 old, bit 2 new.
using Coverage = std::vector<int>;

constexpr int kOld = 1;
constexpr int kNew = 2;

// The model: the grid from 0 every S; in the strip at s the new page has advanced
// k(s) pixels from the leading edge, k = trunc(f * p * S), f = max(d / (extent / 5), 1),
// d the signed distance from the edge the sweep starts at.
std::int64_t ModelAdvance(const StripCase& c, std::int64_t extent, std::int64_t s, double p) {
  double f = 1.0;
  if (c.sweeps) {
    const double d = static_cast<double>(c.fromFarEdge ? s : extent - s);
    f = std::max(d / static_cast<double>(extent / 5), 1.0);
  }
  return static_cast<std::int64_t>(std::trunc(f * p * c.size));
}

Coverage ModelCoverage(const StripCase& c, std::int64_t extent, std::int64_t imageStart,
                       std::int64_t imageLength, double p) {
  Coverage cover(static_cast<std::size_t>(extent), 0);
  const std::int64_t imageEnd = imageStart + imageLength;
  const std::int64_t firstStrip = imageStart - (imageStart % c.size);
  for (std::int64_t s = firstStrip; s < imageEnd; s += c.size) {
    const std::int64_t k = ModelAdvance(c, extent, s, p);
    const std::int64_t newFrom = c.fromFarEdge ? s + c.size - k : s;
    const std::int64_t newTo = c.fromFarEdge ? s + c.size : s + k;
    const std::int64_t oldFrom = c.fromFarEdge ? s : s + k;
    const std::int64_t oldTo = c.fromFarEdge ? s + c.size - k : s + c.size;
    for (std::int64_t x = std::max<std::int64_t>(0, imageStart); x < std::min(extent, imageEnd); ++x) {
      if (x >= newFrom && x < newTo) cover[static_cast<std::size_t>(x)] |= kNew;
      if (x >= oldFrom && x < oldTo) cover[static_cast<std::size_t>(x)] |= kOld;
    }
  }
  return cover;
}

Coverage FrameCoverage(const std::vector<DrawTask>& tasks, bool vertical, std::int64_t extent,
                       std::int64_t imageStart) {
  Coverage cover(static_cast<std::size_t>(extent), 0);
  for (const DrawTask& task : tasks) {
    if (task.Type != nsTamskLib::nsTaskManager::kDrawImage) continue;
    const int bit = std::string(task.Name.c_str()) == "new" ? kNew : kOld;
    const std::int64_t from = vertical ? task.Y : task.X;
    const std::int64_t length = vertical ? task.SrcRect.bottom - task.SrcRect.top
                                         : task.SrcRect.right - task.SrcRect.left;
    EXPECT_EQ(task.SubOrder, bit == kNew ? 1u : 0u) << Describe(task);
    // The picture shown at a place is the image's own pixel for that place.
    const std::int64_t sourceFrom = vertical ? task.SrcRect.top : task.SrcRect.left;
    EXPECT_EQ(from - imageStart, sourceFrom) << Describe(task);
    for (std::int64_t x = std::max<std::int64_t>(0, from); x < std::min(extent, from + length); ++x) {
      cover[static_cast<std::size_t>(x)] |= bit;
    }
  }
  return cover;
}

const StripCase kStripCases[] = {
    {4, false, false, false, 16},   {5, true, false, false, 16},
    {6, false, true, false, 16},    {7, true, true, false, 16},
    {8, false, false, true, 24},    {9, true, false, true, 24},
    {10, false, true, true, 24},    {11, true, true, true, 24},
    {17, false, false, false, 40},  {18, true, false, false, 40},
    {19, false, true, false, 40},   {20, true, true, false, 40},
    {21, false, false, true, 40},   {22, true, false, true, 40},
    {23, false, true, true, 40},    {24, true, true, true, 40},
    {17, false, false, false, 1000}, {20, true, true, false, 1000},
    {21, false, false, true, 1000},  {23, false, true, true, 1000},
};

class StripTransitionTest : public TransitionTest {};

TEST_F(StripTransitionTest, EveryStripPatternCoversTheScreenAsItsStripsAdvance) {
  for (const StripCase& c : kStripCases) {
    for (double p : {0.0, 0.2, 0.5, 0.75}) {
      SCOPED_TRACE(testing::Message() << "pattern " << c.pattern << " size " << c.size << " p " << p);
      const std::int64_t extent = c.vertical ? 600 : 800;
      // Images off the grid by 5 px, reaching 5 px beyond the screen.
      SetBG(ImageTask("old", c.vertical ? 0 : 5, c.vertical ? 5 : 0),
            ImageTask("new", c.vertical ? 0 : 5, c.vertical ? 5 : 0));
      Tasks().ClearWork();
      Start(c.pattern, 1000, c.size);
      Frame();
      Advance(static_cast<std::uint32_t>(p * 1000));
      const std::vector<DrawTask>& tasks = Frame();
      EXPECT_EQ(FrameCoverage(tasks, c.vertical, extent, 5), ModelCoverage(c, extent, 5, extent, p));
      EXPECT_EQ(UpdateType(), c.pattern);
    }
  }
}

TEST_F(StripTransitionTest, BlindRightCutsAnImageOffTheGridAtTheScreensStripLines) {
  SetBG(ImageTask("old", 5, 0, 40, 10), ImageTask("new", 5, 0, 40, 10));
  BG()[Hidden()].Name = "new";
  Start(4, 1000);
  Frame();
  Advance(500);  // k = 8
  std::vector<std::string> pieces;
  for (const DrawTask& task : Frame()) pieces.push_back(Describe(task));
  std::sort(pieces.begin(), pieces.end());
  EXPECT_EQ(pieces, (Texts{
                        "new 16,0 {11,0,19,10} a255 s1",
                        "new 32,0 {27,0,35,10} a255 s1",
                        "new 5,0 {0,0,3,10} a255 s1",
                        "old 24,0 {19,0,27,10} a255 s0",
                        "old 40,0 {35,0,40,10} a255 s0",
                        "old 8,0 {3,0,11,10} a255 s0",
                    }));
}

TEST_F(StripTransitionTest, SweepRightHasFinishedTheFirstStripAtOneFifth) {
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  Start(8, 1000);
  Frame();
  Advance(200);
  const Coverage cover = FrameCoverage(Frame(), false, 800, 0);
  for (int x = 0; x < 24; ++x) EXPECT_EQ(cover[static_cast<std::size_t>(x)], kNew) << x;
  // The strip at 768: f = 1, k = trunc(0.2 * 24) = 4.
  for (int x = 768; x < 772; ++x) EXPECT_EQ(cover[static_cast<std::size_t>(x)], kNew) << x;
  for (int x = 772; x < 792; ++x) EXPECT_EQ(cover[static_cast<std::size_t>(x)], kOld) << x;
}

TEST_F(StripTransitionTest, AShutterWiderThanTheScreenIsAPlainWipe) {
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  Start(17, 1000, 1600);
  Frame();
  Advance(250);  // k = 400
  const std::vector<DrawTask>& tasks = Frame();
  Texts pieces;
  for (const DrawTask& task : tasks) pieces.push_back(Describe(task));
  std::sort(pieces.begin(), pieces.end());
  EXPECT_EQ(pieces, (Texts{"new 0,0 {0,0,400,600} a255 s1", "old 400,0 {400,0,800,600} a255 s0"}));
  Advance(250);  // k = 800: all new
  Texts done;
  for (const DrawTask& task : Frame()) done.push_back(Describe(task));
  EXPECT_EQ(done, (Texts{"new 0,0 {0,0,800,600} a255 s1"}));
}

TEST_F(StripTransitionTest, AnImageThatComesInShowsOnlyItsGrowingStrips) {
  DrawTask nothing;
  nothing.Type = nsTamskLib::nsTaskManager::kDrawNothing;
  SetBG(nothing, ImageTask("new", 0, 0, 32, 8));
  Start(6, 1000);  // blind left
  Frame();
  Advance(250);  // k = 4: the last 4 px of each 16-px strip
  Texts pieces;
  for (const DrawTask& task : Frame()) pieces.push_back(Describe(task));
  std::sort(pieces.begin(), pieces.end());
  EXPECT_EQ(pieces, (Texts{"new 12,0 {12,0,16,8} a255 s1", "new 28,0 {28,0,32,8} a255 s1"}));
}

// The frame's tasks described, in sorted order (equal sort keys have no fixed order).
Texts SortedText(const std::vector<DrawTask>& tasks) {
  Texts text;
  for (const DrawTask& task : tasks) text.push_back(Describe(task));
  std::sort(text.begin(), text.end());
  return text;
}

bool Contains(const Texts& texts, const std::string& item) {
  return std::find(texts.begin(), texts.end(), item) != texts.end();
}

TEST_F(StripTransitionTest, BackgroundBandsFollowTheStripsWhileTheColoursDiffer) {
  draw.SetCurrentBGColor(0x000000AA);
  draw.SetTargetBGColor(0x00BB0000);
  Start(4, 1000);
  Frame();
  Advance(500);  // k = 8
  const Texts rects = SortedText(Frame());
  // 50 strips of two bands, then [800, 808) in the target colour.
  EXPECT_EQ(rects.size(), 101u);
  for (const char* band : {"rect {0,0,8,600} 0xBB0000 zmin", "rect {8,0,16,600} 0x0000AA zmin",
                           "rect {16,0,24,600} 0xBB0000 zmin", "rect {792,0,800,600} 0x0000AA zmin",
                           "rect {800,0,808,600} 0xBB0000 zmin"}) {
    EXPECT_TRUE(Contains(rects, band)) << band;
  }

  // Blind up: in each strip the current colour from its top, the target below it.
  Tasks().ClearWork();
  Start(7, 1000);
  Frame();
  Advance(250);  // k = 4, m = 12
  const Texts up = SortedText(Frame());
  EXPECT_TRUE(Contains(up, "rect {0,0,800,12} 0x0000AA zmin"));
  EXPECT_TRUE(Contains(up, "rect {0,12,800,16} 0xBB0000 zmin"));
  EXPECT_TRUE(Contains(up, "rect {0,16,800,28} 0x0000AA zmin"));
}

TEST_F(StripTransitionTest, SlideBandsMoveWithTheirAxis) {
  draw.SetCurrentBGColor(0x00000001);
  draw.SetTargetBGColor(0x00000002);
  Start(12, 1000);
  Frame();
  Advance(250);
  EXPECT_EQ(FrameText(), (Texts{"rect {200,0,800,600} 0x000001 zmin", "rect {0,0,200,600} 0x000002 zmin"}));
  Tasks().ClearWork();
  Start(15, 1000);
  Frame();
  Advance(250);
  EXPECT_EQ(FrameText(), (Texts{"rect {0,0,800,450} 0x000001 zmin", "rect {0,450,800,600} 0x000002 zmin"}));
}

TEST_F(StripTransitionTest, TextRecordsAreNotCutButSwappedAtTheEnd) {
  nsTamskLib::TextToken glyph;
  glyph.Text = "A";
  glyph.Width = 10;
  glyph.Height = 10;
  nsTamskLib::TextTokenLine line;
  line.push_back(glyph);
  DrawTask oldText;
  oldText.Type = nsTamskLib::nsTaskManager::kDrawText;
  oldText.Visible = true;
  oldText.A = 255;
  oldText.X = 100;
  oldText.Text.push_back(line);
  oldText.Name = "oldtext";
  DrawTask newText = oldText;
  newText.Name = "newtext";
  newText.X = 300;
  SetSprite("t", oldText, newText);
  Start(21, 1000, 40);
  Frame();
  Advance(500);
  EXPECT_EQ(FrameText(), (Texts{"oldtext 100,0 {0,0,0,0} a255 s0"}));
  Advance(500);
  EXPECT_EQ(FrameText(), (Texts{"newtext 300,0 {0,0,0,0} a255 s1"}));
}

TEST_F(StripTransitionTest, StripsBeyondTheScreenDoNotSpeedUpOrSpillOldPieces) {
  // An old image 4000 px wide under a curtain: on screen every strip follows the
  // model, and no old piece reaches back over strips that are already new.
  SetBG(ImageTask("old", 0, 0, 4000, 600), ImageTask("new", 0, 0, 4000, 600));
  Start(21, 1000, 100);
  Frame();
  Advance(900);
  const StripCase curtain{21, false, false, true, 100};
  const std::vector<DrawTask>& tasks = Frame();
  Coverage cover(800, 0);
  for (const DrawTask& task : tasks) {
    const int bit = std::string(task.Name.c_str()) == "new" ? kNew : kOld;
    for (std::int64_t x = std::max<std::int64_t>(0, task.X);
         x < std::min<std::int64_t>(800, std::int64_t{task.X} + task.SrcRect.right - task.SrcRect.left); ++x) {
      cover[static_cast<std::size_t>(x)] |= bit;
    }
    EXPECT_GE(task.SrcRect.left, 0);
    EXPECT_LE(task.SrcRect.right, 4000);
  }
  EXPECT_EQ(cover, ModelCoverage(curtain, 800, 0, 800, 0.9));
  // A one-pixel shutter cuts the wide image into single pixels (k = 0: all old).
  Tasks().ClearWork();
  Start(17, 1000, 1);
  Frame();
  Advance(500);
  EXPECT_EQ(Frame().size(), 4000u);
}

}  // namespace
}  // namespace vesk_test
