#pragma once
// One entry of the data archive's directory, a directory (entry name to entry, in
// ascending byte order of the names), and the sizes of the archive's fixed parts.

#include <cstdint>
#include <map>
#include <string>

namespace nsZarn::nsFramework::nsFilePack {

struct FilePackEntry {
  std::uint64_t offset = 0;  // of the entry's first byte from the start of the archive
  std::uint32_t size = 0;
};

using FilePackDirectory = std::map<std::string, FilePackEntry>;

inline constexpr char kArchiveMagic[8] = {'.', 'Z', 'a', 'r', 'n', 'p', 'a', 'k'};
// The magic and the u32 entry count.
inline constexpr std::int64_t kArchiveHeaderSize = 8 + 4;
// A directory record without its name's bytes: the terminator, u64 offset, u32 size.
inline constexpr std::int64_t kDirectoryRecordOverhead = 1 + 8 + 4;

}  // namespace nsZarn::nsFramework::nsFilePack
