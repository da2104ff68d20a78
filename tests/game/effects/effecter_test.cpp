// The effecters under the virtual clock, seen on the captured frame: the colour
// fades with their unsigned arithmetic and their end, zero-time fades, frame
// animations loaded from an animation file, and the list that runs and drops them.
#include <gtest/gtest.h>

#include <vector>

#include "game/effects/effecter_animation.h"
#include "game/effects/effecter_fade.h"
#include "game/effects/effecter_list.h"
#include "game/managers/image_table.h"
#include "platform/clock/clock.h"
#include "tests/game/managers/shell_fixture.h"
#include "tests/platform/image/test_images.h"

namespace {

using nsVesk::cImageTable;
using nsVesk::nsEffect::cEffecterAnimation;
using nsVesk::nsEffect::cEffecterFadeIn;
using nsVesk::nsEffect::cEffecterFadeOut;
using nsVesk::nsEffect::cEffecterList;
using nsVesk::nsEffect::IEffecter;

constexpr std::uint32_t kRed = 0x0000FFu;  // red in the lowest byte

class EffecterTest : public vesk_test::ShellFixture {
 protected:
  // One update on a black frame; the red channel at the centre.
  std::uint32_t RedAfterUpdate(IEffecter& effecter) {
    nsVesk::g_Graphic.Clear(kBackground);
    effecter.Update();
    return Presented(400, 300) >> 16 & 0xFFu;
  }
  static void Advance(std::uint32_t ms) { platform::AdvanceVirtualClock(ms); }
};

TEST_F(EffecterTest, FadeInThinsFromOpaqueToClearAndEndsPastItsTime) {
  cEffecterFadeIn fade;
  fade.SetColorAndTime(kRed, 1000);
  EXPECT_FALSE(fade.IsRunning()) << "setting does not start it";
  fade.Start();
  EXPECT_EQ(RedAfterUpdate(fade), 255u);
  Advance(500);
  EXPECT_EQ(RedAfterUpdate(fade), 128u) << "255 - 500 * 255 / 1000";
  Advance(500);
  EXPECT_EQ(RedAfterUpdate(fade), 0u);
  EXPECT_TRUE(fade.IsRunning()) << "255 - 255 is not below 0";
  Advance(3);
  RedAfterUpdate(fade);
  EXPECT_TRUE(fade.IsRunning());
  Advance(1);
  EXPECT_EQ(RedAfterUpdate(fade), 0u);
  EXPECT_FALSE(fade.IsRunning()) << "at 1004 ms 1004 * 255 / 1000 = 256";
}

TEST_F(EffecterTest, FadeOutThickensToOpaqueAndDrawsNothingOnceEnded) {
  cEffecterFadeOut fade;
  fade.SetColorAndTime(kRed, 1000);
  fade.Start();
  EXPECT_EQ(RedAfterUpdate(fade), 0u);
  Advance(500);
  EXPECT_EQ(RedAfterUpdate(fade), 127u);
  Advance(500);
  EXPECT_EQ(RedAfterUpdate(fade), 255u);
  EXPECT_TRUE(fade.IsRunning());
  Advance(4);
  EXPECT_EQ(RedAfterUpdate(fade), 255u) << "the last update still draws";
  EXPECT_FALSE(fade.IsRunning());
  EXPECT_EQ(RedAfterUpdate(fade), 0u) << "nothing after the end";
}

TEST_F(EffecterTest, FadesDrawTheirColourOverTheWholeFrame) {
  cEffecterFadeOut fade;
  fade.SetColorAndTime(0x00C08040u, 0);  // blue 0xC0, green 0x80, red 0x40
  fade.Start();
  nsVesk::g_Graphic.Clear(kBackground);
  fade.Update();
  EXPECT_EQ(Presented(0, 0), 0xFF4080C0u);
  EXPECT_EQ(m_Back.Pixel(799, 599), 0xFF4080C0u);
}

TEST_F(EffecterTest, StartRestartsARunningFade) {
  cEffecterFadeIn fade;
  fade.SetColorAndTime(kRed, 1000);
  fade.Start();
  Advance(800);
  EXPECT_LT(RedAfterUpdate(fade), 60u);
  fade.Start();
  EXPECT_EQ(RedAfterUpdate(fade), 255u);
  fade.Stop();
  EXPECT_FALSE(fade.IsRunning());
  EXPECT_EQ(RedAfterUpdate(fade), 0u) << "a stopped fade draws nothing";
}

TEST_F(EffecterTest, ZeroTimeFadesDrawTheirEndOnceAndStopInTheSameUpdate) {
  cEffecterFadeIn in;
  in.SetColorAndTime(kRed, 0);
  in.Start();
  EXPECT_EQ(RedAfterUpdate(in), 0u);
  EXPECT_FALSE(in.IsRunning());
  cEffecterFadeOut out;
  out.SetColorAndTime(kRed, 0);
  out.Start();
  EXPECT_EQ(RedAfterUpdate(out), 255u);
  EXPECT_FALSE(out.IsRunning());
}

TEST_F(EffecterTest, TheProductWrapsInThirtyTwoBits) {
  cEffecterFadeOut fade;
  fade.SetColorAndTime(kRed, 0x7FFFFFFFu);
  fade.Start();
  // 16,843,010 ms x 255 wraps past 2^32 to 254; the fade is nearly clear again.
  Advance(16843010u);
  EXPECT_EQ(RedAfterUpdate(fade), 0u);
  EXPECT_TRUE(fade.IsRunning());
}

TEST_F(EffecterTest, TheOptionFadeStartsBlackAndWithoutTime) {
  EXPECT_EQ(nsVesk::nsEffect::g_OptionFadeIn.GetColor(), 0u);
  EXPECT_EQ(nsVesk::nsEffect::g_OptionFadeIn.GetTime(), 0u);
  EXPECT_FALSE(nsVesk::nsEffect::g_OptionFadeIn.IsRunning());
}

// A fade that counts how it is driven and when it is deleted.
class CountingEffecter : public IEffecter {
 public:
  explicit CountingEffecter(std::vector<std::string>* log, const char* name) : m_Log(log), m_Name(name) {}
  ~CountingEffecter() override { m_Log->push_back(m_Name + " deleted"); }
  void Start() override { m_Log->push_back(m_Name + " start"); }
  void Stop() override { m_Log->push_back(m_Name + " stop"); }
  void Update() override {
    m_Log->push_back(m_Name + " update");
    if (--m_Frames == 0) m_Running = false;
  }
  bool IsRunning() override { return m_Running; }
  int m_Frames = 1;
  bool m_Running = true;

