#include "platform/image/image_header.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

ImageHeader Sized(ImageFormat format, std::uint32_t width, std::uint32_t height) {
  ImageHeader header;
  header.format = format;
  header.width = width;
  header.height = height;
  return header;
}

std::uint32_t ReadLe16(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}
std::uint32_t ReadBe16(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) << 8 | static_cast<std::uint32_t>(p[1]);
}
std::uint32_t ReadLe32(const unsigned char* p) { return ReadLe16(p) | ReadLe16(p + 2) << 16; }
std::uint32_t ReadBe32(const unsigned char* p) { return ReadBe16(p) << 16 | ReadBe16(p + 2); }

// The magnitude of a signed 32-bit size (a BMP stored top-down has a negative height).
std::uint32_t Magnitude(std::uint32_t stored) {
  return (stored & 0x80000000u) != 0 ? 0u - stored : stored;
}

bool HasTgaExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || fileName.size() - dot != 4) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    const char c = fileName[dot + 1 + i];
    const char upper = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (upper != "TGA"[i]) return false;
  }
  return true;
}

std::uint32_t Crc32(const unsigned char* p, std::size_t size) {
  return static_cast<std::uint32_t>(crc32_z(crc32_z(0, nullptr, 0), p, size));
}

// The PNG decoder treats a damaged optional chunk as a warning and can spend
// seconds on a file of such chunks; a damaged file is refused instead.
bool PngChunksAreWhole(const unsigned char* p, std::size_t size) {
  std::size_t pos = 8;
  while (pos + 12 <= size) {
    const std::uint32_t length = ReadBe32(p + pos);
    if (length > size - pos - 12) return false;
    if (Crc32(p + pos + 4, length + 4u) != ReadBe32(p + pos + 8 + length)) return false;
    if (std::memcmp(p + pos + 4, "IEND", 4) == 0) return true;
    pos += 12u + length;
  }
  return false;
}

bool IsJpegFrameMarker(unsigned marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}
bool JpegMarkerHasNoLength(unsigned marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
}

// The size in a JPEG's first frame header, which must come before any scan and
// after nothing but whole marker segments.
bool ReadJpegSize(const unsigned char* p, std::size_t size, ImageHeader& header) {
  std::size_t pos = 2;
  for (;;) {
    if (pos >= size || p[pos] != 0xFF) return false;
    while (pos < size && p[pos] == 0xFF) ++pos;  // the marker's 0xFF and any fill bytes
    if (pos >= size) return false;
    const unsigned marker = p[pos++];
    if (JpegMarkerHasNoLength(marker)) continue;
    if (marker == 0xD9 || marker == 0xDA || pos + 2 > size) return false;
    const std::uint32_t length = ReadBe16(p + pos);
    if (length < 2) return false;
    if (IsJpegFrameMarker(marker)) {
      if (length < 7 || pos + 7 > size) return false;
      header.height = ReadBe16(p + pos + 3);
      header.width = ReadBe16(p + pos + 5);
      return true;
    }
    pos += length;
  }
}

// The position of the next marker's code at or after pos, skipping what the
// decoder skips to find it: entropy-coded data with its stuffed 0xFF 0x00 pairs,
// fill bytes and damage. The size when there is none.
std::size_t NextJpegMarker(const unsigned char* p, std::size_t size, std::size_t pos) {
  for (;;) {
    while (pos < size && p[pos] != 0xFF) ++pos;
    while (pos < size && p[pos] == 0xFF) ++pos;
    if (pos >= size || p[pos] != 0x00) return pos;
    ++pos;
  }
}

// Markers after which the decoder goes on looking for the next marker: those
// without a length, and the reserved ones (0x02 to 0xBF), which it passes over by
// looking for the next marker when it meets one where a restart marker is due.
bool JpegMarkerIsPassedOver(unsigned marker) { return JpegMarkerHasNoLength(marker) || marker < 0xC0; }

