#include "platform/graphics/sdl_presenter.h"

#include <SDL.h>

#include <optional>

#include "platform/graphics/frame_pacer.h"
#include "platform/graphics/letterbox.h"
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
    m_Texture = SDL_CreateTexture(m_Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, kFrameWidth,
                                  kFrameHeight);
    if (m_Texture == nullptr) {
      Close();
      return false;
    }
    // The frame is opaque: a plain copy, never a blend.
    SDL_SetTextureBlendMode(m_Texture, SDL_BLENDMODE_NONE);
    m_ScaleMode.reset();
    m_Lost = false;
    ApplyVSync(parameters.vsync);
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
    ApplyVSync(parameters.vsync);
    return true;
  }

  void Present(const Texture& frame) override {
    if (m_Renderer == nullptr || m_Lost) return;
    SDL_UpdateTexture(m_Texture, nullptr, frame.Pixels(), static_cast<int>(frame.PitchBytes()));
    int width = 0, height = 0;
    if (SDL_GetRendererOutputSize(m_Renderer, &width, &height) != 0) return;
    const FrameRect shown = LetterboxFrame(width, height);
    UpdateScaleMode(shown);
    const SDL_Rect target{shown.x, shown.y, shown.width, shown.height};
    SDL_SetRenderDrawColor(m_Renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_Renderer);
    SDL_RenderCopy(m_Renderer, m_Texture, nullptr, &target);
    SDL_RenderPresent(m_Renderer);
    if (m_Pacer) m_Pacer->WaitForNextFrame();
  }

  // The window's points through the rectangle the frame is drawn into.
  bool WindowToFrame(int windowX, int windowY, int& frameX, int& frameY) const {
    if (m_Renderer == nullptr) return false;
    int width = 0, height = 0;
    SDL_GetWindowSize(m_Window, &width, &height);
    OutputPointToFrame(width, height, windowX, windowY, frameX, frameY);
    return true;
  }

 private:
  // Where presenting does not wait for the vertical blank (not asked for, or a
  // renderer that cannot), the pacer waits out the rest of the display's refresh.
  void ApplyVSync(bool wanted) {
    SDL_RendererInfo info{};
    const bool waits = wanted && SDL_GetRendererInfo(m_Renderer, &info) == 0 &&
                       (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    if (waits) {
      m_Pacer.reset();
      return;
    }
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(m_Window);
    const int refresh = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
    m_Pacer.emplace(refresh);
  }

  // Pixel-exact at 1:1; any other scale is filtered linearly, so that equal
  // strokes stay equal (nearest-neighbour at 1.8x makes them 1 or 2 pixels).
  void UpdateScaleMode(const FrameRect& shown) {
    const bool oneToOne = shown.width == kFrameWidth && shown.height == kFrameHeight;
    const SDL_ScaleMode mode = oneToOne ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
    if (m_ScaleMode == mode) return;
    if (SDL_SetTextureScaleMode(m_Texture, mode) == 0) m_ScaleMode = mode;
  }

  void Close() {
    if (m_Texture != nullptr) SDL_DestroyTexture(m_Texture);
    if (m_Renderer != nullptr) SDL_DestroyRenderer(m_Renderer);
    m_Texture = nullptr;
    m_Renderer = nullptr;
  }

  SDL_Window* m_Window;
  SDL_Renderer* m_Renderer = nullptr;
  SDL_Texture* m_Texture = nullptr;
  std::optional<SDL_ScaleMode> m_ScaleMode;
  std::optional<FramePacer> m_Pacer;  // present only where nothing else paces
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
