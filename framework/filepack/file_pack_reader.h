#pragma once
// A file reader confined to one entry of the data archive: positions, sizes and
// the end of the file are those of the entry. Every reader on an archive shares
// the archive's one open descriptor and reads it at its own position, so several
// entries can be open at once and thousands of loaded sounds cost no descriptor
// each. The archive's directory never changes once read, so every reader shares
// the one the manager read too.

#include <memory>

#include "framework/file/file_reader.h"
#include "framework/filepack/file_pack_entry.h"
#include "platform/files/positional_file.h"

namespace nsZarn::nsFramework::nsFilePack {

// An archive as its readers see it: its directory and its open file.
struct FilePackArchive {
  FilePackDirectory directory;
  std::shared_ptr<const platform::PositionalFile> file;
};

class CFilePackReader : public nsFile::nsFileReader::CFileReader {
 public:
  explicit CFilePackReader(std::shared_ptr<const FilePackArchive> archive);

  // Opens the entry of that name (exact bytes).
  bool fopen(const char* entryName, const char* mode) override;
  bool fclose() override;
  bool IsOpen() const override { return m_Open; }
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
  int ferror() override { return m_Open && m_Error ? 1 : 0; }

 private:
  std::int64_t Size() const { return m_Entry.size; }
  // Reads at the position and moves past what was read; a short read (the
  // archive was cut short under the reader) sets the end-of-file flag.
  std::size_t ReadHere(void* buffer, std::size_t bytes);
  bool MoveTo(std::int64_t position);

  std::shared_ptr<const FilePackArchive> m_Archive;
  FilePackEntry m_Entry;
  bool m_Open = false;
  std::int64_t m_Position = 0;  // within the entry
  bool m_AtFileEnd = false;
  bool m_Error = false;
};

}  // namespace nsZarn::nsFramework::nsFilePack
