#include "framework/filepack/folder_packer.h"

#include <algorithm>
#include <map>
#include <vector>

#include "framework/file/binary_io.h"
#include "framework/file/scrambled_string.h"
#include "framework/filepack/file_pack_entry.h"
#include "platform/debug/debug_sink.h"
#include "platform/files/files.h"
#include "platform/files/replacement_file.h"
#include "platform/files/staging_files.h"
#include "platform/work/load_quit.h"

namespace nsZarn::nsFramework::nsFilePack {
namespace {

using nsFile::nsFileReader::IFileReader;
using nsFile::nsFileWriter::IFileWriter;

// Folders nested deeper than this are refused.
constexpr std::size_t kMaxFolderDepth = 64;
// The archive's data is gathered and written in blocks of this size.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
struct PackedFile {
  std::string path;       // where the walk found it
  std::uint32_t size = 0;
  bool fromMemory = false;  // its converted form, held in bytes, is packed instead
  std::string bytes;
};

struct Walk {
  std::map<std::string, PackedFile> files;  // by entry name, in the archive's order
  // Files left out for a name without a Shift-JIS form, as the file system names them.
  std::vector<std::string> skipped;
};

bool IsParameterFile(const std::string& path) { return platform::SplitPath(path).ext == ".ini"; }

// Whether a folder's entry is a file a packing left waiting to replace one of the
// folder's parameter files.
bool IsWaitingParameterFile(const platform::FolderEntry& item, const std::vector<platform::FolderEntry>& items) {
  return std::any_of(items.begin(), items.end(), [&](const platform::FolderEntry& target) {
    return !target.isDirectory && target.hasCp932Name && IsParameterFile(target.name) &&
           platform::IsWaitingFileOf(item, target);
  });
}

// Walks a folder tree, following symbolic links. `enclosing` holds the folders the
// walk is inside: a link back to one of them would repeat the walk without end
// (two such links make it branch at every level), so it ends the packing. What a
// killed packing left waiting beside parameter files is removed when
// `removeLeftovers`, and never in a folder reached through a link, which may lie
// outside the game's folders.
bool WalkFolder(const std::string& name, const std::string& path, bool removeLeftovers,
                std::vector<platform::FolderId>& enclosing, Walk& walk) {
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
    if (platform::LoadsMustStop()) return false;
    if (!item.hasCp932Name) {
      // No Shift-JIS name reaches this file, so no script can name it: left out,
      // and named unless it is what a killed packing left.
      if (!IsWaitingParameterFile(item, items)) {
        walk.skipped.push_back(path + "/" + item.fileSystemName);
      } else if (removeLeftovers) {
        platform::RemoveWaitingFile(path, item);
      }
      continue;
    }
    const std::string itemName = name + "/" + item.name;
    const std::string itemPath = path + "/" + item.name;
    if (item.isDirectory) {
      if (!WalkFolder(itemName, itemPath, removeLeftovers && !item.isLink, enclosing, walk)) return false;
      continue;
    }
    // An entry's size is 32 bits; a larger file cannot be packed.
    if (item.size > UINT32_MAX) return false;
    PackedFile& file = walk.files[itemName];
    file.path = itemPath;
    file.size = static_cast<std::uint32_t>(item.size);
  }
  enclosing.pop_back();
  return true;
}

// Whether two names reach one file.
bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  platform::FolderId first, second;
  return platform::GetFolderId(a, first) && platform::GetFolderId(b, second) && first == second;
}

