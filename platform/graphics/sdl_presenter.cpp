#include "platform/graphics/sdl_presenter.h"

#include <SDL.h>

#include <cmath>

#include "platform/window/sdl_window_access.h"

namespace platform {
namespace {

class SdlPresenter;
SdlPresenter* g_Live = nullptr;

class SdlPresenter : public Presenter {
 public:
  explicit SdlPresenter(SDL_Window* window) : m_Window(window) {
    m_Observer = AddSdlEventObserver([this](const SDL_Event& event) {
      // The renderer's device went away (a display or driver reset): lost until
      // the next reset makes a new renderer.
      if (event.type == SDL_RENDER_DEVICE_RESET) {
        m_Lost = true;
        m_LostReported = false;
      }
    });
    g_Live = this;
  }
  SdlPresenter(const SdlPresenter&) = delete;
  SdlPresenter& operator=(const SdlPresenter&) = delete;

  ~SdlPresenter() override {
    RemoveSdlEventObserver(m_Observer);
    Close();
    if (g_Live == this) g_Live = nullptr;
  }

  bool Open(const PresentParameters& parameters) {
    Close();
    const Uint32 vsync = parameters.vsync ? static_cast<Uint32>(SDL_RENDERER_PRESENTVSYNC) : 0u;
    m_Renderer = SDL_CreateRenderer(m_Window, -1, SDL_RENDERER_ACCELERATED | vsync);
    if (m_Renderer == nullptr) m_Renderer = SDL_CreateRenderer(m_Window, -1, SDL_RENDERER_SOFTWARE);
    if (m_Renderer == nullptr) return false;
    SDL_RenderSetLogicalSize(m_Renderer, kFrameWidth, kFrameHeight);
    m_Texture = SDL_CreateTexture(m_Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, kFrameWidth,
                                  kFrameHeight);
    if (m_Texture == nullptr) {
      Close();
      return false;
    }
    // The frame is opaque: a plain copy, never a blend.
    SDL_SetTextureBlendMode(m_Texture, SDL_BLENDMODE_NONE);
    m_Lost = false;
    return true;
  }

  DeviceStatus Status() override {
    if (!m_Lost) return DeviceStatus::Ok;
    // Report the loss once before allowing the reset, as a lost device does.
    if (!m_LostReported) {
      m_LostReported = true;
      return DeviceStatus::Lost;
    }
    return DeviceStatus::NotReset;
  }

  bool Reset(const PresentParameters& parameters) override {
    if (m_Lost || m_Renderer == nullptr) return Open(parameters);
    // Some renderers cannot change their vsync; the frame is still shown.
    SDL_RenderSetVSync(m_Renderer, parameters.vsync ? 1 : 0);
    return true;
  }

  void Present(const Texture& frame) override {
    if (m_Renderer == nullptr || m_Lost) return;
    SDL_UpdateTexture(m_Texture, nullptr, frame.Pixels(), static_cast<int>(frame.PitchBytes()));
    SDL_SetRenderDrawColor(m_Renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_Renderer);
    SDL_RenderCopy(m_Renderer, m_Texture, nullptr, nullptr);
    SDL_RenderPresent(m_Renderer);
  }

  bool WindowToFrame(int windowX, int windowY, int& frameX, int& frameY) const {
    if (m_Renderer == nullptr) return false;
    float x = 0.0f, y = 0.0f;
    SDL_RenderWindowToLogical(m_Renderer, windowX, windowY, &x, &y);
    frameX = static_cast<int>(std::floor(x));
    frameY = static_cast<int>(std::floor(y));
    return true;
  }

 private:
  void Close() {
    if (m_Texture != nullptr) SDL_DestroyTexture(m_Texture);
    if (m_Renderer != nullptr) SDL_DestroyRenderer(m_Renderer);
    m_Texture = nullptr;
    m_Renderer = nullptr;
  }

  SDL_Window* m_Window;
  SDL_Renderer* m_Renderer = nullptr;
  SDL_Texture* m_Texture = nullptr;
  int m_Observer = 0;
  bool m_Lost = false;
  bool m_LostReported = false;
};

}  // namespace

std::unique_ptr<Presenter> CreateSdlPresenter(WindowHandle window, const PresentParameters& parameters) {
  SDL_Window* sdl = SdlWindowOf(window);
  if (sdl == nullptr) return nullptr;
  auto presenter = std::make_unique<SdlPresenter>(sdl);
  if (!presenter->Open(parameters)) return nullptr;
  return presenter;
}

bool SdlPresenterWindowToFrame(int windowX, int windowY, int& frameX, int& frameY) {
  return g_Live != nullptr && g_Live->WindowToFrame(windowX, windowY, frameX, frameY);
}

}  // namespace platform
