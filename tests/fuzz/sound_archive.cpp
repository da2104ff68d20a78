#include "tests/fuzz/sound_archive.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/param/param_manager.h"
#include "game/core/program_objects.h"
#include "platform/audio/audio_device.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/ogg_pages.h"

namespace vesk_fuzz {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFile::nsFileWriter::CFileWriter;

void StartNullSoundDevice() {
  static const bool started = [] {
    EnterScratchFolder();
    platform::SelectNullAudioDeviceForTests(true);
    return nsVesk::g_Sound.Init(nullptr);
  }();
  if (!started) std::abort();
}

void MixFrames(std::uint32_t frames) {
  static std::vector<std::int16_t> out;
  out.resize(static_cast<std::size_t>(frames) * 2);
  nsVesk::g_Sound.GetDevice()->Mix(out.data(), frames);
}

SoundArchive::SoundArchive(const std::uint8_t* data, std::size_t size, const char* stem)
    : m_Packs(new CFileReader, new CFileWriter) {
  const bool wave = size >= 4 && std::memcmp(data, "RIFF", 4) == 0;
  m_Name = std::string("Data/") + stem + (wave ? ".wav" : ".ogg");
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (!wave) RepairOggPages(bytes);
  std::filesystem::remove_all("Data");
  std::filesystem::create_directories("Data");
  WriteScratchFile(m_Name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  {
    nsZarn::nsFramework::nsParam::ParamManager params(new CFileReader, new CFileWriter);
    if (!m_Packs.ConvertToFilePack("Data", &params) || !m_Packs.OpenFilePack("Data.dat")) std::abort();
  }
  nsVesk::g_FilePackManager = &m_Packs;
}

SoundArchive::~SoundArchive() { nsVesk::g_FilePackManager = nullptr; }

}  // namespace vesk_fuzz
