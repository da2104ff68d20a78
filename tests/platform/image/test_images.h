#pragma once
// Small image files built in memory for the decoder tests: PNG (true colour with
// alpha, a palette with transparency, or any colour type and depth from its
// samples), JPEG of many scans, of empty scans or cut short, BMP (24- and 32-bit)
// and TGA.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
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
// The PNG with these chunks (type, contents) put in front of its image data.
std::string WithChunksBeforeImageData(const std::string& png,
                                      const std::vector<std::pair<std::string, std::string>>& chunks);
// What a JPEG may hold between its scans that a reader counting scans on its own
// can take differently from the decoder, which reads on past each: a comment
// segment stating a length of 0 or 1 after the first scan, or, inside the first
// scan (of one restart interval per MCU), a reserved marker met where the first
// restart marker is due, whose next two bytes read as a length of 16 KB.
enum class JpegDetour { kNone, kSegmentOfLength0, kSegmentOfLength1, kReservedMarkerAtRestart };
// A progressive JPEG of plain grey (every coefficient 0) with the first `scans` of
// the longest progression the format allows: the DC scan, then for each of the 63
// AC coefficients of the luma a first scan at point transform 13 and 13
// refinements (883 scans in all). Its luma has a quarter of the chroma's width, so
// that each AC scan visits a ninth of the picture's blocks: 64 scans visit them 8
// times over.
std::string MakeProgressiveJpeg(int width, int height, int scans, JpegDetour detour = JpegDetour::kNone);
// JPEGs whose decoding costs far more than their bytes, each padded with a comment
// segment to `size` bytes (enough for the decoder's check that the file can hold
// the picture; none when the file is longer), of plain grey (every coefficient 0):
// - progressive, of `scans` scans over the DC coefficients of all its components
//   (1 grey, 4 CMYK) that hold no coded data, so that libjpeg decodes every block
//   again from nothing in each (the first scan, then refinements of it);
// - baseline greyscale with a restart interval of one block, whose coded data (and
//   the file) ends after `blocks` blocks with their restart markers.
enum class JpegCoding { kHuffman, kArithmetic };
std::string MakeJpegOfEmptyScans(int side, int components, JpegCoding coding, int scans, std::size_t size);
std::string MakeCutShortRestartJpeg(int side, int blocks, std::size_t size);
// A bottom-up BMP (BITMAPINFOHEADER, BI_RGB) of 24 or 32 bits per pixel. For 32 bits
// the fourth byte of each pixel is written from the alpha of argb.
std::string MakeBmp(int width, int height, int bitsPerPixel, const std::vector<std::uint32_t>& argb);
// An uncompressed 32-bit top-down TGA.
std::string MakeTga(int width, int height, const std::vector<std::uint32_t>& argb);

}  // namespace vesk_test