bool ReadWhole(IFileReader& reader, const std::string& path, std::string& bytes) {
  if (!reader.fopen(path.c_str(), "rb")) return false;
  const std::int64_t size = reader.GetSize();
  bytes.assign(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  const bool read = bytes.empty() || reader.fread(bytes.data(), bytes.size(), 1) == 1;
  reader.fclose();
  return read;
}

// The partial archive, and the converted parameter files as the parameter manager
// writes them, wait in a folder the packing creates for this run beside the
// archive: outside the folder being packed, so that a run killed on the way leaves
// nothing a later packing would pack or put in place, and on the archive's file
// system, so that the archive's final rename is atomic. The folder's name is unique
// to the run, so a later run never reuses what an earlier one left. Whatever of
// its files was not put in place is removed with the folder.
class StagingFolder {
 public:
  explicit StagingFolder(const std::string& archivePath)
      : m_Created(platform::CreateStagingFolder(archivePath, m_Path)) {}
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;
  ~StagingFolder() {
    if (!m_Created) return;
    for (const std::string& file : m_Files) platform::RemoveFile(file);
    platform::RemoveEmptyFolder(m_Path);
  }

  bool Created() const { return m_Created; }
  // The path of a new file of the folder.
  std::string NewFile(const std::string& name) {
    m_Files.push_back(m_Path + "/" + name);
    return m_Files.back();
  }

 private:
  std::string m_Path;
  bool m_Created;
  std::vector<std::string> m_Files;
};

// Converts every ".ini" file that is INI text into a file waiting beside the file
// its entry name names, to replace it once the archive is complete (a file already
// in converted form is packed as it is). The parameter manager writes through the
// game's writer, which names files in Shift-JIS, so the converted form is written
// in the staging folder and copied from there beside its file under the name the
// platform reserves, which no script can name. Where the replaced file is the
// packed one, the archive takes the converted bytes.
bool ConvertParameterFiles(Walk& walk, nsParam::ParamManager& params, IFileReader& reader, StagingFolder& staging,
                           std::vector<platform::ReplacementFile>& staged) {
  for (auto& [name, file] : walk.files) {
    if (platform::LoadsMustStop()) return false;
    if (!IsParameterFile(file.path)) continue;
    bool converted = false;
    if (params.LoadParamINIFile(file.path, true)) {
      const std::string writtenPath = staging.NewFile(std::to_string(staged.size()));
      std::string bytes;
      converted = params.SaveParamDATFile(file.path, writtenPath) && ReadWhole(reader, writtenPath, bytes) &&
                  bytes.size() <= UINT32_MAX && staged.emplace_back().Write(name, bytes);
      if (converted && SameFile(name, file.path)) {
        file.size = static_cast<std::uint32_t>(bytes.size());
        file.bytes = std::move(bytes);
        file.fromMemory = true;
      }
    } else {
      // Already in converted form (a second conversion): packed as it is.
      converted = params.LoadParamDATFile(file.path, true);
    }
    if (!converted) {
      platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack ParameterFile Convert Failed\n");
      return false;
    }
  }
  return true;
}

// The archive's data, gathered in large blocks: files are read straight into the
// block, which is written whenever it is full.
class BlockWriter {
 public:
  explicit BlockWriter(IFileWriter& writer) : m_Writer(writer), m_Block(kBlockBytes) {}

  bool Append(const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
      if (m_Used == m_Block.size() && !Flush()) return false;
      const std::size_t n = std::min(bytes.size() - done, m_Block.size() - m_Used);
      std::copy_n(bytes.data() + done, n, m_Block.data() + m_Used);
      m_Used += n;
      done += n;
    }
    return true;
  }

  // Reads the file's size bytes; the file must end there, as it did in the walk.
  bool AppendFile(IFileReader& reader, const std::string& path, std::uint32_t size) {
    if (!reader.fopen(path.c_str(), "rb")) {
      platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack File Can't Open\n");
      return false;
    }
    bool read = true;
    for (std::uint32_t left = size; read && left > 0;) {
      if (m_Used == m_Block.size() && !Flush()) {
        reader.fclose();
        return false;
      }
      const std::size_t n = std::min<std::size_t>(left, m_Block.size() - m_Used);
      read = reader.fread(m_Block.data() + m_Used, 1, n) == n;
      m_Used += read ? n : 0;
      left -= read ? static_cast<std::uint32_t>(n) : 0;
    }
    char beyond = 0;
    read = read && reader.fread(&beyond, 1, 1) == 0;
    reader.fclose();
    // A file that changed since the walk would no longer match its directory record.
    if (!read) platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack File Can't Read\n");
    return read;
  }

  // Stops at a termination signal: the archive is left unfinished.
  bool Flush() {
    if (platform::LoadsMustStop()) return false;
    const bool written = m_Used == 0 || m_Writer.fwrite(m_Block.data(), 1, m_Used) == m_Used;
    m_Used = 0;
    return written;
  }

 private:
  IFileWriter& m_Writer;
  std::vector<char> m_Block;
  std::size_t m_Used = 0;
};

