// Image files: decoded under each name the game gives pictures, with a colour key;
// a PNG whose chunk checksums do not match is decoded again with them made right,
// so that mutations of its chunks reach the decoder.

#include <string>

#include "platform/image/image_decoder.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/png_chunks.h"

namespace {

void DecodeUnderEveryName(const std::string& bytes) {
  for (const char* name : {"Data/pic.png", "Data/pic.tga"}) {
    platform::DecodeImage(bytes.data(), bytes.size(), name, 0xFFFF00FFu);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  DecodeUnderEveryName(bytes);
  if (vesk_fuzz::RepairPngChunks(bytes)) DecodeUnderEveryName(bytes);
  return 0;
}
