#include "platform/graphics/graphics_device.h"

#include <atomic>
#include <utility>

#include "platform/graphics/sdl_presenter.h"

namespace platform {
namespace {
std::atomic<PresenterSource*> g_Source{nullptr};
}  // namespace

void SetPresenterSourceForTest(PresenterSource* source) { g_Source = source; }

std::unique_ptr<GraphicsDevice> GraphicsDevice::Create(WindowHandle window, const PresentParameters& parameters) {
  if (!IsWindowAlive(window)) return nullptr;
  PresenterSource* source = g_Source.load();
  std::unique_ptr<Presenter> presenter =
      source != nullptr ? source->CreatePresenter(window, parameters) : CreateSdlPresenter(window, parameters);
  if (!presenter) return nullptr;
  auto device = std::make_unique<GraphicsDevice>(std::move(presenter), parameters);
  // While a message box holds the game's loop, the window shows its last frame again
  // whenever the desktop asks.
  GraphicsDevice* shown = device.get();
  SetWindowRepaint(window, shown, [shown] { shown->Present(); });
  device->m_Window = window;
  return device;
}

GraphicsDevice::GraphicsDevice(std::unique_ptr<Presenter> presenter, const PresentParameters& parameters)
    : m_Presenter(std::move(presenter)), m_Parameters(parameters), m_Frame(kFrameWidth, kFrameHeight) {
  ClearFrame(m_Frame, 0);
}

GraphicsDevice::~GraphicsDevice() { RemoveWindowRepaint(m_Window, this); }

DeviceStatus GraphicsDevice::TestCooperativeLevel() { return m_Presenter->Status(); }

DeviceStatus GraphicsDevice::Reset(const PresentParameters& parameters) {
  if (m_Presenter->Status() == DeviceStatus::Lost) return DeviceStatus::Lost;
  if (!m_Presenter->Reset(parameters)) return DeviceStatus::Failed;
  m_Parameters = parameters;
  // A reset can leave the device lost again (the display went away once more).
  return m_Presenter->Status() == DeviceStatus::Ok ? DeviceStatus::Ok : DeviceStatus::Lost;
}

void GraphicsDevice::Clear(std::uint32_t colour) { ClearFrame(m_Frame, colour); }

void GraphicsDevice::DrawSprite(const Texture& texture, const SourceRect& source, const Affine& transform,
                                std::uint32_t colour, BlendMode mode) {
  platform::DrawSprite(m_Frame, texture, source, transform, colour, mode);
}

void GraphicsDevice::Present() {
  if (m_Presenter->Status() != DeviceStatus::Ok) return;
  m_Presenter->Present(m_Frame);
}

void MapWindowPointToFrame(int windowX, int windowY, int& frameX, int& frameY) {
  if (!SdlPresenterWindowToFrame(windowX, windowY, frameX, frameY)) {
    frameX = windowX;
    frameY = windowY;
  }
}

}  // namespace platform
