#include "tests/platform/image/test_images.h"

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <span>

namespace vesk_test {
namespace {

void Put32Be(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFFu));
}
void Put32Le(std::string& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFFu));
}
void Put16Le(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFFu));
  out.push_back(static_cast<char>((v >> 8) & 0xFFu));
}

std::uint32_t Crc32(const std::string& bytes) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = table[(c ^ b) & 0xFFu] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void PutChunk(std::string& png, const char* type, const std::string& data) {
  Put32Be(png, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  png += typed;
  Put32Be(png, Crc32(typed));
}

// A zlib stream of stored (uncompressed) blocks.
std::string Zlib(const std::string& raw) {
  std::string out = "\x78\x01";
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min<std::size_t>(raw.size() - pos, 65535);
    out.push_back(pos + n == raw.size() ? 1 : 0);
    Put16Le(out, static_cast<std::uint32_t>(n));
    Put16Le(out, static_cast<std::uint32_t>(~n & 0xFFFFu));
    out.append(raw, pos, n);
    pos += n;
  } while (pos < raw.size());
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521u;
    b = (b + a) % 65521u;
  }
  Put32Be(out, b << 16 | a);
  return out;
}

char Byte(std::uint32_t v, int shift) { return static_cast<char>((v >> shift) & 0xFFu); }

void PutSegment(std::string& jpeg, unsigned marker, const std::string& body) {
  const auto length = static_cast<std::uint32_t>(body.size() + 2);
  jpeg += {'\xFF', static_cast<char>(marker), Byte(length, 8), Byte(length, 0)};
  jpeg += body;
}

// Packs '0' and '1' characters into a JPEG's entropy-coded bytes: padded with 1
// bits, each 0xFF byte followed by a stuffed 0x00.
std::string PackJpegBits(std::string bits) {
  bits.resize((bits.size() + 7) / 8 * 8, '1');
  std::string out;
  for (std::size_t i = 0; i < bits.size(); i += 8) {
    out.push_back(static_cast<char>(std::stoi(bits.substr(i, 8), nullptr, 2)));
    if (out.back() == '\xFF') out.push_back('\0');
  }
  return out;
}

// SOI, a quantisation table of 1s and a frame header of the given start-of-frame
// marker, its components' sampling factors (h << 4 | v) one byte each.
std::string JpegFrame(unsigned marker, int width, int height, const std::string& sampling) {
  const auto h = static_cast<std::uint32_t>(height), w = static_cast<std::uint32_t>(width);
  std::string frame = {8, Byte(h, 8), Byte(h, 0), Byte(w, 8), Byte(w, 0), static_cast<char>(sampling.size())};
  for (std::size_t c = 0; c < sampling.size(); ++c) frame += {static_cast<char>(c + 1), sampling[c], 0};
  std::string jpeg = "\xFF\xD8";
  PutSegment(jpeg, 0xDB, std::string(1, '\0') + std::string(64, '\x01'));
  PutSegment(jpeg, marker, frame);
  return jpeg;
}

// The head and the rest of a JPEG with a comment segment between that makes the
// file `size` bytes long (or none, when it is longer already).
std::string PaddedTo(std::string head, const std::string& rest, std::size_t size) {
  const std::size_t unpadded = head.size() + rest.size() + 4u;
  if (size > unpadded) PutSegment(head, 0xFE, std::string(size - unpadded, '\0'));
  return head + rest;
}

}  // namespace

int PngChannels(int colourType) {
  static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  return colourType >= 0 && colourType < 7 ? kChannels[colourType] : 0;
}

