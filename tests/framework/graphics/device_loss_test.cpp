// Window mode, full screen and lost-device recovery through AppIdle.
#include <gtest/gtest.h>

#include "platform/window/window.h"
#include "tests/framework/graphics/graphic_fixture.h"
#include "tests/support/debug_capture.h"

namespace {

using platform::DeviceStatus;
using DeviceLoss = vesk_test::GraphicFixture;

TEST_F(DeviceLoss, StartsWindowedAndActiveWithVsync) {
  EXPECT_TRUE(m_Graphic.IsActive());
  EXPECT_FALSE(m_Graphic.IsFullScreen());
  EXPECT_TRUE(m_Back.LastParameters().windowed);
  EXPECT_TRUE(m_Back.LastParameters().vsync);
  EXPECT_TRUE(m_Graphic.AppIdle());
  EXPECT_EQ(m_Back.ResetCount(), 0);
}

TEST_F(DeviceLoss, LostDeviceWaitsWithoutReset) {
  m_Back.SetDeviceStatus(DeviceStatus::Lost);
  for (int pass = 0; pass < 3; ++pass) EXPECT_TRUE(m_Graphic.AppIdle());
  EXPECT_TRUE(m_Graphic.IsDeviceLost());
  EXPECT_EQ(m_Back.ResetCount(), 0);
  // Nothing reaches the screen while lost.
  m_Graphic.Present();
  EXPECT_EQ(m_Back.PresentCount(), 0);
}

TEST_F(DeviceLoss, NotResetDeviceIsResetAndRecovers) {
  m_Back.SetDeviceStatus(DeviceStatus::Lost);
  EXPECT_TRUE(m_Graphic.AppIdle());
  m_Back.SetDeviceStatus(DeviceStatus::NotReset);
  EXPECT_TRUE(m_Graphic.AppIdle());
  EXPECT_EQ(m_Back.ResetCount(), 1);
  EXPECT_FALSE(m_Graphic.IsDeviceLost());
  EXPECT_TRUE(m_Back.LastParameters().windowed);
  m_Graphic.Clear(0xFF112233u);
  m_Graphic.Present();
  EXPECT_EQ(m_Back.Pixel(5, 5), 0xFF112233u);
}

TEST_F(DeviceLoss, ResetThatFindsTheDeviceLostAgainKeepsWaiting) {
  m_Back.SetDeviceStatus(DeviceStatus::Lost);
  EXPECT_TRUE(m_Graphic.AppIdle());
  m_Back.SetDeviceStatus(DeviceStatus::NotReset);
  m_Back.SetResetOutcome(DeviceStatus::Lost);
  EXPECT_TRUE(m_Graphic.AppIdle());
  EXPECT_TRUE(m_Graphic.IsDeviceLost());
}

TEST_F(DeviceLoss, FailedResetEnds) {
  vesk_test::DebugCapture debug;
  m_Back.SetDeviceStatus(DeviceStatus::Lost);
  EXPECT_TRUE(m_Graphic.AppIdle());
  m_Back.SetDeviceStatus(DeviceStatus::NotReset);
  m_Back.SetResetOutcome(DeviceStatus::Failed);
  EXPECT_FALSE(m_Graphic.AppIdle());
  EXPECT_TRUE(debug.Contains("Failed : ZarnGraphic::AppIdle Reset\n"));
}

TEST_F(DeviceLoss, InactiveWindowTouchesNothing) {
  platform::SimulateActivation(m_Graphic.GetMainWindow(), false);
  PumpMessages();
  EXPECT_FALSE(m_Graphic.IsActive());
  m_Back.SetDeviceStatus(DeviceStatus::NotReset);
  EXPECT_TRUE(m_Graphic.AppIdle());
  EXPECT_FALSE(m_Graphic.IsDeviceLost());
  EXPECT_EQ(m_Back.ResetCount(), 0);
  platform::SimulateActivation(m_Graphic.GetMainWindow(), true);
  PumpMessages();
  EXPECT_TRUE(m_Graphic.IsActive());
}

TEST_F(DeviceLoss, SwitchingToTheCurrentModeDoesNotReset) {
  EXPECT_TRUE(m_Graphic.SetFullScreen(false));
  EXPECT_EQ(m_Back.ResetCount(), 0);
}

TEST_F(DeviceLoss, FullScreenResetsWithoutVsyncAndBack) {
  EXPECT_TRUE(m_Graphic.SetFullScreen(true));
  EXPECT_TRUE(m_Graphic.IsFullScreen());
  EXPECT_TRUE(platform::IsWindowFullScreen(m_Graphic.GetMainWindow()));
  EXPECT_EQ(m_Back.ResetCount(), 1);
  EXPECT_FALSE(m_Back.LastParameters().windowed);
  EXPECT_FALSE(m_Back.LastParameters().vsync);
  EXPECT_TRUE(m_Graphic.SetFullScreen(true));
  EXPECT_EQ(m_Back.ResetCount(), 1);
  EXPECT_TRUE(m_Graphic.SetFullScreen(false));
  EXPECT_FALSE(platform::IsWindowFullScreen(m_Graphic.GetMainWindow()));
  EXPECT_TRUE(m_Back.LastParameters().vsync);
}

TEST_F(DeviceLoss, ModeSwitchIsAppliedWhenTheResetMustWait) {
  vesk_test::DebugCapture debug;
  m_Back.SetDeviceStatus(DeviceStatus::Lost);
  EXPECT_FALSE(m_Graphic.SetFullScreen(true));
  EXPECT_TRUE(debug.Contains("Failed : ZarnGraphic::SetFullScreen() Reset\n"));
  // The window is already full screen; AppIdle finishes the device's part.
  EXPECT_TRUE(platform::IsWindowFullScreen(m_Graphic.GetMainWindow()));
  EXPECT_TRUE(m_Graphic.IsDeviceLost());
  m_Back.SetDeviceStatus(DeviceStatus::NotReset);
  EXPECT_TRUE(m_Graphic.AppIdle());
  EXPECT_FALSE(m_Graphic.IsDeviceLost());
  EXPECT_FALSE(m_Back.LastParameters().windowed);
}

TEST_F(DeviceLoss, FailedModeSwitchDestroysTheWindow) {
  m_Back.SetResetOutcome(DeviceStatus::Failed);
  EXPECT_FALSE(m_Graphic.SetFullScreen(true));
  EXPECT_FALSE(platform::IsWindowAlive(m_Graphic.GetMainWindow()));
  EXPECT_FALSE(m_Graphic.AppIdle());
}

TEST_F(DeviceLoss, NothingDrawsAfterTheWindowIsDestroyed) {
  platform::DestroyWindow(m_Graphic.GetMainWindow());
  EXPECT_EQ(m_Graphic.GetDevice(), nullptr);
  EXPECT_FALSE(m_Graphic.AppIdle());
  m_Graphic.Clear(0xFFFFFFFFu);
  m_Graphic.DrawFillRect(0, 0, 10, 10, 0xFFFFFFFFu, 0.0f);
  m_Graphic.Present();
  EXPECT_EQ(m_Back.PresentCount(), 0);
  EXPECT_TRUE(m_Graphic.SetFullScreen(false));
}

TEST(GraphicInit, DeviceFailureIsReported) {
  vesk_test::GraphicsTestBackEnd back;
  back.FailDeviceCreation(true);
  vesk_test::DebugCapture debug;
  nsZarn::nsGraphics::ZarnGraphic graphic;
  EXPECT_FALSE(graphic.Init("t", nullptr, 800, 600, 0, false, false, false));
  EXPECT_TRUE(debug.Contains("Failed : ZarnGraphic::InitD3D() CreateDevice\n"));
  EXPECT_TRUE(debug.Contains("Failed : ZarnGraphic::Init InitD3D\n"));
}

}  // namespace
