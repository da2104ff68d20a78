#include "platform/image/image_decoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <climits>
#include <cstring>
#include <string>

namespace platform {
namespace {

std::uint32_t ReadLe32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// A 32-bit BMP stored as plain RGB (BI_RGB): its fourth byte is padding.
bool IsOpaque32BitBmp(const void* bytes, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  if (size < 34 || p[0] != 'B' || p[1] != 'M') return false;
  const std::uint32_t headerSize = ReadLe32(p + 14);
  if (headerSize < 40) return false;
  const unsigned bitCount = static_cast<unsigned>(p[28]) | static_cast<unsigned>(p[29]) << 8;
  const std::uint32_t compression = ReadLe32(p + 30);
  return bitCount == 32 && compression == 0;
}

// The type name SDL_image needs for formats it cannot recognise by their bytes.
std::string TypeHint(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string ext(fileName.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return ext == "TGA" ? ext : std::string();
}

}  // namespace

std::unique_ptr<Texture> DecodeImage(const void* bytes, std::size_t size, std::string_view fileName,
                                     std::uint32_t colourKey) {
  if (bytes == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return nullptr;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes, static_cast<int>(size));
  if (rw == nullptr) return nullptr;
  const std::string type = TypeHint(fileName);
  SDL_Surface* loaded = IMG_LoadTyped_RW(rw, 1, type.empty() ? nullptr : type.c_str());
  if (loaded == nullptr) return nullptr;
  // A colour key of the file (a PNG's single transparent colour) becomes alpha 0.
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (argb == nullptr) return nullptr;

  auto texture = std::make_unique<Texture>(argb->w, argb->h);
  if (texture->IsEmpty()) {
    SDL_FreeSurface(argb);
    return nullptr;
  }
  const bool opaque = IsOpaque32BitBmp(bytes, size);
  SDL_LockSurface(argb);
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = static_cast<const unsigned char*>(argb->pixels) + static_cast<std::size_t>(y) * argb->pitch;
    std::uint32_t* out = texture->Row(y);
    std::memcpy(out, row, static_cast<std::size_t>(argb->w) * 4u);
    for (int x = 0; x < argb->w; ++x) {
      if (opaque) out[x] |= 0xFF000000u;
      if (colourKey != 0 && out[x] == colourKey) out[x] = 0;
    }
  }
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
  return texture;
}

}  // namespace platform
