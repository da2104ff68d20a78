// Transitions on the game's real draw back end and compositor, read from the
// captured frame: the story screen's clear, the update pass and the task drawing,
// with a red picture on the shown page and a blue one on the hidden page.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/managers/draw_manager_fd.h"
#include "tests/game/managers/shell_fixture.h"
#include "tests/platform/image/test_images.h"
#include "tests/plugin/transitions/transition_fixture.h"

namespace vesk_test {
namespace {

constexpr char kRed[] = "Data/red.png";
constexpr char kBlue[] = "Data/blue.png";
constexpr std::uint32_t kRedPixel = 0xFFFF0000u;
constexpr std::uint32_t kBluePixel = 0xFF0000FFu;

class TransitionPixelTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    WriteFile(kRed, MakePngRgba(800, 600, std::vector<std::uint32_t>(800 * 600, kRedPixel)));
    WriteFile(kBlue, MakePngRgba(800, 600, std::vector<std::uint32_t>(800 * 600, kBluePixel)));
    PackData();
    ResetPluginState();
    BindEngineHost();
    nsTamskLib::nsPlugin::ClearRegistries();
    nsWendrick::RegistrationTables patternsOnly{};
    patternsOnly.updates = nsWendrick::WendrickRegistrationTables().updates;
    nsWendrick::RegisterWithHost(nsWendrick::GetHostApi(), patternsOnly);
    platform::SetVirtualClock(kStartClock);
    engine.drawManager = &draw;
    draw.SetEngine(&engine);
    ASSERT_TRUE(draw.RegisterImage(kRed));
    ASSERT_TRUE(draw.RegisterImage(kBlue));
    const std::uint32_t shown = engine.tasks.GetPage();
    engine.tasks.BGLayer()[shown] = ImageTask(kRed, 0, 0);
    engine.tasks.BGLayer()[1 - shown] = ImageTask(kBlue, 0, 0);
  }
  void TearDown() override {
    nsTamskLib::nsPlugin::ClearRegistries();
    ResetPluginState();
    ShellFixture::TearDown();
  }

  void Start(std::uint32_t type, std::uint32_t time, std::int32_t width = 0) {
    nsTamskLib::nsTaskManager::UpdateParam param;
    param.Type = type;
    param.Time = time;
    param.Param[0] = width;
    engine.tasks.SetUpdateData(param);
  }

  // The story screen's frame up to the tasks, presented.
  void DrawFrame() {
    draw.ClearScreen();
    engine.tasks.Update();
    draw.DrawTasks();
    nsVesk::g_Graphic.Present();
  }

  // Starts the pattern and draws its frame at elapsed ms.
  void DrawAt(std::uint32_t type, std::uint32_t elapsed, std::uint32_t time = 1000,
              std::int32_t width = 0) {
    Start(type, time, width);
    DrawFrame();
    platform::AdvanceVirtualClock(elapsed);
    DrawFrame();
  }

  std::uint32_t Pixel(int x, int y) const { return m_Back.Pixel(x, y); }

  FatalTrap trap;
  StoryScreenEngine engine;
  nsVesk::nsDrawManagerfD::DrawManagerfD draw;
};

TEST_F(TransitionPixelTest, BlindRightAtHalfTimeShowsHalfOfEveryStrip) {
  DrawAt(4, 500);
  for (int strip = 0; strip < 800; strip += 16) {
    EXPECT_EQ(Pixel(strip, 300), kBluePixel) << strip;
    EXPECT_EQ(Pixel(strip + 7, 300), kBluePixel) << strip;
    EXPECT_EQ(Pixel(strip + 8, 300), kRedPixel) << strip;
    EXPECT_EQ(Pixel(strip + 15, 300), kRedPixel) << strip;
  }
}

TEST_F(TransitionPixelTest, AFullWidthShutterAndASlideWipeFromTheLeft) {
  DrawAt(17, 250, 1000, 800);
  EXPECT_EQ(Pixel(0, 0), kBluePixel);
  EXPECT_EQ(Pixel(199, 599), kBluePixel);
  EXPECT_EQ(Pixel(200, 0), kRedPixel);
  EXPECT_EQ(Pixel(799, 599), kRedPixel);

  engine.tasks.ClearWork();
  DrawAt(12, 500);
  EXPECT_EQ(Pixel(399, 300), kBluePixel);
  EXPECT_EQ(Pixel(400, 300), kRedPixel);
}

TEST_F(TransitionPixelTest, CrossfadeAtHalfTimeMixesBothOverTheBackground) {
  draw.SetCurrentBGColor(0);
  draw.SetTargetBGColor(0);
  DrawAt(1, 500);
  const std::uint32_t pixel = Pixel(400, 300);
  const int red = static_cast<int>((pixel >> 16) & 0xFF);
  const int green = static_cast<int>((pixel >> 8) & 0xFF);
  const int blue = static_cast<int>(pixel & 0xFF);
  EXPECT_NEAR(red, 64, 2);
  EXPECT_EQ(green, 0);
  EXPECT_NEAR(blue, 127, 2);
}

TEST_F(TransitionPixelTest, TheFlipClearsOpaquelyInTheTargetColour) {
  // A background colour as the script sets it (no alpha byte) still covers the frame.
  engine.tasks.BGLayer()[0].Type = nsTamskLib::nsTaskManager::kDrawNothing;
  engine.tasks.BGLayer()[1].Type = nsTamskLib::nsTaskManager::kDrawNothing;
  draw.SetTargetBGColor(0x00336699);  // R 0x99, G 0x66, B 0x33
  Start(3, 0);
  DrawFrame();  // the flip takes the target colour
  DrawFrame();
  EXPECT_EQ(Pixel(10, 10), 0xFF996633u);
}

}  // namespace
}  // namespace vesk_test