// Counts the scans up to the end of the image (or of the file) the way the
// decoder meets them: marker segments by their length (one stating less than its
// own two length bytes is read on right behind them), scan data up to the next
// marker. The decoder keeps its own count; this one lets it refuse most files of
// too many scans before it takes the working memory of the picture.
std::uint32_t CountJpegScans(const unsigned char* p, std::size_t size) {
  std::uint32_t scans = 0;
  std::size_t pos = 2;
  for (;;) {
    pos = NextJpegMarker(p, size, pos);
    if (pos >= size) return scans;
    const unsigned marker = p[pos++];
    if (marker == 0xD9) return scans;
    if (JpegMarkerIsPassedOver(marker)) continue;
    if (marker == 0xDA) ++scans;
    if (pos + 2 > size) return scans;
    pos += std::max<std::uint32_t>(ReadBe16(p + pos), 2);
  }
}

// PNM ("P1" to "P6"): whitespace-separated decimal fields with '#' comments up to
// the end of their line, then a single whitespace byte before binary pixels.
class PnmFields {
 public:
  PnmFields(const unsigned char* p, std::size_t size) : m_P(p), m_Size(size) {}

  // The next field; false when it is missing, not a number, or over 65535.
  bool Next(std::uint32_t& value) {
    while (m_Pos < m_Size && (IsSpace(m_P[m_Pos]) || m_P[m_Pos] == '#')) {
      if (m_P[m_Pos] == '#') {
        while (m_Pos < m_Size && m_P[m_Pos] != '\n' && m_P[m_Pos] != '\r') ++m_Pos;
      } else {
        ++m_Pos;
      }
    }
    if (m_Pos >= m_Size || m_P[m_Pos] < '0' || m_P[m_Pos] > '9') return false;
    value = 0;
    while (m_Pos < m_Size && m_P[m_Pos] >= '0' && m_P[m_Pos] <= '9') {
      value = value * 10u + static_cast<std::uint32_t>(m_P[m_Pos++] - '0');
      if (value > 65535u) return false;
    }
    return true;
  }
  std::size_t Position() const { return m_Pos; }

 private:
  static bool IsSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
  }

  const unsigned char* m_P;
  std::size_t m_Size;
  std::size_t m_Pos = 2;
};

// The header's numbers; maxValue stays 1 for the bitmaps (P1, P4), which have none.
struct PnmNumbers {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t maxValue = 1;
};

bool ReadPnmNumbers(PnmFields& fields, unsigned kind, PnmNumbers& numbers) {
  if (!fields.Next(numbers.width) || !fields.Next(numbers.height)) return false;
  return kind == 1 || kind == 4 || (fields.Next(numbers.maxValue) && numbers.maxValue != 0);
}

bool ReadPnmHeader(const unsigned char* p, std::size_t size, ImageHeader& header) {
  const unsigned kind = p[1] - static_cast<unsigned>('0');
  PnmFields fields(p, size);
  PnmNumbers numbers;
  if (!ReadPnmNumbers(fields, kind, numbers)) return false;
  header.width = numbers.width;
  header.height = numbers.height;
  const std::uint32_t maxValue = numbers.maxValue;
  // The fewest bytes the pixels take: a character per sample in plain text (P1-P3),
  // the stored bits in binary (P4-P6).
  const std::uint64_t samples = std::uint64_t{header.width} * header.height * (kind % 3 == 0 ? 3u : 1u);
  const std::uint64_t bytesPerSample = maxValue > 255 ? 2 : 1;
  std::uint64_t pixelBytes = samples;
  if (kind == 4) pixelBytes = (header.width + 7u) / 8u * std::uint64_t{header.height};
  if (kind == 5 || kind == 6) pixelBytes = samples * bytesPerSample;
  header.storedBytes = fields.Position() + pixelBytes;
  return true;
}

}  // namespace

