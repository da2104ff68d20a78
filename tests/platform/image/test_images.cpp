#include "tests/platform/image/test_images.h"

#include <array>

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

std::string Png(int width, int height, int colourType, const std::string& raw, const std::string& plte,
                const std::string& trns) {
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string ihdr;
  Put32Be(ihdr, static_cast<std::uint32_t>(width));
  Put32Be(ihdr, static_cast<std::uint32_t>(height));
  ihdr += static_cast<char>(8);
  ihdr += static_cast<char>(colourType);
  ihdr += std::string(3, '\0');
  PutChunk(png, "IHDR", ihdr);
  if (!plte.empty()) PutChunk(png, "PLTE", plte);
  if (!trns.empty()) PutChunk(png, "tRNS", trns);
  PutChunk(png, "IDAT", Zlib(raw));
  PutChunk(png, "IEND", "");
  return png;
}

char Byte(std::uint32_t v, int shift) { return static_cast<char>((v >> shift) & 0xFFu); }

}  // namespace

std::string MakePngRgba(int width, int height, const std::vector<std::uint32_t>& argb) {
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = argb[static_cast<std::size_t>(y * width + x)];
      raw += {Byte(p, 16), Byte(p, 8), Byte(p, 0), Byte(p, 24)};
    }
  }
  return Png(width, height, 6, raw, "", "");
}

std::string MakePngPalette(int width, int height, const std::vector<std::uint32_t>& palette,
                           const std::vector<std::uint8_t>& indices) {
  std::string raw, plte, trns;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < width; ++x) raw.push_back(static_cast<char>(indices[static_cast<std::size_t>(y * width + x)]));
  }
  for (std::uint32_t p : palette) {
    plte += {Byte(p, 16), Byte(p, 8), Byte(p, 0)};
    trns += Byte(p, 24);
  }
  return Png(width, height, 3, raw, plte, trns);
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
