#include "tests/fuzz/png_chunks.h"

#include <zlib.h>

#include <cstdint>

namespace vesk_fuzz {
namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kSignatureBytes = 8;

std::uint32_t ReadBe32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

bool RepairPngChunks(std::string& bytes) {
  if (bytes.compare(0, kSignatureBytes, kSignature, kSignatureBytes) != 0) return false;
  bool changed = false;
  std::size_t at = kSignatureBytes;
  while (at + 12 <= bytes.size()) {
    const std::uint32_t length = ReadBe32(bytes, at);
    if (length > bytes.size() - at - 12) break;
    const std::size_t checksumAt = at + 8 + length;
    const auto* typed = reinterpret_cast<const Bytef*>(bytes.data() + at + 4);
    const auto checksum = static_cast<std::uint32_t>(crc32(crc32(0, nullptr, 0), typed, length + 4u));
    if (ReadBe32(bytes, checksumAt) != checksum) {
      for (std::size_t i = 0; i < 4; ++i) bytes[checksumAt + i] = static_cast<char>(checksum >> (24 - 8 * i));
      changed = true;
    }
    at = checksumAt + 4;
  }
  return changed;
}

}  // namespace vesk_fuzz
