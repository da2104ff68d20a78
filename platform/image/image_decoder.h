#pragma once
// Decodes image files held in memory (PNG, BMP, JPEG, TGA and the other formats
// SDL_image reads) into textures of straight ARGB pixels.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/graphics/texture.h"

namespace platform {

// Decodes the bytes of an image file. The file name's extension names formats
// that have no signature of their own (TGA). Every pixel equal to the colour key
// (the whole ARGB value) becomes transparent black; a key of 0 disables this.
// A 32-bit BMP without bit fields is opaque: its fourth byte is not alpha.
// Null when the bytes are not an image this decoder reads.
std::unique_ptr<Texture> DecodeImage(const void* bytes, std::size_t size, std::string_view fileName,
                                     std::uint32_t colourKey);

}  // namespace platform
