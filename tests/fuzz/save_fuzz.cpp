// The save files: the bytes read as "global.dat", "kidoku.dat", "env.dat" or a
// save slot by the engine's load path, with the plug-in's blocks, over the sample
// story's script; then a few frames run. A slot is loaded as the game loads one:
// the game's place block (its character, stage, round and scene, behind the
// plug-in's block) is read with the rest, over selection tables of the sample
// game's shape, and a place the game can go on from is restored.
//
// The story is compiled and loaded into one player once, before the first input:
// an input costs only its load and the frames it plays. Each input starts from the
// same place, the files the player saved right after the story was loaded, so a
// finding does not depend on the inputs before it.

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"
#include "game/story/place_block.h"
#include "platform/clock/clock.h"
#include "platform/text/cp932.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/story_host.h"
#include "tests/game/support/program_lifetime.h"

namespace {

using nsTamskLib::nsCore::NovelPlayer;

constexpr std::uint32_t kBaseTime = 1000;
constexpr const char* kBaseSlot = "base-slot.dat";
constexpr const char* kBaseGlobal = "base-global.dat";
constexpr const char* kBaseKidoku = "base-kidoku.dat";
constexpr const char* kBaseEnvironment = "base-env.dat";

bool CompileSampleStory() {
  std::ifstream in(VESK_SAMPLE_SCRIPT, std::ios::binary);
  const std::string source{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return vesk_fuzz::CompileScript(platform::Utf8ToCp932(source), "story.dat");
}

// The sample game's shape: two characters, each with two stages, of three and two
// rounds for the first and two and two for the second. The parameter files stay
// unnamed: the battle a restored place hands off to reads none.
void ShapeSelectionLikeTheSample() {
  const std::vector<std::vector<nsVesk::RoundNames>> stages = {
      {nsVesk::RoundNames(3), nsVesk::RoundNames(2)}, {nsVesk::RoundNames(2), nsVesk::RoundNames(2)}};
  nsVesk::g_CharaIniTable.assign(2, "");
  nsVesk::g_RoundIniTable = stages;
  nsVesk::g_EnemyIniTable = stages;
  nsVesk::g_ADVIniTable = stages;
}

// The player with the sample story loaded and its first frame run, and the files
// that bring it back to that place; made once and kept for the process.
vesk_test::TestPlayer& StoryPlayer() {
  static vesk_test::TestPlayer* const player = [] {
    vesk_fuzz::StartStoryHost();
    // The game's own block follows the loading of the plug-ins, as in the game.
    nsVesk::nsCore::RegisterPlaceBlock();
    ShapeSelectionLikeTheSample();
    if (!CompileSampleStory()) std::abort();
    auto* made = new vesk_test::TestPlayer;
    made->UseLeavingScenes();
    if (!made->LoadScript("story.dat", made->GetIOStream())) std::abort();
    vesk_fuzz::RunFrames(*made, 1);
    platform::SetVirtualClock(kBaseTime);
    if (!made->SaveLocalData(kBaseSlot, made->GetIOStream()) ||
        !NovelPlayer::SaveData(made, made->GetIOStream(), kBaseGlobal, kBaseKidoku, kBaseEnvironment)) {
      std::abort();
    }
    return made;
  }();
  return *player;
}

// Back to the place right after the story was loaded, at the same time, with no
// selection and the empty scene.
void ReturnToBase(vesk_test::TestPlayer& player) {
  platform::SetVirtualClock(kBaseTime);
  nsVesk::g_SelectChara = -1;
  nsVesk::g_SelectEnemy = -1;
  nsVesk::g_Round = 0;
  vesk_test::ReleaseSceneStack();
  player.ResetStates();
  player.quitCalls = 0;
  player.sound.ClearLog();
  if (!player.LoadLocalData(kBaseSlot, player.GetIOStream()) ||
      !NovelPlayer::LoadData(&player, player.GetIOStream(), 0, kBaseGlobal, kBaseKidoku, kBaseEnvironment)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StoryPlayer();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vesk_test::TestPlayer& player = StoryPlayer();
  // The first byte picks the file; a slot, the most complex, takes most values.
  if (size == 0) return 0;
  static constexpr const char* kFiles[] = {"global.dat", "kidoku.dat", "env.dat"};
  const unsigned pick = data[0] % 8u;
  const char* file = pick < 3 ? kFiles[pick] : "Save00.dat";
  vesk_fuzz::WriteScratchFile(file, data + 1, size - 1);
  try {
    ReturnToBase(player);
    bool loaded = false;
    if (pick == 0) loaded = player.LoadGlobal(file, player.GetIOStream());
    if (pick == 1) loaded = NovelPlayer::LoadData(&player, player.GetIOStream(), 0, "none.dat", file, "none.dat");
    if (pick == 2) loaded = player.LoadEnvironment(file, player.GetIOStream());
    if (pick >= 3) {
      // The game's steps around a slot's load (NovelPlayerfD::LoadLocalData).
      nsVesk::nsCore::ForgetLoadedPlace();
      loaded = player.LoadLocalData(file, player.GetIOStream());
      if (loaded) nsVesk::nsCore::RestoreLoadedPlace();
    }
    if (!loaded && pick >= 3) return 0;
    // What was read must survive the next save.
    if (pick == 0 && loaded && !player.SaveGlobal("again.dat", player.GetIOStream())) std::abort();
  } catch (const vesk_fuzz::Rejected&) {
    return 0;
  }
  vesk_fuzz::RunFrames(player, 8);
  return 0;
}
