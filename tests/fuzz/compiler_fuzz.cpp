// The script compiler host: the text lexed, parsed with the real plug-in's
// parsers and, when it compiles, written. A script it writes must load.

#include <cstdlib>
#include <string>

#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/story_host.h"

// The plug-in is loaded before the first input, so no input pays for it.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vesk_fuzz::StartStoryHost();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vesk_fuzz::StartStoryHost();
  // A text starting with '#' compiles, after that byte, as a linked object.
  const bool object = size > 0 && data[0] == '#';
  const std::size_t skip = object ? 1 : 0;
  const std::string source(reinterpret_cast<const char*>(data) + skip, size - skip);
  if (!vesk_fuzz::CompileScript(source, "out.dat", object) || object) return 0;
  vesk_test::TestPlayer player;
  player.UseLeavingScenes();
  try {
    if (!player.LoadScript("out.dat", player.GetIOStream())) std::abort();
  } catch (const vesk_fuzz::Rejected&) {
    std::abort();
  }
  return 0;
}