bool WriteArchive(const Walk& walk, std::uint8_t key, IFileReader& reader, IFileWriter& writer) {
  std::uint64_t offset = kArchiveHeaderSize;
  for (const auto& [name, file] : walk.files) offset += name.size() + kDirectoryRecordOverhead;
  bool ok = writer.fwrite(kArchiveMagic, 1, sizeof kArchiveMagic) == sizeof kArchiveMagic &&
            nsFile::WriteU32(writer, static_cast<std::uint32_t>(walk.files.size()));
  for (auto f = walk.files.begin(); ok && f != walk.files.end(); ++f) {
    ok = nsFile::WriteScrambledString(&writer, key, f->first) && nsFile::WriteU64(writer, offset) &&
         nsFile::WriteU32(writer, f->second.size);
    offset += f->second.size;
  }
  BlockWriter data(writer);
  for (auto f = walk.files.begin(); ok && f != walk.files.end(); ++f) {
    const PackedFile& file = f->second;
    ok = file.fromMemory ? data.Append(file.bytes) : data.AppendFile(reader, file.path, file.size);
  }
  return ok && data.Flush();
}

}  // namespace

bool PackFolder(const std::string& folderPath, const std::string& prefix, const std::string& archivePath,
                std::uint8_t key, IFileReader& reader, IFileWriter& writer, nsParam::ParamManager& params,
                const platform::FolderLock& archiveFolderLock) {
  // What earlier packings killed on their way left goes first, while no other
  // packing can be writing it: the staging folders here, and the files waiting
  // beside parameter files on the walk.
  const bool removeLeftovers = archiveFolderLock.IsHeld();
  if (removeLeftovers) platform::RemoveStagingFolders(archivePath);
  Walk walk;
  std::vector<platform::FolderId> enclosing;
  if (!WalkFolder(prefix, folderPath, removeLeftovers, enclosing, walk)) return false;
  for (const std::string& path : walk.skipped) {
    platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack Name Not Shift-JIS : " + path + "\n");
  }
  StagingFolder staging(archivePath);
  if (!staging.Created()) {
    platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack Staging Folder Can't Create\n");
    return false;
  }
  // Whatever the packing fails on, the files still waiting are removed with these.
  std::vector<platform::ReplacementFile> staged;
  if (!ConvertParameterFiles(walk, params, reader, staging, staged)) return false;

  const platform::PathParts archiveName = platform::SplitPath(archivePath);
  const std::string partialPath = staging.NewFile(archiveName.name + archiveName.ext);
  bool ok = writer.fopen(partialPath.c_str(), "wb");
  if (ok) {
    ok = WriteArchive(walk, key, reader, writer);
    ok = writer.fclose() && ok;
  }
  // On the storage device before it takes its name (the converted parameter files
  // were synced when written), so that a crash never leaves a renamed, empty file.
  ok = ok && platform::SyncFile(partialPath);
  // Every file was read: the parameter files take their converted form, then the
  // archive its name.
  for (std::size_t i = 0; ok && i < staged.size(); ++i) ok = staged[i].PutInPlace();
  return ok && platform::RenameFile(partialPath, archivePath);
}

}  // namespace nsZarn::nsFramework::nsFilePack