std::string MakePng(const PngSamples& png) {
  const int channels = PngChannels(png.colourType);
  // Adam7's passes as (first column, first row, column step, row step); one pass
  // of every pixel when not interlaced.
  static constexpr int kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                       {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  static constexpr int kWhole[1][4] = {{0, 0, 1, 1}};
  const auto passes = png.interlaced ? std::span<const int[4]>(kAdam7) : std::span<const int[4]>(kWhole);
  std::string raw;
  for (const auto& pass : passes) {
    if (pass[0] >= png.width) continue;
    for (int y = pass[1]; y < png.height; y += pass[3]) {
      raw.push_back(0);
      std::uint32_t bits = 0;
      int count = 0;
      for (int x = pass[0]; x < png.width; x += pass[2]) {
        for (int c = 0; c < channels; ++c) {
          const auto sample = static_cast<std::size_t>((y * png.width + x) * channels + c);
          bits = bits << png.bitDepth | png.samples[sample];
          for (count += png.bitDepth; count >= 8; count -= 8) raw.push_back(Byte(bits, count - 8));
        }
      }
      if (count > 0) raw.push_back(Byte(bits << (8 - count), 0));
    }
  }
  std::string file = "\x89PNG\r\n\x1a\n", ihdr;
  Put32Be(ihdr, static_cast<std::uint32_t>(png.width));
  Put32Be(ihdr, static_cast<std::uint32_t>(png.height));
  ihdr += {static_cast<char>(png.bitDepth), static_cast<char>(png.colourType), 0, 0,
           static_cast<char>(png.interlaced)};
  PutChunk(file, "IHDR", ihdr);
  if (!png.plte.empty()) PutChunk(file, "PLTE", png.plte);
  if (!png.trns.empty()) PutChunk(file, "tRNS", png.trns);
  PutChunk(file, "IDAT", Zlib(raw));
  PutChunk(file, "IEND", "");
  return file;
}

std::string WithChunksBeforeImageData(const std::string& png,
                                      const std::vector<std::pair<std::string, std::string>>& chunks) {
  const std::size_t imageData = png.find("IDAT") - 4;  // at its length
  std::string extra;
  for (const auto& [type, contents] : chunks) PutChunk(extra, type.c_str(), contents);
  return png.substr(0, imageData) + extra + png.substr(imageData);
}

std::string MakeProgressiveJpeg(int width, int height, int scans, JpegDetour detour) {
  using namespace std::string_literals;
  // Y, Cb, Cr: an MCU of 32 x 8 pixels holds one block of the luma and four of each chroma.
  std::string jpeg = JpegFrame(0xC2, width, height, "\x11\x41\x41");
  // Huffman tables: the DC difference 0 coded "0"; the AC end-of-band runs EOB0 to
  // EOB14 coded as their class in 4 bits.
  PutSegment(jpeg, 0xC4, "\0\1"s + std::string(16, '\0'));
  PutSegment(jpeg, 0xC4, "\x10\0\0\0\x0F"s + std::string(12, '\0') +
                             "\0\x10\x20\x30\x40\x50\x60\x70\x80\x90\xA0\xB0\xC0\xD0\xE0"s);
  const bool restarts = detour == JpegDetour::kReservedMarkerAtRestart;
  if (restarts) PutSegment(jpeg, 0xDD, "\0\1"s);  // a restart interval of one MCU
  const auto mcus = static_cast<std::uint32_t>((width + 31) / 32 * ((height + 7) / 8));  // and luma blocks
  const std::string mcuDc(9, '0');  // every DC difference 0
  for (int scan = 0; scan < scans; ++scan) {
    const int step = (scan + 13) % 14;  // of an AC coefficient's 14 scans, point transform 13 - step
    const auto band = static_cast<char>(scan == 0 ? 0 : (scan - 1) / 14 + 1);
    const auto successive =  // Ah << 4 | Al
        static_cast<char>(scan == 0 ? 0 : (step == 0 ? 0 : (14 - step) << 4) | (13 - step));
    if (scan == 0) {
      PutSegment(jpeg, 0xDA, "\3\1\0\2\0\3\0\0\0\0"s);
    } else {
      PutSegment(jpeg, 0xDA, {1, 1, 0, band, band, successive});
    }
    if (scan == 0 && restarts) {
      // Each MCU's DC differences in bytes of their own, restart markers between.
      for (std::uint32_t mcu = 0; mcu < mcus; ++mcu) {
        if (mcu == 1) jpeg += "\xFF\x02\x40\x00"s;
        if (mcu > 0) jpeg += {'\xFF', static_cast<char>(0xD0 + (mcu - 1) % 8)};
        jpeg += PackJpegBits(mcuDc);
      }
      PutSegment(jpeg, 0xDD, "\0\0"s);  // no restarts in the scans that follow
      continue;
    }
    std::string bits;
    for (std::uint32_t mcu = 0; scan == 0 && mcu < mcus; ++mcu) bits += mcuDc;
    for (std::uint32_t left = scan == 0 ? 0 : mcus; left > 0;) {  // all luma blocks in end-of-band runs
      const std::uint32_t run = std::min<std::uint32_t>(left, 32767);
      const int runClass = std::bit_width(run) - 1;
      const std::uint32_t code =  // the class, then the run's bits below its top bit
          static_cast<std::uint32_t>(runClass) << 15 | (run - (1u << runClass)) << (15 - runClass);
      bits += std::bitset<19>(code).to_string().substr(0, static_cast<std::size_t>(4 + runClass));
      left -= run;
    }
    jpeg += PackJpegBits(bits);
    if (scan == 0 && detour == JpegDetour::kSegmentOfLength0) jpeg += "\xFF\xFE\0\0"s;
    if (scan == 0 && detour == JpegDetour::kSegmentOfLength1) jpeg += "\xFF\xFE\0\1"s;
  }
  return jpeg + "\xFF\xD9";
}

std::string MakeJpegOfEmptyScans(int side, int components, JpegCoding coding, int scans, std::size_t size) {
  using namespace std::string_literals;
  const bool arithmetic = coding == JpegCoding::kArithmetic;
  const std::string sampling(static_cast<std::size_t>(components), 0x11);
  std::string jpeg = JpegFrame(arithmetic ? 0xCA : 0xC2, side, side, sampling);
  if (!arithmetic) PutSegment(jpeg, 0xC4, "\0\1"s + std::string(16, '\0'));  // the DC difference 0 coded "0"
  std::string scan(1, static_cast<char>(components)), rest;
  for (int c = 1; c <= components; ++c) scan += {static_cast<char>(c), 0};
  for (int i = 0; i < scans; ++i) PutSegment(rest, 0xDA, scan + (i == 0 ? "\0\0\0"s : "\0\0\x10"s));
  return PaddedTo(jpeg, rest + "\xFF\xD9", size);
}

std::string MakeCutShortRestartJpeg(int side, int blocks, std::size_t size) {
  using namespace std::string_literals;
  std::string jpeg = JpegFrame(0xC0, side, side, "\x11"), rest;
  PutSegment(jpeg, 0xC4, "\0\1"s + std::string(16, '\0'));    // the DC difference 0 coded "0"
  PutSegment(jpeg, 0xC4, "\x10\1"s + std::string(16, '\0'));  // the end of block coded "0"
  PutSegment(jpeg, 0xDD, "\0\1"s);
  PutSegment(rest, 0xDA, "\1\1\0\0\x3F\0"s);
  for (int block = 0; block < blocks; ++block) {
    rest += PackJpegBits("00") + "\xFF" + static_cast<char>(0xD0 + block % 8);
  }
  return PaddedTo(jpeg, rest, size);
}

std::string MakePngRgba(int width, int height, const std::vector<std::uint32_t>& argb) {
  PngSamples png{width, height, 6, 8, {}, "", "", false};
  for (std::uint32_t p : argb) {
    for (int shift : {16, 8, 0, 24}) png.samples.push_back(static_cast<std::uint16_t>(p >> shift & 0xFFu));
  }
  return MakePng(png);
}

std::string MakePngPalette(int width, int height, const std::vector<std::uint32_t>& palette,
                           const std::vector<std::uint8_t>& indices) {
  PngSamples png{width, height, 3, 8, {indices.begin(), indices.end()}, "", "", false};
  for (std::uint32_t p : palette) {
    png.plte += {Byte(p, 16), Byte(p, 8), Byte(p, 0)};
    png.trns += Byte(p, 24);
  }
  return MakePng(png);
}

std::string MakeBmp(int width, int height, int bitsPerPixel, const std::vector<std::uint32_t>& argb) {
  const int bytesPerPixel = bitsPerPixel / 8;
  const int rowBytes = (width * bytesPerPixel + 3) / 4 * 4;
  const auto imageSize = static_cast<std::uint32_t>(rowBytes * height);
  std::string out = "BM";
  Put32Le(out, 54 + imageSize);
  Put32Le(out, 0);
  Put32Le(out, 54);
  Put32Le(out, 40);
  Put32Le(out, static_cast<std::uint32_t>(width));
  Put32Le(out, static_cast<std::uint32_t>(height));
  Put16Le(out, 1);
  Put16Le(out, static_cast<std::uint32_t>(bitsPerPixel));
  Put32Le(out, 0);  // BI_RGB
  Put32Le(out, imageSize);
  Put32Le(out, 2835);
  Put32Le(out, 2835);
  Put32Le(out, 0);
  Put32Le(out, 0);
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = argb[static_cast<std::size_t>(y * width + x)];
      row += {Byte(p, 0), Byte(p, 8), Byte(p, 16)};
      if (bytesPerPixel == 4) row += Byte(p, 24);
    }
    row.resize(static_cast<std::size_t>(rowBytes), '\0');
    out += row;
  }
  return out;
}

std::string MakeTga(int width, int height, const std::vector<std::uint32_t>& argb) {
  std::string out(18, '\0');
  out[2] = 2;  // uncompressed true colour
  out[12] = Byte(static_cast<std::uint32_t>(width), 0);
  out[13] = Byte(static_cast<std::uint32_t>(width), 8);
  out[14] = Byte(static_cast<std::uint32_t>(height), 0);
  out[15] = Byte(static_cast<std::uint32_t>(height), 8);
  out[16] = 32;
  out[17] = 0x28;  // top-down, 8 alpha bits
  for (std::uint32_t p : argb) out += {Byte(p, 0), Byte(p, 8), Byte(p, 16), Byte(p, 24)};
  return out;
}

}  // namespace vesk_test
