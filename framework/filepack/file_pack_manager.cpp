#include "framework/filepack/file_pack_manager.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/file/binary_io.h"
#include "framework/file/scrambled_string.h"
#include "framework/filepack/file_pack_reader.h"
#include "platform/debug/debug_sink.h"
#include "platform/files/files.h"
#include "platform/text/cp932.h"

namespace nsZarn::nsFramework::nsFilePack {

using nsFile::ReadScrambledString;
using nsFile::WriteScrambledString;

namespace {

// A directory record without its name's bytes: the terminator, offset and size.
constexpr std::int64_t kRecordOverhead = 1 + 8 + 4;
constexpr std::int64_t kHeaderSize = 8 + 4;
// Folders nested deeper than this are refused.
constexpr std::size_t kMaxFolderDepth = 64;

struct WalkResult {
  std::map<std::string, std::string> paths;  // entry name to path
  FilePackDirectory entries;                  // sizes only
  // Files left out for a name without a Shift-JIS form, as the file system names them.
  std::vector<std::string> skipped;
};

// Walks a folder tree, following symbolic links. `enclosing` holds the folders the
// walk is inside: a link back to one of them would repeat the walk without end
// (two such links make it branch at every level), so it ends the conversion.
bool WalkFolder(const std::string& name, const std::string& path, std::vector<platform::FolderId>& enclosing,
                WalkResult& result) {
  platform::FolderId id;
  if (!platform::GetFolderId(path, id)) return false;
  if (std::find(enclosing.begin(), enclosing.end(), id) != enclosing.end()) {
    platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack Folder Loop\n");
    return false;
  }
  if (enclosing.size() > kMaxFolderDepth) return false;
  std::vector<platform::FolderEntry> items;
  if (!platform::ListFolder(path, items)) return false;
  enclosing.push_back(id);
  for (const auto& item : items) {
    if (!item.hasCp932Name) {
      // No Shift-JIS name reaches this file, so no script can name it: left out.
      result.skipped.push_back(path + "/" + item.fileSystemName);
      continue;
    }
    const std::string itemName = name + "/" + item.name;
    const std::string itemPath = path + "/" + item.name;
    if (item.isDirectory) {
      if (!WalkFolder(itemName, itemPath, enclosing, result)) return false;
      continue;
    }
    // An entry's size is 32 bits; a larger file cannot be packed.
    if (item.size > UINT32_MAX) return false;
    result.paths[itemName] = itemPath;
    result.entries[itemName].size = static_cast<std::uint32_t>(item.size);
  }
  enclosing.pop_back();
  return true;
}

bool WalkFolderTree(const std::string& prefix, const std::string& folderPath, WalkResult& result) {
  std::vector<platform::FolderId> enclosing;
  return WalkFolder(prefix, folderPath, enclosing, result);
}

// The name prefix: the part of the folder path after its last separator, or the
// whole path when there is none or that part is empty.
std::string NamePrefix(const std::string& folderPath) {
  const std::size_t slash = platform::SjisFindLast(folderPath, '/');
  const std::size_t backslash = platform::SjisFindLast(folderPath, '\\');
  std::size_t last = std::string::npos;
  if (slash != std::string::npos) last = slash;
  if (backslash != std::string::npos && (last == std::string::npos || backslash > last)) last = backslash;
  if (last == std::string::npos || last + 1 == folderPath.size()) return folderPath;
  return folderPath.substr(last + 1);
}

// Reads the directory after the magic into a fresh map.
bool ReadDirectory(nsFile::nsFileReader::IFileReader& reader, std::uint8_t key, FilePackDirectory& directory) {
  const std::int64_t fileSize = reader.GetSize();
  std::uint32_t count = 0;
  if (!nsFile::ReadU32(reader, count)) return false;
  if (count > nsFile::RemainingBytes(reader) / kRecordOverhead) return false;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string name;
    FilePackEntry entry;
    if (!ReadScrambledString(&reader, key, name) || !nsFile::ReadU64(reader, entry.offset) ||
        !nsFile::ReadU32(reader, entry.size)) {
      return false;
    }
    if (entry.offset > static_cast<std::uint64_t>(fileSize) ||
        entry.size > static_cast<std::uint64_t>(fileSize) - entry.offset) {
      return false;  // the entry's bytes lie beyond the end of the archive
    }
    directory[name] = entry;  // a name read twice keeps the later record
  }
  return true;
}

bool IsParameterFile(const std::string& path) { return platform::SplitPath(path).ext == ".ini"; }

// Every file that is packed as it stands must open before the parameter files
// are rewritten in place.
bool OtherFilesOpen(const WalkResult& walk, nsFile::nsFileReader::IFileReader& reader) {
  for (const auto& [name, path] : walk.paths) {
    if (IsParameterFile(path)) continue;
    if (!reader.fopen(path.c_str(), "rb")) {
      platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack File Can't Open\n");
      return false;
    }
    reader.fclose();
  }
  return true;
}

bool ConvertParameterFiles(const WalkResult& walk, nsParam::ParamManager& params) {
  for (const auto& [name, path] : walk.paths) {
    if (!IsParameterFile(path)) continue;
    bool converted = false;
    if (params.LoadParamINIFile(path, true)) {
      converted = params.SaveParamDATFile(path, name);
    } else {
      // Already in converted form (a second conversion): kept as it is.
      converted = params.LoadParamDATFile(path, true);
    }
    if (!converted) {
      platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack ParameterFile Convert Failed\n");
      return false;
    }
  }
  return true;
}

}  // namespace