 private:
  std::vector<std::string>* m_Log;
  std::string m_Name;
};

TEST(EffecterListTest, RunUpdatesInOrderAndDeletesTheFinished) {
  std::vector<std::string> log;
  cEffecterList list;
  auto* a = new CountingEffecter(&log, "a");
  auto* b = new CountingEffecter(&log, "b");
  b->m_Frames = 2;
  list.Add(a);
  list.Add(b);
  EXPECT_EQ(log, (std::vector<std::string>{"a start", "b start"}));
  log.clear();
  list.Run();
  EXPECT_TRUE(log.empty()) << "a disabled list does nothing";
  list.Enable();
  list.Run();
  EXPECT_EQ(log, (std::vector<std::string>{"a update", "b update"}));
  log.clear();
  list.Run();
  EXPECT_EQ(log, (std::vector<std::string>{"a deleted", "b update"}));
  log.clear();
  list.Run();
  EXPECT_EQ(log, (std::vector<std::string>{"b deleted"}));
  EXPECT_EQ(list.Size(), 0u);
}

TEST(EffecterListTest, ClearStopsDeletesAndDisables) {
  std::vector<std::string> log;
  cEffecterList list;
  list.Enable();
  list.Add(new CountingEffecter(&log, "a"));
  auto* finished = new CountingEffecter(&log, "b");
  finished->m_Running = false;
  list.Add(finished);
  log.clear();
  list.Clear();
  EXPECT_EQ(log, (std::vector<std::string>{"a stop", "a deleted", "b stop", "b deleted"}));
  EXPECT_FALSE(list.IsEnabled());
  list.Add(new CountingEffecter(&log, "c"));
  log.clear();
  list.Run();
  EXPECT_TRUE(log.empty()) << "finished or not, nothing runs until Enable";
}

TEST(EffecterListTest, TheListDeletesWhatItHoldsWhenItGoes) {
  std::vector<std::string> log;
  {
    cEffecterList list;
    list.Add(new CountingEffecter(&log, "a"));
  }
  EXPECT_EQ(log.back(), "a deleted");
}

class AnimationTest : public EffecterTest {
 protected:
  void SetUp() override {
    EffecterTest::SetUp();
    vesk_test::WriteFile("Data/Anim/frames.png", vesk_test::MakePngRgba(192, 64, FramesPicture()));
    vesk_test::WriteFile("Data/Anim/three.ini",
                         "[Animations]\nAnimationNum=3\n"
                         "[Animation0]\nAnimationFileName=\"Data/Anim/frames.png\"\n"
                         "AnimationSrcRect_Left=0\nAnimationSrcRect_Top=0\n"
                         "AnimationSrcRect_Right=64\nAnimationSrcRect_Bottom=64\n"
                         "[Animation1]\nAnimationFileName=\"Data/Anim/frames.png\"\n"
                         "AnimationSrcRect_Left=64\nAnimationSrcRect_Top=0\n"
                         "AnimationSrcRect_Right=128\nAnimationSrcRect_Bottom=64\n"
                         "[Animation2]\nAnimationFileName=\"Data/Anim/missing.png\"\n"
                         "AnimationSrcRect_Left=128\nAnimationSrcRect_Top=0\n"
                         "AnimationSrcRect_Right=192\nAnimationSrcRect_Bottom=64\n");
    vesk_test::WriteFile("Data/Anim/half.ini",
                         "[Animations]\nAnimationNum=1\nBaseScaling=50\n"
                         "[Animation0]\nAnimationFileName=\"Data/Anim/frames.png\"\n"
                         "AnimationSrcRect_Left=0\nAnimationSrcRect_Top=0\n"
                         "AnimationSrcRect_Right=64\nAnimationSrcRect_Bottom=64\n");
    vesk_test::WriteFile("Data/Anim/none.ini", "[Animations]\nBaseScaling=200\n");
    PackData();
  }