ImageHeader ReadImageHeader(const unsigned char* p, std::size_t size, std::string_view fileName) {
  ImageHeader header;
  static constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (size >= 24 && std::memcmp(p, kPngSignature, 8) == 0 && std::memcmp(p + 12, "IHDR", 4) == 0) {
    header = Sized(ImageFormat::kPng, ReadBe32(p + 16), ReadBe32(p + 20));
  } else if (size >= 26 && p[0] == 'B' && p[1] == 'M') {
    const bool os2 = ReadLe32(p + 14) == 12;
    if (os2) {
      header = Sized(ImageFormat::kBmp, ReadLe16(p + 18), ReadLe16(p + 20));
    } else {
      header = Sized(ImageFormat::kBmp, Magnitude(ReadLe32(p + 18)), Magnitude(ReadLe32(p + 22)));
    }
    const std::uint32_t compression = os2 || size < 34 ? 0 : ReadLe32(p + 30);
    if (compression == 0 || compression == 3) {  // stored rows (BI_RGB, BI_BITFIELDS)
      const std::uint64_t bits = os2 ? ReadLe16(p + 24) : size >= 30 ? ReadLe16(p + 28) : 0;
      header.storedBytes = std::max<std::uint64_t>(1, (header.width * bits + 31u) / 32u * 4u * header.height);
      header.fourthByteIsPadding = compression == 0 && bits == 32 && !os2 && ReadLe32(p + 14) >= 40;
    }
  } else if (size >= 4 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) {
    if (ReadJpegSize(p, size, header)) header.format = ImageFormat::kJpeg;
  } else if (size >= 3 && p[0] == 'P' && p[1] >= '1' && p[1] <= '6') {
    if (ReadPnmHeader(p, size, header)) header.format = ImageFormat::kPnm;
  } else if (size >= 18 && HasTgaExtension(fileName)) {
    header = Sized(ImageFormat::kTga, ReadLe16(p + 12), ReadLe16(p + 14));
    const unsigned type = p[2];
    if (type == 1 || type == 2 || type == 3) {  // stored pixels (colour-mapped, true colour, grey)
      const std::uint64_t mapBytes = p[1] != 0 ? ReadLe16(p + 5) * ((p[7] + 7u) / 8u) : 0u;
      const std::uint64_t pixels = std::uint64_t{header.width} * header.height;
      header.storedBytes = 18u + p[0] + mapBytes + (pixels * ((p[16] + 7u) / 8u * 8u) + 7u) / 8u;
    }
  }
  return header;
}

bool FileCanHoldPicture(const ImageHeader& header, std::size_t size) {
  if (header.storedBytes != 0) return header.storedBytes <= size;
  // Compressed pixels cannot shrink below what the best compression of each format
  // gives: deflate's 1032:1 of one-bit rows; the same bound holds for run-length
  // and JPEG data.
  constexpr std::uint64_t kMostPixelsPerByte = 1032u * 8u;
  return std::uint64_t{header.width} * header.height <= size * kMostPixelsPerByte;
}

bool ImageStructureIsSound(const ImageHeader& header, const unsigned char* p, std::size_t size) {
  switch (header.format) {
    case ImageFormat::kPng: return PngChunksAreWhole(p, size);
    case ImageFormat::kJpeg: return CountJpegScans(p, size) <= kMaxJpegScans;
    default: return true;
  }
}

std::vector<unsigned char> WithPlainPnmHeader(const unsigned char* p, std::size_t size) {
  if (size < 3 || p[0] != 'P' || p[1] < '1' || p[1] > '6') return {};
  const unsigned kind = p[1] - static_cast<unsigned>('0');
  PnmFields fields(p, size);
  PnmNumbers numbers;
  if (!ReadPnmNumbers(fields, kind, numbers)) return {};
  char plain[40];
  const int length =
      kind == 1 || kind == 4
          ? std::snprintf(plain, sizeof plain, "P%u\n%u %u", kind, unsigned{numbers.width}, unsigned{numbers.height})
          : std::snprintf(plain, sizeof plain, "P%u\n%u %u %u", kind, unsigned{numbers.width},
                          unsigned{numbers.height}, unsigned{numbers.maxValue});
  std::vector<unsigned char> file(plain, plain + length);
  file.insert(file.end(), p + fields.Position(), p + size);
  return file;
}

}  // namespace platform
