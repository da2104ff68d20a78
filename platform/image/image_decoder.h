#pragma once
// Decodes image files held in memory (PNG, BMP, JPEG and TGA) into textures of
// straight ARGB pixels.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/graphics/texture.h"

namespace platform {

// The largest width and height a picture may have; larger ones are refused from
// their header, before anything is decoded.
inline constexpr std::uint32_t kMaxImageSide = 8192;

// Decodes the bytes of an image file. PNG, BMP and JPEG are recognised by their
// signatures; TGA, which has none, by the file name's extension. Every other
// format is refused. Every pixel equal to the colour key (the whole ARGB value)
// becomes transparent black; a key of 0 disables this. A 32-bit BMP without bit
// fields is opaque: its fourth byte is not alpha.
// Null when the bytes are not an image this decoder reads, or are too large.
std::unique_ptr<Texture> DecodeImage(const void* bytes, std::size_t size, std::string_view fileName,
                                     std::uint32_t colourKey);

}  // namespace platform
