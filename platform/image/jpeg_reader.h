#pragma once
// Decodes JPEG files with libjpeg into opaque ARGB pixels: greyscale, YCbCr and
// RGB as the decoder gives them; CMYK and YCCK converted to RGB, their ink values
// taken as inverted where an Adobe marker says the file came from Adobe software
// (which stores them so).

#include <cstddef>
#include <memory>

#include "platform/graphics/texture.h"

namespace platform {

// Null when libjpeg refuses the file, the components are none of those above, the
// file has more scans than kMaxJpegScans (image_header.h), or decoding would take
// more working memory than the decoder's bound.
std::unique_ptr<Texture> ReadJpeg(const unsigned char* p, std::size_t size);

}  // namespace platform
