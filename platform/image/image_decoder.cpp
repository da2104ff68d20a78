#include "platform/image/image_decoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <climits>
#include <cstring>

namespace platform {
namespace {

enum class ImageFormat { kUnknown, kPng, kBmp, kJpeg, kTga };

struct ImageHeader {
  ImageFormat format = ImageFormat::kUnknown;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

std::uint32_t ReadLe16(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}
std::uint32_t ReadBe16(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) << 8 | static_cast<std::uint32_t>(p[1]);
}
std::uint32_t ReadLe32(const unsigned char* p) { return ReadLe16(p) | ReadLe16(p + 2) << 16; }
std::uint32_t ReadBe32(const unsigned char* p) { return ReadBe16(p) << 16 | ReadBe16(p + 2); }

// The magnitude of a signed 32-bit size (a BMP stored top-down has a negative height).
std::uint32_t Magnitude(std::uint32_t stored) {
  return (stored & 0x80000000u) != 0 ? 0u - stored : stored;
}

bool HasTgaExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || fileName.size() - dot != 4) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    const char c = fileName[dot + 1 + i];
    const char upper = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (upper != "TGA"[i]) return false;
  }
  return true;
}

std::uint32_t Crc32(const unsigned char* p, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= p[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// Every chunk of a PNG lies inside the file with a correct checksum, up to IEND.
// The PNG decoder treats a damaged optional chunk as a warning and can spend
// seconds on a file of such chunks; a damaged file is refused instead.
bool PngChunksAreWhole(const unsigned char* p, std::size_t size) {
  std::size_t pos = 8;
  while (pos + 12 <= size) {
    const std::uint32_t length = ReadBe32(p + pos);
    if (length > size - pos - 12) return false;
    if (Crc32(p + pos + 4, length + 4u) != ReadBe32(p + pos + 8 + length)) return false;
    if (std::memcmp(p + pos + 4, "IEND", 4) == 0) return true;
    pos += 12u + length;
  }
  return false;
}

// The size in a JPEG's first frame header; the scan data must not come before it.
bool ReadJpegSize(const unsigned char* p, std::size_t size, ImageHeader& header) {
  std::size_t pos = 2;
  for (;;) {
    if (pos >= size || p[pos] != 0xFF) return false;
    while (pos < size && p[pos] == 0xFF) ++pos;  // the marker's 0xFF and any fill bytes
    if (pos >= size) return false;
    const unsigned marker = p[pos++];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
    if (marker == 0xD9 || marker == 0xDA || pos + 2 > size) return false;
    const std::uint32_t length = ReadBe16(p + pos);
    if (length < 2) return false;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC;
    if (frame) {
      if (length < 7 || pos + 7 > size) return false;
      header.height = ReadBe16(p + pos + 3);
      header.width = ReadBe16(p + pos + 5);
      return true;
    }
    pos += length;
  }
}

// The format and size a file's header states; the format stays unknown when the
// header is not one of the four this decoder reads.
ImageHeader ReadHeader(const unsigned char* p, std::size_t size, std::string_view fileName) {
  ImageHeader header;
  static constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (size >= 24 && std::memcmp(p, kPngSignature, 8) == 0 && std::memcmp(p + 12, "IHDR", 4) == 0) {
    header = {ImageFormat::kPng, ReadBe32(p + 16), ReadBe32(p + 20)};
  } else if (size >= 26 && p[0] == 'B' && p[1] == 'M') {
    if (ReadLe32(p + 14) == 12) {
      header = {ImageFormat::kBmp, ReadLe16(p + 18), ReadLe16(p + 20)};
    } else {
      header = {ImageFormat::kBmp, Magnitude(ReadLe32(p + 18)), Magnitude(ReadLe32(p + 22))};
    }
  } else if (size >= 4 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) {
    if (ReadJpegSize(p, size, header)) header.format = ImageFormat::kJpeg;
  } else if (size >= 18 && HasTgaExtension(fileName)) {
    header = {ImageFormat::kTga, ReadLe16(p + 12), ReadLe16(p + 14)};
  }
  return header;
}

bool WithinLimit(std::uint32_t width, std::uint32_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide;
}

// Whether a file of this size can hold the picture its header states. Stored
// pixels must all be there; compressed ones cannot shrink below what the best
// compression of each format gives (deflate's 1032:1 of one-bit rows; the same
// bound for run-length and JPEG data). A tiny file that states a huge picture is
// refused before a decoder allocates or walks the picture.
bool FileCanHold(const ImageHeader& header, const unsigned char* p, std::size_t size) {
  const std::uint64_t pixels = std::uint64_t{header.width} * header.height;
  constexpr std::uint64_t kMostPixelsPerByte = 1032u * 8u;
  std::uint64_t storedBits = 0;  // the bits per pixel of uncompressed data, else 0
  std::uint64_t headerBytes = 0;
  if (header.format == ImageFormat::kTga) {
    const unsigned type = p[2];
    if (type == 1 || type == 2 || type == 3) {
      storedBits = (p[16] + 7u) / 8u * 8u;
      headerBytes = 18u + p[0] + (p[1] != 0 ? ReadLe16(p + 5) * ((p[7] + 7u) / 8u) : 0u);
    }
  } else if (header.format == ImageFormat::kBmp) {
    const bool os2 = ReadLe32(p + 14) == 12;
    const std::uint32_t compression = os2 || size < 34 ? 0 : ReadLe32(p + 30);
    if (compression == 0 || compression == 3) {
      const std::uint64_t bits = os2 ? ReadLe16(p + 24) : size >= 30 ? ReadLe16(p + 28) : 0;
      const std::uint64_t rowBytes = (header.width * bits + 31u) / 32u * 4u;
      return rowBytes * header.height <= size;
    }
  }
  if (storedBits != 0) return headerBytes + (pixels * storedBits + 7u) / 8u <= size;
  return pixels <= size * kMostPixelsPerByte;
}

SDL_Surface* LoadWithItsOwnLoader(ImageFormat format, SDL_RWops* rw) {
  switch (format) {
    case ImageFormat::kPng: return IMG_LoadPNG_RW(rw);
    case ImageFormat::kBmp: return IMG_LoadBMP_RW(rw);
    case ImageFormat::kJpeg: return IMG_LoadJPG_RW(rw);
    case ImageFormat::kTga: return IMG_LoadTGA_RW(rw);
    case ImageFormat::kUnknown: break;
  }
  return nullptr;
}

// A 32-bit BMP stored as plain RGB (BI_RGB): its fourth byte is padding.
bool IsOpaque32BitBmp(const unsigned char* p, std::size_t size) {
  if (size < 34 || p[0] != 'B' || p[1] != 'M') return false;
  if (ReadLe32(p + 14) < 40) return false;
  return ReadLe16(p + 28) == 32 && ReadLe32(p + 30) == 0;
}

// Converts the decoded picture straight into the texture's pixels. The file's
// own colour key (a PNG's single transparent colour) is not copied, so those
// pixels stay transparent black.
bool CopyInto(SDL_Surface* decoded, Texture& texture) {
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

std::unique_ptr<Texture> DecodeImage(const void* bytes, std::size_t size, std::string_view fileName,
                                     std::uint32_t colourKey) {
  if (bytes == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX)) return nullptr;
  const auto* p = static_cast<const unsigned char*>(bytes);
  const ImageHeader header = ReadHeader(p, size, fileName);
  if (header.format == ImageFormat::kUnknown || !WithinLimit(header.width, header.height) ||
      !FileCanHold(header, p, size) ||
      (header.format == ImageFormat::kPng && !PngChunksAreWhole(p, size))) {
    return nullptr;
  }
  SDL_RWops* rw = SDL_RWFromConstMem(bytes, static_cast<int>(size));
  if (rw == nullptr) return nullptr;
  SDL_Surface* decoded = LoadWithItsOwnLoader(header.format, rw);
  SDL_RWclose(rw);
  if (decoded == nullptr) return nullptr;
  // The decoder may read a size other than the header's: the limit holds for both.
  if (!WithinLimit(static_cast<std::uint32_t>(decoded->w), static_cast<std::uint32_t>(decoded->h))) {
    SDL_FreeSurface(decoded);
    return nullptr;
  }
  auto texture = std::make_unique<Texture>(decoded->w, decoded->h);
  const bool copied = !texture->IsEmpty() && CopyInto(decoded, *texture);
  SDL_FreeSurface(decoded);
  if (!copied) return nullptr;

  const bool opaque = IsOpaque32BitBmp(p, size);
  if (opaque || colourKey != 0) {
    std::uint32_t* pixel = texture->Pixels();
    std::uint32_t* const end = pixel + static_cast<std::size_t>(texture->Width()) * texture->Height();
    for (; pixel != end; ++pixel) {
      if (opaque) *pixel |= 0xFF000000u;
      if (colourKey != 0 && *pixel == colourKey) *pixel = 0;
    }
  }
  return texture;
}

}  // namespace platform
