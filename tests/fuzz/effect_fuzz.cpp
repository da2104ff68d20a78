// Effects as the game plays them: the bytes packed as a sound of a data archive and
// played through the game's sound manager (the engine's bookkeeping over the back
// end: the archive's entry reader, the Ogg or WAVE reader chosen by the name, the
// whole-buffer sound): loaded, played, played over itself, a load that fails, and
// every one played again, also as a voice. Bytes that begin "RIFF" are a WAVE
// sound; others an Ogg Vorbis sound, with its pages made whole again after mutation.

#include "framework/sound/decode_budget.h"
#include "game/managers/sound_manager_fd.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/sound_archive.h"

namespace {

constexpr char kMissing[] = "Data/missing.ogg";
constexpr std::uint32_t kTenthOfASecond = 4410;  // output frames

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vesk_fuzz::StartNullSoundDevice();
  const vesk_fuzz::SoundArchive archive(data, size, "effect");
  const char* name = archive.Name().c_str();
  nsVesk::nsSoundManagerfD::SoundManagerfD sound;
  if (sound.LoadSE(name)) {
    // Decoded whole: its samples are held, and its decode takes the rate over its length.
    const auto* reader = sound.FindSE(name)->GetReader();
    vesk_fuzz::NoteAccepted(vesk_fuzz::kAcceptedPeakBytes + sound.HeldSoundBytes(),
                            nsZarn::nsSound::WholeDecodeBudgetNs(reader->GetFormat(), reader->GetLength()) -
                                platform::kLoadCpuBudgetNs);
  }
  for (int round = 0; round < 2; ++round) {
    sound.PlaySE(name);
    vesk_fuzz::MixFrames(kTenthOfASecond);
    sound.PlaySE(name);  // over itself
    sound.PlaySE(kMissing);
    sound.PlayVoice(name);
    vesk_fuzz::MixFrames(kTenthOfASecond);
  }
  sound.StopAllSE();
  sound.ReleaseAllSE();
  sound.PlaySE(name);
  vesk_fuzz::MixFrames(kTenthOfASecond);
  return 0;
}
