// Music as the game plays it: the bytes packed as the track of a data archive and
// played by the game's sound back end (the archive's entry reader, the Ogg or WAVE
// reader chosen by the name, the streamed music and its thread), looped for several
// passes of a short track while the device is clocked block by block, then played
// once. Bytes that begin "RIFF" are a WAVE track; others an Ogg Vorbis track, with
// its pages made whole again after mutation.

#include <sched.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/filepack/file_pack_manager.h"
#include "framework/param/param_manager.h"
#include "framework/sound/sound_bgm.h"
#include "game/core/program_objects.h"
#include "game/managers/sound_manager_fd.h"
#include "platform/audio/audio_device.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/ogg_pages.h"

namespace {

// Output frames of one ring block (3/16 s at the device's 44.1 kHz), rounded up.
constexpr std::uint32_t kBlockFrames = 8269;

void MixFrames(std::uint32_t frames) {
  static std::vector<std::int16_t> out;
  out.resize(frames * 2);
  nsVesk::g_Sound.GetDevice()->Mix(out.data(), frames);
}

// Clocks the device one block at a time, half a block out of step with the ring,
// and lets the streaming thread refill after each block, as long as the music plays.
void Clock(nsZarn::nsSound::nsISound::CSoundBGM& music, int blocks) {
  MixFrames(kBlockFrames / 2);
  for (int i = 0; i < blocks && music.IsPlaying(); ++i) {
    const std::uint32_t handled = music.GetNotificationsHandled();
    MixFrames(kBlockFrames);
    for (int wait = 0; wait < 100000 && music.IsPlaying() && music.GetNotificationsHandled() == handled; ++wait) {
      sched_yield();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using nsZarn::nsFile::nsFileReader::CFileReader;
  using nsZarn::nsFile::nsFileWriter::CFileWriter;
  static const bool started = [] {
    vesk_fuzz::EnterScratchFolder();
    platform::SelectNullAudioDeviceForTests(true);
    return nsVesk::g_Sound.Init(nullptr);
  }();
  if (!started) std::abort();

  const bool wave = size >= 4 && std::memcmp(data, "RIFF", 4) == 0;
  const std::string name = wave ? "Data/track.wav" : "Data/track.ogg";
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (!wave) vesk_fuzz::RepairOggPages(bytes);
  std::filesystem::remove_all("Data");
  std::filesystem::create_directories("Data");
  vesk_fuzz::WriteScratchFile(name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  nsZarn::nsFramework::nsFilePack::FilePackManager packs(new CFileReader, new CFileWriter);
  {
    nsZarn::nsFramework::nsParam::ParamManager params(new CFileReader, new CFileWriter);
    if (!packs.ConvertToFilePack("Data", &params) || !packs.OpenFilePack("Data.dat")) std::abort();
  }
  nsVesk::g_FilePackManager = &packs;
  {
    nsVesk::nsSoundManagerfD::SoundManagerfD sound;
    if (sound.PlayBGM(name.c_str())) {
      Clock(sound.BGM(), 24);
      sound.StopBGM();
      if (sound.PlayBGMOnce(name.c_str())) Clock(sound.BGM(), 8);
    }
  }
  nsVesk::g_FilePackManager = nullptr;
  return 0;
}
