#include "framework/filepack/file_pack_manager.h"

#include <cstring>

#include "framework/file/binary_io.h"
#include "framework/file/scrambled_string.h"
#include "framework/filepack/file_pack_reader.h"
#include "framework/filepack/folder_packer.h"
#include "platform/debug/debug_sink.h"
#include "platform/files/files.h"
#include "platform/files/folder_lock.h"
#include "platform/text/cp932.h"

namespace nsZarn::nsFramework::nsFilePack {

using nsFile::ReadScrambledString;

namespace {

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
  if (count > nsFile::RemainingBytes(reader) / kDirectoryRecordOverhead) return false;
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
  char magic[sizeof kArchiveMagic] = {};
  auto archive = std::make_shared<FilePackArchive>();
  const bool ok = m_Reader->fread(magic, 1, sizeof magic) == sizeof magic &&
                  std::memcmp(magic, kArchiveMagic, sizeof magic) == 0 &&
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
  const std::string archivePath = folderPath + ".dat";
  const platform::PathParts archive = platform::SplitPath(archivePath);
  platform::FolderLock lock;
  switch (lock.Take(archive.drive + archive.dir)) {
    case platform::FolderLock::Outcome::kStopped: return false;
    case platform::FolderLock::Outcome::kUnavailable:
      platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack No Pack Lock, Leftovers Kept\n");
      break;
    case platform::FolderLock::Outcome::kHeld: break;
  }
  // A packing that held the lock before may have made the archive meanwhile.
  if (OpenFilePack(archivePath)) return true;
  return PackFolder(folderPath, NamePrefix(folderPath), archivePath, m_Key, *m_Reader, *m_Writer, *params, lock);
}

}  // namespace nsZarn::nsFramework::nsFilePack
