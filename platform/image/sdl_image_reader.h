#pragma once
// Decodes BMP, TGA and PNM (PBM, PGM, PPM of up to 8 bits per sample) with
// SDL_image's own loaders, and copies the surface they give into straight ARGB
// pixels once its format is one this copy knows.

#include <cstddef>
#include <memory>

#include "platform/graphics/texture.h"
#include "platform/image/image_header.h"

namespace platform {

// Null when the loader refuses the file or hands back a surface of another
// format, or the load's meter (work_meter.h) stops the decode: the loader reads
// the file through a metered SDL_RWops. A 32-bit BMP without bit fields is opaque: its fourth byte is not alpha.
std::unique_ptr<Texture> ReadWithSdlImage(const ImageHeader& header, const unsigned char* p,
                                          std::size_t size);

}  // namespace platform
