#pragma once
// One entry of the data archive's directory, and a directory (entry name to entry,
// in ascending byte order of the names).

#include <cstdint>
#include <map>
#include <string>

namespace nsZarn::nsFramework::nsFilePack {

struct FilePackEntry {
  std::uint64_t offset = 0;  // of the entry's first byte from the start of the archive
  std::uint32_t size = 0;
};

using FilePackDirectory = std::map<std::string, FilePackEntry>;

}  // namespace nsZarn::nsFramework::nsFilePack
