#pragma once
// The data archive "Data.dat": a directory of named entries followed by their bytes.
//
// Format (little-endian): ".Zarnpak", u32 entry count N, then N directory records
// in ascending byte order of their names (name as a scrambled string, u64 offset of
// the data from the start of the file, u32 size), then the entries' bytes back to
// back in directory order. Entry names are the folder's name, '/', and the path
// inside the folder with '/' between its parts ("Data/Common.ini").

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/filepack/file_pack_entry.h"
#include "framework/filepack/file_pack_reader.h"
#include "framework/param/param_manager.h"

namespace nsZarn::nsFramework::nsFilePack {

class FilePackManager {
 public:
  // Takes ownership of both.
  FilePackManager(nsFile::nsFileReader::IFileReader* reader, nsFile::nsFileWriter::IFileWriter* writer);
  FilePackManager(const FilePackManager&) = delete;
  FilePackManager& operator=(const FilePackManager&) = delete;
  virtual ~FilePackManager();

  // Reads the archive's directory once per path. A damaged directory (cut short, a
  // count larger than the file can hold, an entry beyond the end of the file) is
  // refused and nothing of it is kept.
  bool OpenFilePack(const std::string& archivePath);
  // A new reader on the archive (owned by the caller), or null.
  nsFile::nsFileReader::IFileReader* GetFileReader(const std::string& archivePath);
  // Converts the folder's ".ini" files to the converted parameter form (each written
  // to the file its entry name names) and packs the folder tree into the folder
  // path followed by ".dat" (folder_packer.h). A file whose name has no Shift-JIS
  // form is left out (no script can name it), with a debug line naming it.
  //
  // One packing at a time beside the archive: it holds the lock of the archive's
  // folder, and waits while another process holds it; when the archive then opens
  // (that process made it), nothing is packed. Where the folder takes no lock, it
  // packs without removing what killed packings left. False when the packing
  // failed, or when a termination signal stopped it (LoadsMustStop() tells which).
  bool ConvertToFilePack(const std::string& folderPath, nsParam::ParamManager* params);

 private:
  std::uint8_t m_Key = 0;
  nsFile::nsFileReader::IFileReader* m_Reader;
  nsFile::nsFileWriter::IFileWriter* m_Writer;
  // Read once per archive path; the directory and the open file are shared by
  // every reader on that archive.
  std::map<std::string, std::shared_ptr<const FilePackArchive>> m_Archives;
};

}  // namespace nsZarn::nsFramework::nsFilePack
