// Image files: decoded as the game decodes pictures, with a colour key, and when
// no signature names their format under a TGA name too (the only format found by
// the name; any other reads the same under every name); a PNG whose chunk
// checksums do not match is decoded again with them made right, so that mutations
// of its chunks reach the decoder. A picture decoded is held to the replay's budget
// of an accepted input.

#include <string>

#include "platform/image/image_decoder.h"
#include "platform/image/image_header.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/png_chunks.h"

namespace {

// A decoded picture may hold what the decoder allows, its texture and its working
// memory, beside the harness's copy of the file.
void Decode(const std::string& bytes, const char* name) {
  const auto texture = platform::DecodeImage(bytes.data(), bytes.size(), name, 0xFFFF00FFu);
  if (texture == nullptr) return;
  const std::size_t textureBytes = static_cast<std::size_t>(texture->Width()) * texture->Height() * 4u;
  vesk_fuzz::NoteAccepted(textureBytes + platform::kMaxDecodeWorkBytes + bytes.size());
}

void DecodeUnderEveryName(const std::string& bytes) {
  Decode(bytes, "Data/pic.png");
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  if (platform::ReadImageHeader(p, bytes.size(), "Data/pic.png").format == platform::ImageFormat::kUnknown) {
    Decode(bytes, "Data/pic.tga");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  DecodeUnderEveryName(bytes);
  if (vesk_fuzz::RepairPngChunks(bytes)) DecodeUnderEveryName(bytes);
  return 0;
}