  // Three 64x64 frames side by side: red, green, blue.
  static std::vector<std::uint32_t> FramesPicture() {
    std::vector<std::uint32_t> pixels(192 * 64);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 192; ++x) {
        pixels[static_cast<std::size_t>(y * 192 + x)] = x < 64 ? 0xFFFF0000u : x < 128 ? 0xFF00FF00u : 0xFF0000FFu;
      }
    }
    return pixels;
  }

  // One update on a black frame; the frame afterwards.
  std::vector<std::uint32_t> FrameAfterUpdate(IEffecter& effecter) {
    nsVesk::g_Graphic.Clear(kBackground);
    effecter.Update();
    nsVesk::g_Graphic.Present();
    return m_Back.LastFrame();
  }
  static std::uint32_t At(const std::vector<std::uint32_t>& frame, int x, int y) {
    return frame[static_cast<std::size_t>(y * 800 + x)];
  }

  cImageTable m_Images;
};

TEST_F(AnimationTest, LoadReadsTheFramesAndLoadsTheirImagesOnce) {
  cEffecterAnimation animation(&m_Images);
  animation.Load("Data/Anim/three.ini");
  ASSERT_EQ(animation.GetFrames().size(), 3u);
  EXPECT_EQ(animation.GetFrames()[1].image, "Data/Anim/frames.png");
  EXPECT_EQ(animation.GetFrames()[1].left, 64);
  EXPECT_EQ(animation.GetFrames()[1].right, 128);
  EXPECT_EQ(animation.GetFrames()[1].bottom, 64);
  EXPECT_FLOAT_EQ(animation.GetBaseScale(), 1.0f) << "BaseScaling defaults to 100";
  EXPECT_EQ(m_Images.Size(), 2u) << "one entry per file name, the missing one included";
  EXPECT_FALSE(animation.IsRunning()) << "not started";
  // Loading again replaces the frames instead of adding to them.
  animation.Load("Data/Anim/half.ini");
  EXPECT_EQ(animation.GetFrames().size(), 1u);
  EXPECT_FLOAT_EQ(animation.GetBaseScale(), 0.5f);
}

TEST_F(AnimationTest, ASixteenMillisecondFrameUpdatedEveryTenStepsEverySecondUpdate) {
  cEffecterAnimation animation(&m_Images);
  animation.Load("Data/Anim/three.ini");
  animation.SetPair(100, 100);
  animation.Start();
  std::vector<int> shown;
  for (int i = 0; i < 6; ++i) {
    Advance(10);
    shown.push_back(animation.GetFrame());
    animation.Update();
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 1, 1, 2, 2}));
  EXPECT_FALSE(animation.IsRunning()) << "the third frame's time has passed";
}

