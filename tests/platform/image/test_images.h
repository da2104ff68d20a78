#pragma once
// Small image files built in memory for the decoder tests: PNG (true colour with
// alpha, a palette with transparency, or any colour type and depth from its
// samples), progressive JPEG of many scans, BMP (24- and 32-bit) and TGA.

#include <cstdint>
#include <string>
#include <vector>

namespace vesk_test {

// A PNG of 8-bit RGBA pixels given as 0xAARRGGBB, row by row.
std::string MakePngRgba(int width, int height, const std::vector<std::uint32_t>& argb);
// A PNG with an 8-bit palette (0xAARRGGBB entries; the alpha goes to tRNS) and
// one palette index per pixel.
std::string MakePngPalette(int width, int height, const std::vector<std::uint32_t>& palette,
                           const std::vector<std::uint8_t>& indices);
// A PNG of any colour type and bit depth: samples are the channels' values at
// that depth, row by row; plte and trns are the chunks' contents (none when empty).
struct PngSamples {
  int width, height, colourType, bitDepth;
  std::vector<std::uint16_t> samples;
  std::string plte, trns;
  bool interlaced;  // Adam7
};
std::string MakePng(const PngSamples& png);
// The channels a PNG pixel of this colour type has.
int PngChannels(int colourType);
// A greyscale progressive JPEG of plain grey (every coefficient 0) with the first
// `scans` of the longest progression the format allows: the DC scan, then for each
// of the 63 AC coefficients a first scan at point transform 13 and 13 refinements
// (883 scans in all).
std::string MakeProgressiveJpeg(int width, int height, int scans);
// A bottom-up BMP (BITMAPINFOHEADER, BI_RGB) of 24 or 32 bits per pixel. For 32 bits
// the fourth byte of each pixel is written from the alpha of argb.
std::string MakeBmp(int width, int height, int bitsPerPixel, const std::vector<std::uint32_t>& argb);
// An uncompressed 32-bit top-down TGA.
std::string MakeTga(int width, int height, const std::vector<std::uint32_t>& argb);

}  // namespace vesk_test
