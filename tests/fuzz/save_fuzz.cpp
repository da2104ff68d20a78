// The save files: the bytes read as "global.dat", "kidoku.dat", "env.dat" or a
// save slot by the engine's load path, with the plug-in's blocks, over the sample
// story's script; then a few frames run.

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/text/cp932.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/story_host.h"

namespace {

bool CompileSampleStory() {
  std::ifstream in(VESK_SAMPLE_SCRIPT, std::ios::binary);
  const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return vesk_fuzz::CompileScript(platform::Utf8ToCp932(source), "story.dat");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vesk_fuzz::StartStoryHost();
  static const bool compiled = CompileSampleStory();
  if (!compiled) std::abort();
  // The first byte picks the file; a slot, the most complex, takes most values.
  if (size == 0) return 0;
  static constexpr const char* kFiles[] = {"global.dat", "kidoku.dat", "env.dat"};
  const unsigned pick = data[0] % 8u;
  const char* file = pick < 3 ? kFiles[pick] : "Save00.dat";
  vesk_fuzz::WriteScratchFile(file, data + 1, size - 1);
  vesk_test::TestPlayer player;
  player.UseLeavingScenes();
  try {
    if (!player.LoadScript("story.dat", player.GetIOStream())) std::abort();
    bool loaded = false;
    if (pick == 0) loaded = player.LoadGlobal(file, player.GetIOStream());
    if (pick == 1) {
      loaded = nsTamskLib::nsCore::NovelPlayer::LoadData(&player, player.GetIOStream(), 0, "none.dat",
                                                         file, "none.dat");
    }
    if (pick == 2) loaded = player.LoadEnvironment(file, player.GetIOStream());
    if (pick >= 3) loaded = player.LoadLocalData(file, player.GetIOStream());
    if (!loaded && pick >= 3) return 0;
    // What was read must survive the next save.
    if (pick == 0 && loaded && !player.SaveGlobal("again.dat", player.GetIOStream())) std::abort();
  } catch (const vesk_fuzz::Rejected&) {
    return 0;
  }
  vesk_fuzz::RunFrames(player, 8);
  return 0;
}
