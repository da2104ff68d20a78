#pragma once
// The game's sound set-up for a harness: the null audio device, started once and
// clocked by hand, and a data archive whose one entry is the input, read by the
// game's sound back end as a sound.

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/filepack/file_pack_manager.h"

namespace vesk_fuzz {

// Starts the program's sound device on the null audio device, once.
void StartNullSoundDevice();

// Mixes the next frames of the sound device.
void MixFrames(std::uint32_t frames);

// Packs the bytes into "Data.dat" under "Data/<stem>.wav" when they begin "RIFF",
// else under "Data/<stem>.ogg" with their Ogg pages made whole again; the archive
// is the game's while the object lives.
class SoundArchive {
 public:
  SoundArchive(const std::uint8_t* data, std::size_t size, const char* stem);
  SoundArchive(const SoundArchive&) = delete;
  SoundArchive& operator=(const SoundArchive&) = delete;
  ~SoundArchive();

  // The entry's name.
  const std::string& Name() const { return m_Name; }

 private:
  std::string m_Name;
  nsZarn::nsFramework::nsFilePack::FilePackManager m_Packs;
};

}  // namespace vesk_fuzz
