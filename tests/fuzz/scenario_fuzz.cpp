// Compiled scripts: the bytes loaded as "scenario.dat", or linked as an ".obj"
// into a small script, with the real plug-in's factories, then a few frames run.

#include <cstdlib>

#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/story_host.h"

namespace {

constexpr char kBaseScript[] =
    "@start:\n"
    "  local x = 1;\n"
    "  global total = 2;\n"
    "  text \"\", \"a\";\n"
    "  end;\n";

// The plug-in loaded and the base script compiled, once.
void StartHost() {
  vesk_fuzz::StartStoryHost();
  static const bool compiled = vesk_fuzz::CompileScript(kBaseScript, "base.dat");
  if (!compiled) std::abort();
}

}  // namespace

// The set-up runs before the first input, so no input pays for it.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartHost();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartHost();
  // The first byte picks the form: even the whole script, odd a linked object.
  if (size == 0) return 0;
  const bool object = (data[0] & 1) != 0;
  vesk_fuzz::WriteScratchFile(object ? "a.obj" : "scenario.dat", data + 1, size - 1);
  vesk_test::TestPlayer player;
  player.UseLeavingScenes();
  try {
    if (object) {
      if (!player.LoadScript("base.dat", player.GetIOStream())) std::abort();
      if (!player.LinkObject("a.obj", player.GetIOStream())) return 0;
    } else if (!player.LoadScript("scenario.dat", player.GetIOStream())) {
      return 0;
    }
  } catch (const vesk_fuzz::Rejected&) {
    return 0;
  }
  vesk_fuzz::RunFrames(player, 8);
  return 0;
}
