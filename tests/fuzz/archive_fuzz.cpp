// The data archive: the bytes opened as "Data.dat", every entry of its directory
// opened through an archive reader and read whole, by blocks and by lines.

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/file/binary_io.h"
#include "framework/file/scrambled_string.h"
#include "framework/filepack/file_pack_manager.h"
#include "tests/fuzz/fuzz_support.h"

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFile::nsFileReader::IFileReader;
using nsZarn::nsFile::nsFileWriter::CFileWriter;

namespace {

// The entry names of an archive the manager accepted, read as its directory stores them.
std::vector<std::string> EntryNames() {
  std::vector<std::string> names;
  CFileReader reader;
  if (!reader.fopen("Data.dat", "rb")) return names;
  char magic[8];
  std::uint32_t count = 0;
  if (reader.fread(magic, 1, 8) != 8 || !nsZarn::nsFile::ReadU32(reader, count)) return names;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string name;
    char position[12];
    if (!nsZarn::nsFile::ReadScrambledString(&reader, 0, name) || reader.fread(position, 1, 12) != 12) break;
    names.push_back(name);
  }
  return names;
}

void ReadEntry(IFileReader& reader, const std::string& name) {
  if (!reader.fopen(name.c_str(), "rb")) return;
  const std::int64_t size = reader.GetSize();
  std::vector<char> block(4096);
  while (reader.fread(block.data(), 1, block.size()) == block.size()) {
  }
  reader.fseek(0, SEEK_SET);
  char line[256];
  while (reader.fgets(line, sizeof line)) {
  }
  reader.fseek(size / 2, SEEK_SET);
  char byte = 0;
  reader.fgetc(byte);
  reader.fseek(-1, SEEK_END);
  reader.ftell();
  reader.feof();
  reader.fclose();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vesk_fuzz::EnterScratchFolder();
  vesk_fuzz::WriteScratchFile("Data.dat", data, size);
  nsZarn::nsFramework::nsFilePack::FilePackManager archive(new CFileReader, new CFileWriter);
  if (!archive.OpenFilePack("Data.dat")) return 0;
  for (const std::string& name : EntryNames()) {
    std::unique_ptr<IFileReader> reader(archive.GetFileReader("Data.dat"));
    if (reader != nullptr) ReadEntry(*reader, name);
  }
  return 0;
}