FilePackManager::FilePackManager(nsFile::nsFileReader::IFileReader* reader, nsFile::nsFileWriter::IFileWriter* writer)
    : m_Reader(reader), m_Writer(writer) {}

FilePackManager::~FilePackManager() {
  delete m_Reader;
  delete m_Writer;
}

bool FilePackManager::OpenFilePack(const std::string& archivePath) {
  if (m_Reader == nullptr) {
    platform::WriteDebugLine("Failed : FilePackManager::OpenFilePack FilePackManager Not Initialized\n");
    return false;
  }
  if (archivePath.empty()) return false;
  if (m_Archives.count(archivePath) != 0) return true;
  if (!m_Reader->fopen(archivePath.c_str(), "rb")) return false;
  char magic[sizeof kMagic] = {};
  auto archive = std::make_shared<FilePackArchive>();
  const bool ok = m_Reader->fread(magic, 1, sizeof magic) == sizeof magic &&
                  std::memcmp(magic, kMagic, sizeof magic) == 0 &&
                  ReadDirectory(*m_Reader, m_Key, archive->directory);
  m_Reader->fclose();
  if (!ok) return false;
  // The one descriptor every reader on this archive reads through.
  archive->file = platform::PositionalFile::Open(archivePath);
  if (archive->file == nullptr) return false;
  m_Archives[archivePath] = std::move(archive);
  return true;
}

nsFile::nsFileReader::IFileReader* FilePackManager::GetFileReader(const std::string& archivePath) {
  if (!OpenFilePack(archivePath)) return nullptr;
  return new CFilePackReader(m_Archives[archivePath]);
}

bool FilePackManager::ConvertToFilePack(const std::string& folderPath, nsParam::ParamManager* params) {
  if (m_Reader == nullptr || m_Writer == nullptr || params == nullptr) {
    platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack FilePackManager Not Initialized\n");
    return false;
  }
  if (!platform::IsDirectory(folderPath)) return false;
  const std::string prefix = NamePrefix(folderPath);

  WalkResult first;
  if (!WalkFolderTree(prefix, folderPath, first)) return false;
  for (const std::string& path : first.skipped) {
    platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack Name Not Shift-JIS : " + path + "\n");
  }
  if (!OtherFilesOpen(first, *m_Reader)) return false;
  if (!ConvertParameterFiles(first, *params)) return false;
  // Walked again, so that the sizes are those of the converted files.
  WalkResult walk;
  if (!WalkFolderTree(prefix, folderPath, walk)) return false;

  std::uint64_t offset = kHeaderSize;
  for (const auto& [name, entry] : walk.entries) offset += name.size() + kRecordOverhead;
  for (auto& [name, entry] : walk.entries) {
    entry.offset = offset;
    offset += entry.size;
  }

  const std::string archivePath = folderPath + ".dat";
  const std::string partialPath = archivePath + ".tmp";
  if (!m_Writer->fopen(partialPath.c_str(), "wb")) return false;
  bool ok = m_Writer->fwrite(kMagic, 1, sizeof kMagic) == sizeof kMagic &&
            nsFile::WriteU32(*m_Writer, static_cast<std::uint32_t>(walk.entries.size()));
  for (auto e = walk.entries.begin(); ok && e != walk.entries.end(); ++e) {
    ok = WriteScrambledString(m_Writer, m_Key, e->first) && nsFile::WriteU64(*m_Writer, e->second.offset) &&
         nsFile::WriteU32(*m_Writer, e->second.size);
  }
  std::vector<char> bytes;
  for (auto e = walk.entries.begin(); ok && e != walk.entries.end(); ++e) {
    const std::string& path = walk.paths[e->first];
    if (!m_Reader->fopen(path.c_str(), "rb")) {
      platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack File Can't Open\n");
      ok = false;
      break;
    }
    const std::int64_t size = m_Reader->GetSize();
    bytes.assign(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    const bool read = bytes.empty() || m_Reader->fread(bytes.data(), bytes.size(), 1) == 1;
    m_Reader->fclose();
    // A file that changed since the walk would no longer match its directory record.
    if (!read || size != static_cast<std::int64_t>(e->second.size)) {
      platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack File Can't Read\n");
      ok = false;
      break;
    }
    ok = bytes.empty() || m_Writer->fwrite(bytes.data(), bytes.size(), 1) == 1;
  }
  ok = m_Writer->fclose() && ok;
  // On the storage device before it takes the archive's name.
  if (ok) ok = platform::SyncFile(partialPath) && platform::RenameFile(partialPath, archivePath);
  if (!ok) platform::RemoveFile(partialPath);
  return ok;
}

}  // namespace nsZarn::nsFramework::nsFilePack
