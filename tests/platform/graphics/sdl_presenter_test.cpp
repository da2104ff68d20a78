// The real presenter on SDL's dummy video driver: frames reach the window, a
// renderer reset takes the device through lost and not-reset to working, and
// presentation is paced whatever the renderer claims.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/clock/clock.h"
#include <cstring>
#include <random>
#include <vector>

#include "platform/graphics/graphics_device.h"
#include "platform/graphics/sdl_presenter.h"
#include "platform/window/sdl_window_access.h"
#include "platform/window/window.h"

namespace {

void PumpMessages() {
  platform::Message m;
  while (platform::PeekMessage(m)) platform::DispatchMessage(m);
}

TEST(SdlPresenter, PresentsAndRecoversFromARendererReset) {
  platform::WindowHandle window = platform::CreateMainWindow("presenter", 800, 600, false, nullptr);
  ASSERT_NE(window, nullptr);
  auto device = platform::GraphicsDevice::Create(window, platform::PresentParameters{});
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->TestCooperativeLevel(), platform::DeviceStatus::Ok);
  device->Clear(0xFF336699u);
  device->Present();
  EXPECT_EQ(device->Frame().At(10, 10), 0xFF336699u);

  // In a window the frame fills the client area one to one.
  int x = 0, y = 0;
  platform::MapWindowPointToFrame(400, 300, x, y);
  EXPECT_EQ(x, 400);
  EXPECT_EQ(y, 300);

  SDL_Event reset{};
  reset.type = SDL_RENDER_DEVICE_RESET;
  SDL_PushEvent(&reset);
  PumpMessages();
  // Lost first, as a lost device reports itself, then ready for the reset,
  // which makes a new renderer.
  EXPECT_EQ(device->TestCooperativeLevel(), platform::DeviceStatus::Lost);
  EXPECT_EQ(device->TestCooperativeLevel(), platform::DeviceStatus::NotReset);
  device->Present();  // nothing to show while not reset
  EXPECT_EQ(device->Reset(platform::PresentParameters{}), platform::DeviceStatus::Ok);
  EXPECT_EQ(device->TestCooperativeLevel(), platform::DeviceStatus::Ok);
  device->Present();

  // Full screen without vsync, and back.
  platform::PresentParameters fullScreen;
  fullScreen.windowed = false;
  fullScreen.vsync = false;
  EXPECT_TRUE(platform::SetWindowFullScreen(window, true));
  EXPECT_EQ(device->Reset(fullScreen), platform::DeviceStatus::Ok);
  EXPECT_FALSE(device->Parameters().vsync);
  device->Present();
}

// Every way of presenting is paced to the refresh rate (60 Hz here): the window's
// surface, which never waits, and SDL's software renderer, which claims to wait
// for the vertical blank and returns at once.
class PacedPresenter : public testing::TestWithParam<platform::PresentPath> {};

TEST_P(PacedPresenter, FramesAreHeldToTheRefreshRate) {
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  platform::WindowHandle window = platform::CreateMainWindow("paced", 800, 600, false, nullptr);
  ASSERT_NE(window, nullptr);
  const platform::PresentParameters vsync;
  auto presenter = platform::CreateSdlPresenter(window, vsync, GetParam());
  ASSERT_NE(presenter, nullptr);
  platform::GraphicsDevice device(std::move(presenter), vsync);
  platform::UseVirtualClock(5000);
  device.Present();
  EXPECT_EQ(platform::NowMs(), 5000u);
  platform::AdvanceVirtualClock(5);  // a frame's work
  device.Present();
  EXPECT_EQ(platform::NowMs(), 5016u);
  device.Present();
  EXPECT_EQ(platform::NowMs(), 5033u);  // 16.67 ms on average
  device.Present();
  EXPECT_EQ(platform::NowMs(), 5050u);
  platform::AdvanceVirtualClock(100);  // a long frame: no burst of unpaced frames after it
  device.Present();
  EXPECT_EQ(platform::NowMs(), 5150u);
  device.Present();
  EXPECT_EQ(platform::NowMs(), 5166u);
  platform::UseRealClock();
  platform::DestroyWindow(window);
}
INSTANTIATE_TEST_SUITE_P(SdlPresenter, PacedPresenter,
                         testing::Values(platform::PresentPath::Chosen, platform::PresentPath::Renderer));

// The colours a window shows, read back from its surface.
std::vector<std::uint32_t> WindowColours(platform::WindowHandle window) {
  SDL_Surface* surface = SDL_GetWindowSurface(platform::SdlWindowOf(window));
  std::vector<std::uint32_t> colours;
  for (int y = 0; y < surface->h; ++y) {
    const auto* row = reinterpret_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < surface->w; ++x) {
      std::uint32_t pixel = 0;
      std::memcpy(&pixel, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
      std::uint8_t r = 0, g = 0, b = 0;
      SDL_GetRGB(pixel, surface->format, &r, &g, &b);
      colours.push_back(0xFF000000u | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | b);
    }
  }
  return colours;
}

// In a window the surface shows the frame's own pixels, as a renderer does; in
// full screen (1024x768 on the dummy display) it is scaled with linear filtering.
TEST(SdlPresenter, TheWindowSurfaceShowsTheFrameAsTheRendererDoes) {
  platform::WindowHandle window = platform::CreateMainWindow("pixels", 800, 600, false, nullptr);
  ASSERT_NE(window, nullptr);
  platform::Texture frame(800, 600);
  std::mt19937 random(3);
  for (int i = 0; i < 800 * 600; ++i) frame.Pixels()[i] = 0xFF000000u | (random() & 0xFFFFFFu);
  std::vector<std::uint32_t> shown[2];
  for (const auto path : {platform::PresentPath::Renderer, platform::PresentPath::Chosen}) {
    auto presenter = platform::CreateSdlPresenter(window, platform::PresentParameters{}, path);
    ASSERT_NE(presenter, nullptr);
    presenter->Present(frame);
    shown[path == platform::PresentPath::Chosen] = WindowColours(window);
  }
  EXPECT_EQ(shown[1], std::vector<std::uint32_t>(frame.Pixels(), frame.Pixels() + 800 * 600));
  EXPECT_EQ(shown[0], shown[1]);

  // Left half red, right half blue: the scaled edge is a blend of the two.
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) frame.Row(y)[x] = x < 400 ? 0xFFFF0000u : 0xFF0000FFu;
  platform::PresentParameters fullScreen;
  fullScreen.windowed = false;
  ASSERT_TRUE(platform::SetWindowFullScreen(window, true));
  auto presenter = platform::CreateSdlPresenter(window, fullScreen);
  ASSERT_NE(presenter, nullptr);
  presenter->Present(frame);
  const std::vector<std::uint32_t> scaled = WindowColours(window);
  ASSERT_EQ(scaled.size(), 1024u * 768u);
  EXPECT_EQ(scaled[300 * 1024 + 10], 0xFFFF0000u);
  EXPECT_EQ(scaled[300 * 1024 + 1010], 0xFF0000FFu);
  const std::uint32_t edge = scaled[300 * 1024 + 511];
  EXPECT_TRUE((edge >> 16 & 0xFF) > 0 && (edge & 0xFF) > 0) << std::hex << edge;
  platform::DestroyWindow(window);
}

TEST(SdlPresenter, NoDeviceForAWindowThatIsGone) {
  platform::WindowHandle window = platform::CreateMainWindow("gone", 800, 600, false, nullptr);
  ASSERT_NE(window, nullptr);
  platform::DestroyWindow(window);
  EXPECT_EQ(platform::GraphicsDevice::Create(window, platform::PresentParameters{}), nullptr);
}

}  // namespace
