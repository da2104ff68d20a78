// WAVE files: opened by the WAVE reader from a file and played through.

#include "framework/file/file_reader.h"
#include "framework/sound/wav_reader.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/sound_reader_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vesk_fuzz::EnterScratchFolder();
  vesk_fuzz::WriteScratchFile("se.wav", data, size);
  nsZarn::nsSound::nsISoundReader::CWavReader reader(new nsZarn::nsFile::nsFileReader::CFileReader,
                                                     "se.wav");
  vesk_fuzz::PlayThrough(reader);
  return 0;
}
