// Ogg Vorbis files: their pages made whole again after mutation, then opened by
// the Ogg reader from a file and played through.

#include <string>

#include "framework/file/file_reader.h"
#include "framework/sound/ogg_reader.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/ogg_pages.h"
#include "tests/fuzz/sound_reader_run.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vesk_fuzz::EnterScratchFolder();
  std::string bytes(reinterpret_cast<const char*>(data), size);
  vesk_fuzz::RepairOggPages(bytes);
  vesk_fuzz::WriteScratchFile("bgm.ogg", reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  nsZarn::nsSound::nsISoundReader::COggReader reader(new nsZarn::nsFile::nsFileReader::CFileReader,
                                                     "bgm.ogg");
  if (reader.IsOpen()) vesk_fuzz::NoteAccepted();
  vesk_fuzz::PlayThrough(reader);
  return 0;
}