TEST_F(AnimationTest, ALongFrameStillStepsOneFramePerUpdate) {
  cEffecterAnimation animation(&m_Images);
  animation.Load("Data/Anim/three.ini");
  animation.Start();
  Advance(100);
  animation.Update();
  EXPECT_EQ(animation.GetFrame(), 1);
  Advance(1000);
  animation.Update();
  EXPECT_EQ(animation.GetFrame(), 2);
}

TEST_F(AnimationTest, FramesAreDrawnCentredAndAMissingImageDrawsNothing) {
  cEffecterAnimation animation(&m_Images);
  animation.Load("Data/Anim/three.ini");
  animation.SetPosition(100, 100);
  animation.SetFrameTime(32);
  animation.Start();
  auto frame = FrameAfterUpdate(animation);
  EXPECT_EQ(At(frame, 68, 68), 0xFFFF0000u) << "64x64 centred on (100, 100)";
  EXPECT_EQ(At(frame, 131, 131), 0xFFFF0000u);
  EXPECT_EQ(At(frame, 67, 100), kBackground);
  EXPECT_EQ(At(frame, 132, 100), kBackground);
  Advance(33);
  animation.Update();
  frame = FrameAfterUpdate(animation);
  EXPECT_EQ(At(frame, 100, 100), 0xFF00FF00u) << "the second frame's part of the picture";
  Advance(33);
  animation.Update();
  ASSERT_EQ(animation.GetFrame(), 2);
  frame = FrameAfterUpdate(animation);
  EXPECT_EQ(At(frame, 100, 100), kBackground) << "the third frame's file is missing";
  Advance(33);
  animation.Update();
  EXPECT_FALSE(animation.IsRunning()) << "its time runs all the same";
}

TEST_F(AnimationTest, BaseScalingFiftyDrawsAtHalfSize) {
  cEffecterAnimation animation(&m_Images);
  animation.Load("Data/Anim/half.ini");
  animation.SetPair(100, 100);
  animation.Start();
  const auto frame = FrameAfterUpdate(animation);
  EXPECT_EQ(At(frame, 84, 84), 0xFFFF0000u) << "top-left at (84, 84)";
  EXPECT_EQ(At(frame, 115, 115), 0xFFFF0000u);
  EXPECT_EQ(At(frame, 83, 84), kBackground);
  EXPECT_EQ(At(frame, 84, 83), kBackground);
  EXPECT_EQ(At(frame, 116, 100), kBackground);
  EXPECT_EQ(At(frame, 100, 116), kBackground);
}

TEST_F(AnimationTest, AnAnimationWithoutFramesNeverRuns) {
  for (const char* file : {"Data/Anim/none.ini", "Data/Anim/absent.ini"}) {
    cEffecterAnimation animation(&m_Images);
    animation.Load(file);
    animation.Start();
    EXPECT_FALSE(animation.IsRunning()) << file;
    animation.Update();
  }
  EXPECT_EQ(m_Images.Size(), 0u);
}

TEST_F(AnimationTest, CopiesShareTheTableAndRunOnTheirOwn) {
  cEffecterAnimation original(&m_Images);
  original.Load("Data/Anim/three.ini");
  original.SetPair(300, 300);
  original.Start();
  Advance(20);
  original.Update();
  cEffecterAnimation copy = original;
  EXPECT_EQ(copy.GetFrame(), 1);
  EXPECT_EQ(copy.GetFrames().size(), 3u);
  copy.SetPair(100, 100);
  const auto frame = FrameAfterUpdate(copy);
  EXPECT_EQ(At(frame, 100, 100), 0xFF00FF00u) << "drawn from the shared table";
  EXPECT_EQ(At(frame, 300, 300), kBackground);
  copy.Stop();
  EXPECT_FALSE(copy.IsRunning());
  EXPECT_TRUE(original.IsRunning());
  EXPECT_EQ(m_Images.Size(), 2u);
}

TEST_F(AnimationTest, TheListRunsAThreeFrameAnimationToItsEndAndDropsIt) {
  cEffecterList list;
  list.Enable();
  auto* animation = new cEffecterAnimation(&m_Images);
  animation->Load("Data/Anim/three.ini");
  list.Add(animation);  // started by the list
  int updates = 0;
  while (list.Size() != 0 && updates < 10) {
    Advance(17);
    list.Run();
    ++updates;
  }
  EXPECT_EQ(updates, 4) << "three frames drawn, then deleted on the next run";
}

}  // namespace
