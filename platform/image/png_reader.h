#pragma once
// Decodes PNG files with libpng into straight ARGB pixels, as the PNG standard
// defines them for every colour type, bit depth, palette and tRNS: samples of
// fewer than 8 bits scaled up by bit replication, 16-bit samples scaled to 8 bits
// with rounding, the tRNS colour (compared at the file's own depth) transparent.
// A transparent pixel keeps the colour the file gives it.

#include <cstddef>
#include <memory>

#include "platform/graphics/texture.h"

namespace platform {

// Null when libpng refuses the file or the picture is larger than kMaxImageSide.
std::unique_ptr<Texture> ReadPng(const unsigned char* p, std::size_t size);

}  // namespace platform
