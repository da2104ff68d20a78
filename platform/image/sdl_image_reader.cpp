#include "platform/image/sdl_image_reader.h"

#include <SDL.h>
#include <SDL_image.h>

#include <climits>
#include <vector>

#include "platform/image/image_decoder.h"
#include "platform/image/metered_memory_rwops.h"
#include "platform/work/work_meter.h"

namespace platform {
namespace {

SDL_Surface* LoadWithItsOwnLoader(ImageFormat format, SDL_RWops* rw) {
  switch (format) {
    case ImageFormat::kBmp: return IMG_LoadBMP_RW(rw);
    case ImageFormat::kTga: return IMG_LoadTGA_RW(rw);
    case ImageFormat::kPnm: return IMG_LoadPNM_RW(rw);
    default: return nullptr;
  }
}

// Whether the converting copy below reads this surface right: palette pixels (a
// colour key naming the palette's transparent entry) or packed pixels of up to
// four bytes without a key.
bool IsCopyableFormat(SDL_Surface* surface) {
  const SDL_PixelFormat* format = surface->format;
  if (SDL_ISPIXELFORMAT_INDEXED(format->format)) return format->palette != nullptr;
  return !SDL_ISPIXELFORMAT_FOURCC(format->format) && format->BytesPerPixel >= 1 &&
         format->BytesPerPixel <= 4 && !SDL_HasColorKey(surface);
}

// Copies the pixels unblended. A keyed palette entry becomes transparent and keeps
// its colour.
bool CopyInto(SDL_Surface* decoded, Texture& texture) {
  Uint32 key = 0;
  if (SDL_GetColorKey(decoded, &key) == 0) {
    SDL_Palette* palette = decoded->format->palette;
    if (key < static_cast<Uint32>(palette->ncolors)) palette->colors[key].a = 0;
    SDL_SetColorKey(decoded, SDL_FALSE, 0);
  }
  SDL_Surface* target = SDL_CreateRGBSurfaceWithFormatFrom(
      texture.Pixels(), texture.Width(), texture.Height(), 32, static_cast<int>(texture.PitchBytes()),
      SDL_PIXELFORMAT_ARGB8888);
  if (target == nullptr) return false;
  SDL_SetSurfaceBlendMode(decoded, SDL_BLENDMODE_NONE);
  const bool ok = SDL_BlitSurface(decoded, nullptr, target, nullptr) == 0;
  SDL_FreeSurface(target);
  return ok;
}

}  // namespace

std::unique_ptr<Texture> ReadWithSdlImage(const ImageHeader& header, const unsigned char* p,
                                          std::size_t size) {
  // A PNM file reaches the decoder with its header spelt plainly, so that the decoder
  // reads the size that was checked.
  std::vector<unsigned char> plainPnm;
  if (header.format == ImageFormat::kPnm) {
    plainPnm = WithPlainPnmHeader(p, size);
    if (plainPnm.empty() || plainPnm.size() > static_cast<std::size_t>(INT_MAX)) return nullptr;
    p = plainPnm.data();
    size = plainPnm.size();
  }
  SDL_RWops* rw = OpenMeteredMemory(p, size);
  if (rw == nullptr) return nullptr;
  SDL_Surface* decoded = LoadWithItsOwnLoader(header.format, rw);
  SDL_RWclose(rw);
  if (decoded == nullptr) return nullptr;
  std::unique_ptr<Texture> texture;
  // The loader may read a size other than the header's: the limit holds for both.
  // The copy is a step of the load too: once the meter has stopped it, none is made.
  if (decoded->w > 0 && decoded->h > 0 && decoded->w <= static_cast<int>(kMaxImageSide) &&
      decoded->h <= static_cast<int>(kMaxImageSide) && IsCopyableFormat(decoded) &&
      CheckLoadWork() == WorkVerdict::kGoOn) {
    texture = std::make_unique<Texture>(decoded->w, decoded->h);
    if (texture->IsEmpty() || !CopyInto(decoded, *texture)) texture.reset();
  }
  SDL_FreeSurface(decoded);
  if (texture != nullptr && header.fourthByteIsPadding) {
    std::uint32_t* pixel = texture->Pixels();
    std::uint32_t* const end = pixel + static_cast<std::size_t>(texture->Width()) * texture->Height();
    for (; pixel != end; ++pixel) *pixel |= 0xFF000000u;
  }
  return texture;
}

}  // namespace platform
