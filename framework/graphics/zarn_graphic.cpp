#include "framework/graphics/zarn_graphic.h"

#include <cmath>

#include "platform/clock/clock.h"
#include "platform/debug/debug_sink.h"

namespace nsZarn::nsGraphics {
namespace {

// Degrees to radians, in single precision as the sprite transform is computed.
constexpr float kDegreesToRadians = 0.01745329238474369f;

bool ToBlendMode(BlendOp op, Blend srcBlend, Blend destBlend, platform::BlendMode& mode) {
  if (srcBlend != Blend::SrcAlpha) return false;
  if (op == BlendOp::Add && destBlend == Blend::InvSrcAlpha) {
    mode = platform::BlendMode::Alpha;
    return true;
  }
  if (op == BlendOp::Add && destBlend == Blend::One) {
    mode = platform::BlendMode::Add;
    return true;
  }
  if (op == BlendOp::RevSubtract && destBlend == Blend::One) {
    mode = platform::BlendMode::Subtract;
    return true;
  }
  return false;
}

}  // namespace

ZarnGraphic::ZarnGraphic() {
  m_PresentWindow.windowed = true;
  m_PresentWindow.vsync = true;  // a window waits for the vertical blank
  m_PresentFullScreen.windowed = false;
  m_PresentFullScreen.vsync = false;  // full screen presents at once
  m_PresentCurrent = m_PresentWindow;
}

ZarnGraphic::~ZarnGraphic() { ReleaseDevice(); }

bool ZarnGraphic::Init(const char* title, platform::WindowProcedure procedure, int width, int height,
                       std::uint32_t cacheLimit, bool fullScreen, bool depthStencil, bool multiSample) {
  m_ClassName = title != nullptr ? title : "";
  m_Width = width;
  m_Height = height;
  m_FreeText.SetLimit(cacheLimit);
  m_FullScreen = fullScreen;
  m_DepthStencil = depthStencil;
  m_MultiSample = multiSample;
  m_WindowRect = platform::WindowRect{0, 0, width, height};
  if (!InitApp(m_ClassName.c_str(), procedure)) {
    platform::WriteDebugLine("Failed : ZarnGraphic::Init InitApp\n");
    return false;
  }
  if (!InitD3D()) {
    platform::WriteDebugLine("Failed : ZarnGraphic::Init InitD3D\n");
    return false;
  }
  return true;
}

bool ZarnGraphic::InitApp(const char* title, platform::WindowProcedure procedure) {
  if (!platform::InitWindowSystem()) {
    platform::WriteDebugLine("Failed : ZarnGraphic::InitApp() RegisterClassEx\n");
    return false;
  }
  // Store the handle before the window's first messages can reach MsgProc.
  m_hWnd = platform::CreateMainWindow(title, m_Width, m_Height, m_FullScreen, procedure);
  if (m_hWnd == nullptr) {
    platform::WriteDebugLine("Failed : ZarnGraphic::InitApp() CreateWindow\n");
    return false;
  }
  m_WindowRect = platform::GetWindowRect(m_hWnd);
  return true;
}

bool ZarnGraphic::InitD3D() {
  m_PresentCurrent = m_FullScreen ? m_PresentFullScreen : m_PresentWindow;
  m_Device = platform::GraphicsDevice::Create(m_hWnd, m_PresentCurrent);
  if (!m_Device) {
    platform::WriteDebugLine("Failed : ZarnGraphic::InitD3D() CreateDevice\n");
    return false;
  }
  m_WhiteTexture = std::make_unique<platform::Texture>(2, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) m_WhiteTexture->Row(y)[x] = 0xFFFFFFFFu;
  }
  return true;
}

void ZarnGraphic::Clear(Color colour) {
  if (m_Device) m_Device->Clear(colour);
}

void ZarnGraphic::Present() {
  if (m_Device) m_Device->Present();
}

bool ZarnGraphic::SetFullScreen(bool on) {
  if (on == m_FullScreen) return true;
  const platform::WindowRect windowRect = platform::GetWindowRect(m_hWnd);
  // The window takes its new mode whatever becomes of the device reset below, so
  // that a reset that AppIdle has to finish later still leaves the right window.
  // Where the desktop refuses full screen the game stays windowed, and that is
  // the mode it reports (and saves).
  if (!platform::SetWindowFullScreen(m_hWnd, on) && on) {
    platform::WriteDebugLine("Failed : ZarnGraphic::SetFullScreen() SetWindowFullScreen\n");
    return false;
  }
  m_FullScreen = on;
  if (on) {
    m_PresentCurrent = m_PresentFullScreen;
    m_WindowRect = windowRect;
  } else {
    m_PresentCurrent = m_PresentWindow;
  }
  if (!on) platform::SetWindowPosition(m_hWnd, m_WindowRect.left, m_WindowRect.top);
  if (!m_Device) return false;
  const platform::DeviceStatus status = m_Device->Reset(m_PresentCurrent);
  if (status == platform::DeviceStatus::Lost) {
    m_DeviceLost = true;
    platform::WriteDebugLine("Failed : ZarnGraphic::SetFullScreen() Reset\n");
    return false;
  }
  if (status != platform::DeviceStatus::Ok) {
    platform::DestroyWindow(m_hWnd);
    platform::WriteDebugLine("Failed : ZarnGraphic::SetFullScreen() Reset\n");
    return false;
  }
  return true;
}

