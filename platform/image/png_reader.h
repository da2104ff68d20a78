#pragma once
// Decodes PNG files with libpng into straight ARGB pixels, as the PNG standard
// defines them for every colour type, bit depth, palette and tRNS: samples of
// fewer than 8 bits scaled up by bit replication, 16-bit samples scaled to 8 bits
// with rounding, the tRNS colour (compared at the file's own depth) transparent.
// A transparent pixel keeps the colour the file gives it.
//
// Only the chunks that make the picture are read (IHDR, PLTE, tRNS, IDAT, IEND):
// every other chunk, text and profiles among them, is skipped unread and nothing
// of it is kept, and libpng's own memory for a decode is bounded.

#include <cstddef>
#include <memory>

#include "platform/graphics/texture.h"

namespace platform {

// The most memory libpng may take for one decode, besides the texture: its
// structures, two rows, the inflate state and a read buffer need well under a
// megabyte for the widest picture. A decode that asks for more is refused.
inline constexpr std::size_t kMaxPngLibraryBytes = std::size_t{4} << 20;

// What libpng held while it read one file.
struct PngReadRecord {
  // Chunks other than the picture's own left in libpng's information: text,
  // unknown chunks and every other ancillary kind.
  std::size_t ancillaryChunksKept = 0;
  // The most memory libpng had taken at once.
  std::size_t peakLibraryBytes = 0;
};

// Null when libpng refuses the file, the picture is larger than kMaxImageSide, or
// the load's meter (work_meter.h) stops the decode.
// The record, when given, is filled however the read ends.
std::unique_ptr<Texture> ReadPng(const unsigned char* p, std::size_t size, PngReadRecord* record = nullptr);

}  // namespace platform
