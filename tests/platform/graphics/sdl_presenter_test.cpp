// The real presenter on SDL's dummy video driver: frames reach an SDL renderer,
// and a renderer reset takes the device through lost and not-reset to working.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/clock/clock.h"
#include "platform/graphics/graphics_device.h"
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

// The software renderer cannot wait for the vertical blank: each frame waits out
// the rest of the refresh period (60 Hz here) instead of spinning.
TEST(SdlPresenter, FramesWithoutVsyncArePacedToTheRefreshRate) {
  platform::WindowHandle window = platform::CreateMainWindow("paced", 800, 600, false, nullptr);
  ASSERT_NE(window, nullptr);
  platform::PresentParameters unsynced;
  unsynced.vsync = false;
  auto device = platform::GraphicsDevice::Create(window, unsynced);
  ASSERT_NE(device, nullptr);
  platform::UseVirtualClock(5000);
  device->Present();
  EXPECT_EQ(platform::NowMs(), 5000u);
  platform::AdvanceVirtualClock(5);  // a frame's work
  device->Present();
  EXPECT_EQ(platform::NowMs(), 5016u);
  device->Present();
  EXPECT_EQ(platform::NowMs(), 5033u);  // 16.67 ms on average
  device->Present();
  EXPECT_EQ(platform::NowMs(), 5050u);
  platform::AdvanceVirtualClock(100);  // a long frame: no burst of unpaced frames after it
  device->Present();
  EXPECT_EQ(platform::NowMs(), 5150u);
  device->Present();
  EXPECT_EQ(platform::NowMs(), 5166u);
  platform::UseRealClock();
}

TEST(SdlPresenter, NoDeviceForAWindowThatIsGone) {
  platform::WindowHandle window = platform::CreateMainWindow("gone", 800, 600, false, nullptr);
  ASSERT_NE(window, nullptr);
  platform::DestroyWindow(window);
  EXPECT_EQ(platform::GraphicsDevice::Create(window, platform::PresentParameters{}), nullptr);
}

}  // namespace