bool ZarnGraphic::AppIdle() {
  if (!m_Device) return false;
  if (!m_Active) return true;

  TrimFreeTextCache();

  if (m_DeviceLost) {
    switch (m_Device->TestCooperativeLevel()) {
      case platform::DeviceStatus::Lost:
        return true;  // not yet: try again on the next pass
      case platform::DeviceStatus::NotReset: {
        const platform::DeviceStatus reset = m_Device->Reset(m_PresentCurrent);
        if (reset == platform::DeviceStatus::Lost) return true;
        if (reset != platform::DeviceStatus::Ok) {
          platform::WriteDebugLine("Failed : ZarnGraphic::AppIdle Reset\n");
          return false;
        }
        break;
      }
      case platform::DeviceStatus::Ok:
        break;  // the device came back by itself
      case platform::DeviceStatus::Failed:
        return false;
    }
    m_DeviceLost = false;
  }

  switch (m_Device->TestCooperativeLevel()) {
    case platform::DeviceStatus::Ok:
      return true;
    case platform::DeviceStatus::Lost:
      m_DeviceLost = true;
      return true;
    case platform::DeviceStatus::NotReset:
    case platform::DeviceStatus::Failed:
      break;
  }
  return false;
}

void ZarnGraphic::TrimFreeTextCache() {
  m_FreeText.Trim(platform::NowMs());
}

std::intptr_t ZarnGraphic::MsgProc(platform::WindowHandle, platform::MessageId message, std::uintptr_t wParam,
                                   std::intptr_t) {
  switch (message) {
    case platform::MessageId::Destroy:
      ReleaseDevice();
      break;
    case platform::MessageId::Activate:
      m_Active = (wParam & 0xFFFFu) != 0;
      break;
    default:
      break;
  }
  return 0;
}

void ZarnGraphic::ReleaseDevice() {
  // Cached texts keep their entries without a texture.
  m_FreeText.ReleaseTextures();
  m_WhiteTexture.reset();
  m_Device.reset();
}

void ZarnGraphic::DrawSpriteEx(const platform::Texture* texture, int x, int y, Color colour, const Rect* source,
                               BlendOp op, Blend srcBlend, Blend destBlend, float scaleX, float scaleY,
                               float angle) {
  if (texture == nullptr || !m_Device) return;
  platform::BlendMode mode;
  if (!ToBlendMode(op, srcBlend, destBlend, mode)) {
    platform::WriteDebugLine("Failed : ZarnGraphic::DrawSpriteEx() BlendState\n");
    return;
  }
  platform::SourceRect rect{0, 0, texture->Width(), texture->Height()};
  float cx = 0.0f;
  float cy = 0.0f;
  if (source != nullptr) {
    rect = platform::SourceRect{source->left, source->top, source->right, source->bottom};
    cx = static_cast<float>(static_cast<double>(source->right) - source->left) * scaleX * 0.5f;
    cy = static_cast<float>(static_cast<double>(source->bottom) - source->top) * scaleY * 0.5f;
  }
  // Scaling x Translation(-c) x RotationZ x Translation(c) x Translation(x, y),
  // row vectors, in single precision.
  const float radians = angle * kDegreesToRadians;
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  platform::Affine m;
  m.m11 = scaleX * c;
  m.m12 = scaleX * s;
  m.m21 = -scaleY * s;
  m.m22 = scaleY * c;
  m.dx = -cx * c + cy * s + cx + static_cast<float>(x);
  m.dy = -cx * s - cy * c + cy + static_cast<float>(y);
  m_Device->DrawSprite(*texture, rect, m, colour, mode);
}

void ZarnGraphic::DrawFillRect(int left, int top, int right, int bottom, Color colour, float angle) {
  const Rect texel{0, 0, 1, 1};
  const auto width = static_cast<float>(static_cast<double>(right) - left);
  const auto height = static_cast<float>(static_cast<double>(bottom) - top);
  DrawSpriteEx(m_WhiteTexture.get(), left, top, colour, &texel, BlendOp::Add, Blend::SrcAlpha, Blend::InvSrcAlpha,
               width, height, angle);
}

}  // namespace nsZarn::nsGraphics
