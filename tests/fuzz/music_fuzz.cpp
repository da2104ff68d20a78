// Music as the game plays it: the bytes packed as the track of a data archive and
// played by the game's sound back end (the archive's entry reader, the Ogg or WAVE
// reader chosen by the name, the streamed music and its thread), looped for several
// passes of a short track while the device is clocked block by block, then played
// once. Bytes that begin "RIFF" are a WAVE track; others an Ogg Vorbis track, with
// its pages made whole again after mutation.

#include <sched.h>

#include "framework/sound/sound_bgm.h"
#include "game/managers/sound_manager_fd.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/sound_archive.h"

namespace {

// Output frames of one ring block (3/16 s at the device's 44.1 kHz), rounded up.
constexpr std::uint32_t kBlockFrames = 8269;

// Clocks the device one block at a time, half a block out of step with the ring,
// and lets the streaming thread refill after each block, as long as the music plays.
void Clock(nsZarn::nsSound::nsISound::CSoundBGM& music, int blocks) {
  vesk_fuzz::MixFrames(kBlockFrames / 2);
  for (int i = 0; i < blocks && music.IsPlaying(); ++i) {
    const std::uint32_t handled = music.GetNotificationsHandled();
    vesk_fuzz::MixFrames(kBlockFrames);
    for (int wait = 0; wait < 100000 && music.IsPlaying() && music.GetNotificationsHandled() == handled; ++wait) {
      sched_yield();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vesk_fuzz::StartNullSoundDevice();
  const vesk_fuzz::SoundArchive archive(data, size, "track");
  const char* name = archive.Name().c_str();
  nsVesk::nsSoundManagerfD::SoundManagerfD sound;
  if (sound.PlayBGM(name)) {
    vesk_fuzz::NoteAccepted();
    Clock(sound.BGM(), 24);
    sound.StopBGM();
    if (sound.PlayBGMOnce(name)) Clock(sound.BGM(), 8);
  }
  return 0;
}
