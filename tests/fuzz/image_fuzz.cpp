// Image files: decoded under each name the game gives pictures, with a colour key.

#include "platform/image/image_decoder.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const char* name : {"Data/pic.png", "Data/pic.tga"}) {
    platform::DecodeImage(data, size, name, 0xFFFF00FFu);
  }
  return 0;
}
