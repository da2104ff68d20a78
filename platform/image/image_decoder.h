#pragma once
// Decodes image files held in memory (PNG, JPEG, BMP, TGA and PNM) into textures
// of straight ARGB pixels.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/graphics/texture.h"

namespace platform {

// The largest width and height a picture may have; larger ones are refused from
// their header, before anything is decoded.
inline constexpr std::uint32_t kMaxImageSide = 8192;

// The working memory a decoder may take beside the texture it fills: the decode's
// peak stays under the picture's own decoded size plus this. A progressive JPEG
// holds all its coefficients while it is read (128 bytes a block of 8 x 8 samples
// of each component), so one too large for this bound is refused before any of
// it is taken.
inline constexpr std::uint64_t kMaxDecodeWorkBytes = std::uint64_t{64} << 20;

// The most memory one decode takes, in MiB: the texture of the largest picture and
// the working memory. tools/run-fuzzers.sh reads this line for its memory limit.
inline constexpr std::uint64_t kMaxDecodeMebibytes = 320;
inline constexpr std::uint64_t kMaxTextureBytes = std::uint64_t{kMaxImageSide} * kMaxImageSide * 4u;
static_assert(kMaxDecodeMebibytes << 20 == kMaxTextureBytes + kMaxDecodeWorkBytes);

// What a picture's decode may take of its thread's CPU: a load's second, and more
// for the largest pictures in proportion to their pixels, 2.5 s at 8192 x 8192. At
// that size a PNG of a grainy photograph takes about 2 s here, most of it
// inflating; a JPEG of the costliest coding (arithmetic, of noise) about 12 s.
inline constexpr std::uint64_t kPictureCpuNsPerPixel = 22;
std::uint64_t PictureLoadBudgetNs(std::uint32_t width, std::uint32_t height);

// Why DecodeImage gave no picture.
enum class DecodeFailure {
  kNone,        // it gave one
  kUnreadable,  // the bytes are not an image this decoder reads, are damaged, or too large
  kTooSlow,     // the decode took more of the thread's CPU than a load may (work_meter.h)
  kQuit,        // a quit was asked for during the decode (load_quit.h): the file is not at fault
};

// Decodes the bytes of an image file. PNG, JPEG, BMP and PNM are recognised by their
// signatures; TGA, which has none, by the file name's extension. Every other
// format is refused. Every pixel equal to the colour key (the whole ARGB value)
// becomes transparent black; a key of 0 disables this.
// The decode is one load (work_meter.h) of PictureLoadBudgetNs: its readers ask the
// load's meter as they work and stop when it says so. Null on failure, its reason in `failure` when given.
std::unique_ptr<Texture> DecodeImage(const void* bytes, std::size_t size, std::string_view fileName,
                                     std::uint32_t colourKey, DecodeFailure* failure = nullptr);

}  // namespace platform
