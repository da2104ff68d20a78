#include "platform/graphics/sdl_presenter.h"

#include <SDL.h>

#include <cctype>
#include <cstring>
#include <optional>
#include <string>

#include "platform/graphics/frame_pacer.h"
#include "platform/graphics/frame_to_surface.h"
#include "platform/graphics/letterbox.h"
#include "platform/window/sdl_window_access.h"

namespace platform {
namespace {

class SdlPresenter;
SdlPresenter* g_Live = nullptr;

// Whether the renderer draws on graphics hardware. SDL's software renderer does
// not, and neither does a GL driver that rasterizes on the processor (Mesa's
// llvmpipe and softpipe, swrast): through those a scaled frame costs more than
// scaling it ourselves.
bool IsHardwareRenderer(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  if ((info.flags & SDL_RENDERER_SOFTWARE) != 0 || (info.flags & SDL_RENDERER_ACCELERATED) == 0) return false;
  if (std::strncmp(info.name, "opengl", 6) != 0) return true;
  // The GL renderers leave their context current.
  constexpr unsigned kGlRenderer = 0x1F01;
  using GetString = const unsigned char* (*)(unsigned);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
  if (name == nullptr) return false;
  std::string lower(reinterpret_cast<const char*>(name));
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* software : {"llvmpipe", "softpipe", "swrast", "software"}) {
    if (lower.find(software) != std::string::npos) return false;
  }
  return true;
}

// Asked once per process: making a GL renderer on a window recreates the window.
std::optional<bool> g_HardwareRenderer;

class SdlPresenter : public Presenter {
 public:
  SdlPresenter(SDL_Window* window, PresentPath path) : m_Window(window), m_Path(path) {
    m_Observer = AddSdlEventObserver([this](const SDL_Event& event) {
      // The display or driver was reset: lost until the next reset opens the
      // presentation afresh.
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
    CloseRenderer();
    if (g_Live == this) g_Live = nullptr;
  }

  bool Open(const PresentParameters& parameters) {
    CloseRenderer();
    m_Lost = false;
    m_Pacer.emplace(DisplayRefreshRate());
    if (UsesRenderer(parameters) && OpenRenderer(parameters.vsync)) return true;
    // A forced renderer has no fallback; the chosen way falls back on the surface.
    if (m_Path == PresentPath::Renderer) return false;
    return SDL_GetWindowSurface(m_Window) != nullptr;
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
    const bool rendererWanted = UsesRenderer(parameters);
    if (m_Lost || rendererWanted != (m_Renderer != nullptr)) return Open(parameters);
    m_Pacer.emplace(DisplayRefreshRate());
    // Some renderers cannot change their vsync; the frame is still shown, and paced.
    if (m_Renderer != nullptr) SDL_RenderSetVSync(m_Renderer, parameters.vsync ? 1 : 0);
    return true;
  }

  void Present(const Texture& frame) override {
    if (m_Lost) return;
    if (m_Renderer != nullptr) {
      PresentThroughRenderer(frame);
    } else if (SDL_Surface* surface = SDL_GetWindowSurface(m_Window);
               surface != nullptr && m_Surface.Copy(frame, *surface)) {
      SDL_UpdateWindowSurface(m_Window);
    }
    // Whatever the renderer claims about vsync, frames never come faster than
    // the display shows them: a renderer that really waited has already used up
    // the refresh period, and the pacer then sleeps nothing.
    m_Pacer->WaitForNextFrame();
  }

  // The window's points through the rectangle the frame is drawn into.
  bool WindowToFrame(int windowX, int windowY, int& frameX, int& frameY) const {
    int width = 0, height = 0;
    SDL_GetWindowSize(m_Window, &width, &height);
    OutputPointToFrame(width, height, windowX, windowY, frameX, frameY);
    return true;
  }

 private:
  // A renderer for a scaled frame on graphics hardware, or when one is forced.
  bool UsesRenderer(const PresentParameters& parameters) const {
    switch (m_Path) {
      case PresentPath::WindowSurface: return false;
      case PresentPath::Renderer: return true;
      case PresentPath::Chosen: break;
    }
    if (parameters.windowed) return false;
    if (!g_HardwareRenderer.has_value()) {
      SDL_Renderer* probe = SDL_CreateRenderer(m_Window, -1, SDL_RENDERER_ACCELERATED);
      g_HardwareRenderer = probe != nullptr && IsHardwareRenderer(probe);
      if (probe != nullptr) SDL_DestroyRenderer(probe);
    }
    return *g_HardwareRenderer;
  }

  bool OpenRenderer(bool vsync) {
    const Uint32 vsyncFlag = vsync ? static_cast<Uint32>(SDL_RENDERER_PRESENTVSYNC) : 0u;
    m_Renderer = SDL_CreateRenderer(m_Window, -1, SDL_RENDERER_ACCELERATED | vsyncFlag);
    if (m_Renderer == nullptr && m_Path == PresentPath::Renderer) {
      m_Renderer = SDL_CreateRenderer(m_Window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (m_Renderer == nullptr) return false;
    m_Texture = SDL_CreateTexture(m_Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, kFrameWidth,
                                  kFrameHeight);
    if (m_Texture == nullptr) {
      CloseRenderer();
      return false;
    }
    // The frame is opaque: a plain copy, never a blend.
    SDL_SetTextureBlendMode(m_Texture, SDL_BLENDMODE_NONE);
    m_ScaleMode.reset();
    return true;
  }

  void PresentThroughRenderer(const Texture& frame) {
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
  }

  int DisplayRefreshRate() const {
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(m_Window);
    return display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
  }

  // Pixel-exact at 1:1; any other scale is filtered linearly, so that equal
  // strokes stay equal (nearest-neighbour at 1.8x makes them 1 or 2 pixels).
  void UpdateScaleMode(const FrameRect& shown) {
    const bool oneToOne = shown.width == kFrameWidth && shown.height == kFrameHeight;
    const SDL_ScaleMode mode = oneToOne ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
    if (m_ScaleMode == mode) return;
    if (SDL_SetTextureScaleMode(m_Texture, mode) == 0) m_ScaleMode = mode;
  }

  void CloseRenderer() {
    if (m_Texture != nullptr) SDL_DestroyTexture(m_Texture);
    if (m_Renderer != nullptr) SDL_DestroyRenderer(m_Renderer);
    m_Texture = nullptr;
    m_Renderer = nullptr;
  }

  SDL_Window* m_Window;
  PresentPath m_Path;
  SDL_Renderer* m_Renderer = nullptr;  // null on the window-surface path
  SDL_Texture* m_Texture = nullptr;
  std::optional<SDL_ScaleMode> m_ScaleMode;
  FrameToSurface m_Surface;
  std::optional<FramePacer> m_Pacer;
  int m_Observer = 0;
  bool m_Lost = false;
  bool m_LostReported = false;
};

}  // namespace

std::unique_ptr<Presenter> CreateSdlPresenter(WindowHandle window, const PresentParameters& parameters,
                                              PresentPath path) {
  SDL_Window* sdl = SdlWindowOf(window);
  if (sdl == nullptr) return nullptr;
  auto presenter = std::make_unique<SdlPresenter>(sdl, path);
  if (!presenter->Open(parameters)) return nullptr;
  return presenter;
}

bool SdlPresenterWindowToFrame(int windowX, int windowY, int& frameX, int& frameY) {
  return g_Live != nullptr && g_Live->WindowToFrame(windowX, windowY, frameX, frameY);
}

}  // namespace platform
