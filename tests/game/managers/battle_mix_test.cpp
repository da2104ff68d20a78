// The sample's battle sounds over its battle music at the default volumes, mixed
// as the game mixes them: the mixer adds every playing sound at full scale and
// clips the sum. Every battle sound started in one frame (the densest moment of
// a battle: opening cells, a chip, a bomb, a hit, the clear and the rest) must
// not clip over the music, wherever in the music that frame falls.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/sound/sound_bgm.h"
#include "game/managers/sound_manager_fd.h"
#include "tests/game/managers/shell_fixture.h"

namespace {

namespace fs = std::filesystem;
using nsVesk::nsSoundManagerfD::SoundManagerfD;

constexpr int kFullScale = 32767;
// Less than one block of the music's ring, so that a step passes at most one
// refill of it.
constexpr std::uint32_t kStep = 8192;

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(folder + "/" + entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class BattleMixTest : public vesk_test::SoundFixture {
 protected:
  void SetUp() override {
    SoundFixture::SetUp();
    fs::copy(VESK_SAMPLE_DATA, "Data", fs::copy_options::recursive);
    PackData();
  }

  // Mixes `frames` frames, or while the music plays when `musicLength`, letting
  // the music's streaming thread keep pace; the loudest sample.
  int MixPeak(SoundManagerfD& sound, std::uint32_t frames, bool musicLength = false) {
    std::vector<std::int16_t> out(kStep * 2);
    int peak = 0;
    for (std::uint32_t mixed = 0; musicLength ? sound.BGM().IsPlaying() : mixed < frames; mixed += kStep) {
      const std::uint32_t before = sound.BGM().GetNotificationsHandled();
      nsVesk::g_Sound.GetDevice()->Mix(out.data(), kStep);
      for (std::int16_t s : out) peak = std::max(peak, std::abs(static_cast<int>(s)));
      for (int wait = 0; wait < 20 && sound.BGM().GetNotificationsHandled() == before; ++wait) usleep(500);
    }
    return peak;
  }
};

TEST_F(BattleMixTest, EveryBattleSoundStartedInOneFrameDoesNotClipOverTheMusic) {
  const std::vector<std::string> effects = FilesIn("Data/InGame/Sound/Common");
  ASSERT_GE(effects.size(), 5u);
  for (const std::string& music : FilesIn("Data/InGame/Sound/BGM")) {
    SoundManagerfD sound;
    // The music alone, once through: its loudest sample.
    ASSERT_TRUE(sound.PlayBGMOnce(music.c_str())) << music;
    const int musicPeak = MixPeak(sound, 0, true);
    EXPECT_GT(musicPeak, 0) << music;
    // Every battle sound started in the same frame as the music.
    ASSERT_TRUE(sound.PlayBGM(music.c_str()));
    for (const std::string& effect : effects) ASSERT_TRUE(sound.PlaySE(effect.c_str())) << effect;
    const int mixPeak = MixPeak(sound, 3 * 44100);
    EXPECT_LT(mixPeak, kFullScale) << music << " clips with every battle sound started at its start";
    ASSERT_TRUE(sound.StopBGM());
    // The sounds alone: over the music's loudest sample they must still fit.
    for (const std::string& effect : effects) sound.PlaySE(effect.c_str());
    const int effectsPeak = MixPeak(sound, 3 * 44100);
    EXPECT_LT(musicPeak + effectsPeak, kFullScale)
        << music << ": music " << musicPeak << " and the battle sounds " << effectsPeak << " can clip together";
  }
}

}  // namespace
