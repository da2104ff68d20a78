#pragma once
// A graphics object with its window on the test back end: frames are captured
// instead of shown, and device loss can be injected.

#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/zarn_graphic.h"
#include "tests/platform/support/graphics_test_back_end.h"

namespace vesk_test {

class GraphicFixture : public testing::Test {
 protected:
  void SetUp() override {
    s_Graphic = &m_Graphic;
    ASSERT_TRUE(m_Graphic.Init("テスト", Procedure, 800, 600, 0xA00000, false, false, false));
  }
  void TearDown() override { s_Graphic = nullptr; }

  // Dispatches every waiting message, as the main loop does.
  static void PumpMessages() {
    platform::Message m;
    while (platform::PeekMessage(m)) platform::DispatchMessage(m);
  }

  // Presents the frame and reads one pixel of it.
  std::uint32_t PresentedPixel(int x, int y) {
    m_Graphic.Present();
    return m_Back.Pixel(x, y);
  }

  vesk_test::GraphicsTestBackEnd m_Back;
  nsZarn::nsGraphics::ZarnGraphic m_Graphic;

 private:
  static std::intptr_t Procedure(platform::WindowHandle w, platform::MessageId id, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
    if (s_Graphic != nullptr) s_Graphic->MsgProc(w, id, wParam, lParam);
    return 0;
  }
  static inline nsZarn::nsGraphics::ZarnGraphic* s_Graphic = nullptr;
};

}  // namespace vesk_test
