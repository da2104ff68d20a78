#pragma once
// A file reader confined to one entry of the data archive: positions, sizes and
// the end of the file are those of the entry. Each reader holds its own stream on
// the archive, so several entries can be open at once. The archive's directory
// never changes once read, so every reader shares the one the manager read
// (a sound keeps its reader for its whole life; a copy each would cost the whole
// directory per loaded sound).

#include <memory>
#include <string>

#include "framework/file/file_reader.h"
#include "framework/filepack/file_pack_entry.h"

namespace nsZarn::nsFramework::nsFilePack {

class CFilePackReader : public nsFile::nsFileReader::CFileReader {
 public:
  CFilePackReader(const std::string& archivePath, std::shared_ptr<const FilePackDirectory> directory);

  // Opens the entry of that name (exact bytes).
  bool fopen(const char* entryName, const char* mode) override;
  std::int64_t GetSize() override;
  bool fgetc(char& byte) override;
  // Stops at capacity - 1 bytes, after a stored 0, at a line feed (which is not
  // kept) or at the entry's end. False when nothing is left to read.
  bool fgets(char* buffer, std::size_t capacity) override;
  std::size_t fread(void* buffer, std::size_t elementSize, std::size_t count) override;
  std::int64_t ftell() override;
  bool fseek(std::int64_t offset, int origin) override;
  bool fgetpos(std::int64_t& position) override;
  bool fsetpos(std::int64_t position) override;
  bool feof() override;

 private:
  std::int64_t FilePosition() const;
  std::int64_t EntryStart() const { return static_cast<std::int64_t>(m_Entry.offset); }
  std::int64_t EntryEnd() const { return EntryStart() + m_Entry.size; }
  bool SeekAbsolute(std::int64_t position);

  std::string m_ArchivePath;
  FilePackEntry m_Entry;
  std::shared_ptr<const FilePackDirectory> m_Directory;
};

}  // namespace nsZarn::nsFramework::nsFilePack
