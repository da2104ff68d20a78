#include "tests/platform/support/graphics_test_back_end.h"

#include <SDL.h>
#include <SDL_image.h>

namespace vesk_test {
namespace {

using platform::DeviceStatus;
using platform::PresentParameters;

GraphicsTestBackEnd* g_Installed = nullptr;

// Presents into the installed back end.
class TestPresenter final : public platform::Presenter {
 public:
  DeviceStatus Status() override {
    GraphicsTestBackEnd* back = GraphicsTestBackEnd::Installed();
    return back != nullptr ? back->OnStatus() : DeviceStatus::Ok;
  }
  bool Reset(const PresentParameters& parameters) override {
    GraphicsTestBackEnd* back = GraphicsTestBackEnd::Installed();
    return back == nullptr || back->OnReset(parameters);
  }
  void Present(const platform::Texture& frame) override {
    if (GraphicsTestBackEnd* back = GraphicsTestBackEnd::Installed()) back->OnPresent(frame);
  }
};

}  // namespace

GraphicsTestBackEnd::GraphicsTestBackEnd() {
  g_Installed = this;
  platform::SetPresenterSourceForTest(this);
}

GraphicsTestBackEnd::~GraphicsTestBackEnd() {
  if (g_Installed != this) return;
  g_Installed = nullptr;
  platform::SetPresenterSourceForTest(nullptr);
}

GraphicsTestBackEnd* GraphicsTestBackEnd::Installed() { return g_Installed; }

std::unique_ptr<platform::Presenter> GraphicsTestBackEnd::CreatePresenter(platform::WindowHandle,
                                                                          const PresentParameters& parameters) {
  if (m_FailCreation) return nullptr;
  ++m_DevicesCreated;
  m_Parameters = parameters;
  m_Status = DeviceStatus::Ok;
  return std::make_unique<TestPresenter>();
}

std::uint32_t GraphicsTestBackEnd::Pixel(int x, int y) const {
  if (m_LastFrame.empty() || x < 0 || y < 0 || x >= platform::kFrameWidth || y >= platform::kFrameHeight) return 0;
  return m_LastFrame[static_cast<std::size_t>(y) * platform::kFrameWidth + static_cast<std::size_t>(x)];
}

bool GraphicsTestBackEnd::SaveLastFrameAsPng(const std::string& file) const {
  if (m_LastFrame.empty()) return false;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(m_LastFrame.data()),
                                                            platform::kFrameWidth, platform::kFrameHeight, 32,
                                                            platform::kFrameWidth * 4, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return false;
  // The frame has no alpha of its own: show it opaque.
  SDL_Surface* opaque = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(surface);
  if (opaque == nullptr) return false;
  const bool saved = IMG_SavePNG(opaque, file.c_str()) == 0;
  SDL_FreeSurface(opaque);
  return saved;
}

bool GraphicsTestBackEnd::OnReset(const PresentParameters& parameters) {
  ++m_ResetCount;
  if (m_ResetOutcome == DeviceStatus::Failed) return false;
  m_Parameters = parameters;
  m_Status = m_ResetOutcome == DeviceStatus::Ok ? DeviceStatus::Ok : DeviceStatus::Lost;
  return true;
}

void GraphicsTestBackEnd::OnPresent(const platform::Texture& frame) {
  ++m_PresentCount;
  m_LastFrame.assign(frame.Pixels(), frame.Pixels() + static_cast<std::size_t>(frame.Width()) * frame.Height());
}

}  // namespace vesk_test
