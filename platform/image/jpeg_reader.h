#pragma once
// Decodes JPEG files with libjpeg into opaque ARGB pixels: greyscale, YCbCr and
// RGB as the decoder gives them; CMYK and YCCK converted to RGB, their ink values
// taken as inverted where an Adobe marker says the file came from Adobe software
// (which stores them so).

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/graphics/texture.h"

namespace platform {

// The most work the scans of a JPEG may ask for: the blocks each scan visits,
// summed over the scans, at most this many times the blocks of the picture (what
// one pass over every component, a baseline picture's single scan, visits).
// Encoders visit them at most 6 times: cjpeg and jpegtran -progressive, ImageMagick
// -interlace Plane and Pillow's progressive (optimised or not) all write libjpeg's
// script, 6 passes in 6 scans for grey, 5.33 in 10 for YCbCr 4:2:0, 4.67 in 10 for
// 4:4:4 and 6 in 18 for CMYK; Debian's installed JPEGs make at most 4.67 in 10.
// A file over the bound, such as scans that hold no data and make libjpeg decode
// every block again from nothing, is refused at the scan that goes over, before
// that scan's data is decoded. Within it the costliest scans (arithmetic-coded
// refinements of every coefficient) take about a second at the most blocks the
// working memory holds.
inline constexpr std::uint64_t kMaxJpegPassesOverThePicture = 8;

// Null when libjpeg refuses the file, the components are none of those above, the
// file has more scans than kMaxJpegScans (image_header.h) or its scans more work
// than kMaxJpegPassesOverThePicture, or decoding would take more working memory
// than kMaxDecodeWorkBytes (image_decoder.h), or the load's meter (work_meter.h)
// stops the decode.
std::unique_ptr<Texture> ReadJpeg(const unsigned char* p, std::size_t size);

}  // namespace platform
