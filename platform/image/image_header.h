#pragma once
// What an image file's header states, read before anything is decoded: the
// format (by signature, TGA by the file name's extension), the picture's size,
// and whether the file's structure is sound enough to hand to a decoder.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace platform {

enum class ImageFormat { kUnknown, kPng, kBmp, kJpeg, kTga, kPnm };

struct ImageHeader {
  ImageFormat format = ImageFormat::kUnknown;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  // The bytes the file needs when its pixels are stored as they are (header
  // included); 0 for compressed pixels.
  std::uint64_t storedBytes = 0;
  // A 32-bit BMP stored as plain RGB (BI_RGB): the fourth byte of a pixel is
  // padding, not alpha.
  bool fourthByteIsPadding = false;
};

// The most scans a JPEG may have. Each scan of a progressive picture walks every
// block of its components again, so a legal file of hundreds of scans keeps the
// decoder busy for many seconds; real encoders write about ten. The decoder counts
// the scans itself as it meets them and stops at the first one over this bound.
inline constexpr std::uint32_t kMaxJpegScans = 64;

// The format and size the header states; the format stays unknown when the header
// is not one of those read here.
ImageHeader ReadImageHeader(const unsigned char* p, std::size_t size, std::string_view fileName);

// Whether a file of this size can hold the picture its header states, so that a
// tiny file stating a huge picture is refused before a decoder allocates or walks it.
bool FileCanHoldPicture(const ImageHeader& header, std::size_t size);

// Whether the file is whole where its decoder would spend long on damage: every
// PNG chunk inside the file with a correct checksum up to IEND; a JPEG's scans, as
// counted ahead of the decoder, no more than kMaxJpegScans (the decoder's own count
// holds where this one comes out lower).
bool ImageStructureIsSound(const ImageHeader& header, const unsigned char* p, std::size_t size);

// A PNM file with its header spelt plainly ("P<n>\n<width> <height>[ <maxval>]") and
// its pixels as they follow the header's last number. Decoders differ on a comment
// that touches a number ("10#1\n" is the number 10 and a comment, but a decoder
// that takes the '#' as the number's end reads the comment's digits as the next
// field): the plain header leaves the decoder only the size read here, which the
// size limit has checked. Empty when the header does not read.
std::vector<unsigned char> WithPlainPnmHeader(const unsigned char* p, std::size_t size);

}  // namespace platform
