#include "platform/graphics/frame_to_surface.h"

#include <cstring>

#include "platform/graphics/bilinear_sampler.h"
#include "platform/graphics/letterbox.h"

namespace platform {
namespace {

// The frame's 0xAARRGGBB words are the surface's pixels as they stand (X ignores
// the padding byte of XRGB; the frame's alpha is always opaque).
bool TakesFrameWords(const SDL_Surface& surface) {
  return surface.format->format == SDL_PIXELFORMAT_RGB888 || surface.format->format == SDL_PIXELFORMAT_ARGB8888;
}

void PutRow(const std::uint32_t* row, int width, SDL_Surface& surface, int x, int y) {
  auto* target = static_cast<std::uint8_t*>(surface.pixels) + static_cast<std::ptrdiff_t>(y) * surface.pitch +
                 static_cast<std::ptrdiff_t>(x) * surface.format->BytesPerPixel;
  if (TakesFrameWords(surface)) {
    std::memcpy(target, row, static_cast<std::size_t>(width) * 4u);
  } else {
    SDL_ConvertPixels(width, 1, SDL_PIXELFORMAT_ARGB8888, row, width * 4, surface.format->format, target,
                      surface.pitch);
  }
}

void FillBlack(SDL_Surface& surface, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return;
  const SDL_Rect bar{x, y, width, height};
  SDL_FillRect(&surface, &bar, SDL_MapRGB(surface.format, 0, 0, 0));
}

}  // namespace

bool FrameToSurface::Copy(const Texture& frame, SDL_Surface& surface) {
  if (frame.IsEmpty() || surface.w <= 0 || surface.h <= 0) return false;
  const FrameRect shown = LetterboxFrame(surface.w, surface.h);
  // The bars around a scaled frame.
  FillBlack(surface, 0, 0, surface.w, shown.y);
  FillBlack(surface, 0, shown.y + shown.height, surface.w, surface.h - shown.y - shown.height);
  FillBlack(surface, 0, shown.y, shown.x, shown.height);
  FillBlack(surface, shown.x + shown.width, shown.y, surface.w - shown.x - shown.width, shown.height);
  if (SDL_MUSTLOCK(&surface) && SDL_LockSurface(&surface) != 0) return false;
  if (shown.width == frame.Width() && shown.height == frame.Height()) {
    for (int y = 0; y < shown.height; ++y) PutRow(frame.Row(y), shown.width, surface, shown.x, shown.y + y);
  } else {
    // Output pixel centres mapped back into the frame, in the sampler's 16.16
    // texel positions (texel centres on whole numbers).
    const BilinearSampler sampler(frame, SourceRect{0, 0, frame.Width(), frame.Height()});
    const std::int64_t du = (static_cast<std::int64_t>(frame.Width()) << 16) / shown.width;
    const std::int64_t dv = (static_cast<std::int64_t>(frame.Height()) << 16) / shown.height;
    m_Row.resize(static_cast<std::size_t>(shown.width));
    for (int y = 0; y < shown.height; ++y) {
      const std::int64_t v = dv / 2 + dv * y - 32768;
      sampler.SampleRun(du / 2 - 32768, v, du, 0, shown.width, m_Row.data());
      PutRow(m_Row.data(), shown.width, surface, shown.x, shown.y + y);
    }
  }
  if (SDL_MUSTLOCK(&surface)) SDL_UnlockSurface(&surface);
  return true;
}

}  // namespace platform
