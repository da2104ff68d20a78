// Crossfade, fade-in, the slides and the move: alphas, positions and how records
// with equal or different content are treated.

#include <string>
#include <vector>

#include "tests/plugin/transitions/transition_fixture.h"

namespace vesk_test {
namespace {

using Texts = std::vector<std::string>;

class WholeLayerTest : public TransitionTest {
 protected:
  // Runs pattern from its first frame to elapsed ms and returns that frame.
  Texts At(std::uint32_t pattern, std::uint32_t elapsed, std::uint32_t time = 1000) {
    Tasks().ClearWork();
    Start(pattern, time);
    Frame();
    Advance(elapsed);
    return FrameText();
  }
};

TEST_F(WholeLayerTest, CrossfadeAndFadeInAlphas) {
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  EXPECT_EQ(At(1, 500), (Texts{"old 0,0 {0,0,800,600} a127 s0", "new 0,0 {0,0,800,600} a127 s1"}));
  EXPECT_EQ(At(1, 250), (Texts{"old 0,0 {0,0,800,600} a191 s0", "new 0,0 {0,0,800,600} a63 s1"}));
  // Fade-in keeps the old page opaque on every frame before the last.
  EXPECT_EQ(At(2, 999), (Texts{"old 0,0 {0,0,800,600} a255 s0", "new 0,0 {0,0,800,600} a254 s1"}));
  EXPECT_EQ(At(2, 1000), (Texts{"new 0,0 {0,0,800,600} a255 s1"}));
  // A translucent layer fades from its own alpha.
  DrawTask half = ImageTask("new", 0, 0);
  half.A = 100;
  SetBG(ImageTask("old", 0, 0), half);
  EXPECT_EQ(At(1, 500), (Texts{"old 0,0 {0,0,800,600} a127 s0", "new 0,0 {0,0,800,600} a50 s1"}));
}

TEST_F(WholeLayerTest, HorizontalSlidesMoveByTheScreenWidth) {
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  EXPECT_EQ(At(12, 250), (Texts{"old 200,0 {0,0,800,600} a255 s0", "new -600,0 {0,0,800,600} a255 s1"}));
  EXPECT_EQ(At(14, 250), (Texts{"old -200,0 {0,0,800,600} a255 s0", "new 600,0 {0,0,800,600} a255 s1"}));
}

TEST_F(WholeLayerTest, VerticalSlidesMoveByTheScreenHeightEdgeToEdge) {
  // The outgoing and incoming pictures stay together and meet the colour boundary.
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  EXPECT_EQ(At(13, 750), (Texts{"old 0,450 {0,0,800,600} a255 s0", "new 0,-150 {0,0,800,600} a255 s1"}));
  EXPECT_EQ(At(15, 250), (Texts{"old 0,-150 {0,0,800,600} a255 s0", "new 0,450 {0,0,800,600} a255 s1"}));
}

TEST_F(WholeLayerTest, MoveInterpolatesPlaceAndDepthAsOneRecordWhenTheContentIsTheSame) {
  DrawTask from = ImageTask("ch", 0, 100, 200, 400);
  DrawTask to = ImageTask("ch", 400, 0, 200, 400);
  from.Z = 10;
  to.Z = 20;
  SetSprite("c", from, to);
  const Texts frame = At(26, 500);
  EXPECT_EQ(frame, (Texts{"ch 200,50 {0,0,200,400} a255 s0"}));
  EXPECT_EQ(Tasks().TaskList()[0].Z, 15);

  // Hidden on the old page: fades in while it moves (the effective alpha is 0).
  from.Visible = false;
  SetSprite("c", from, to);
  const std::vector<DrawTask>& tasks = (At(26, 500), Tasks().TaskList());
  ASSERT_EQ(tasks.size(), 1u);
  EXPECT_EQ(Describe(tasks[0]), "ch 200,50 {0,0,200,400} a127 s0");
  EXPECT_TRUE(tasks[0].Visible);
}

TEST_F(WholeLayerTest, MoveCrossfadesChangedContentAtTheInterpolatedPlace) {
  SetSprite("c", ImageTask("a", 0, 0, 10, 10), ImageTask("b", 100, 0, 10, 10));
  EXPECT_EQ(At(26, 250), (Texts{"a 25,0 {0,0,10,10} a191 s0", "b 25,0 {0,0,10,10} a63 s1"}));
  // A different source rectangle of the same image is other content too.
  SetSprite("c", ImageTask("a", 0, 0, 10, 10), ImageTask("a", 0, 0, 20, 10));
  EXPECT_EQ(At(26, 500).size(), 2u);
  // A filled rectangle that changes colour.
  DrawTask red;
  red.Type = nsTamskLib::nsTaskManager::kDrawFilledRect;
  red.Visible = true;
  red.A = 255;
  red.Rect = nsTamskLib::TRect{0, 0, 10, 10};
  red.Color = 0xFF;
  DrawTask blue = red;
  blue.Color = 0xFF0000;
  SetSprite("c", red, blue);
  EXPECT_EQ(At(26, 500).size(), 2u);
}

}  // namespace
}  // namespace vesk_test
