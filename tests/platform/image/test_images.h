#pragma once
// Small image files built in memory for the decoder tests: PNG (true colour with
// alpha, or a palette with transparency), BMP (24- and 32-bit) and TGA.

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
// A bottom-up BMP (BITMAPINFOHEADER, BI_RGB) of 24 or 32 bits per pixel. For 32 bits
// the fourth byte of each pixel is written from the alpha of argb.
std::string MakeBmp(int width, int height, int bitsPerPixel, const std::vector<std::uint32_t>& argb);
// An uncompressed 32-bit top-down TGA.
std::string MakeTga(int width, int height, const std::vector<std::uint32_t>& argb);

}  // namespace vesk_test
