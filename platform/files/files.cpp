#include "platform/files/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/text/cp932.h"

namespace platform {
namespace {

bool StatPath(std::string_view cp932Path, struct stat& info) {
  return ::stat(ToFileSystemPath(cp932Path).c_str(), &info) == 0;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string ToFileSystemPath(std::string_view cp932Path) {
  std::string path(cp932Path);
  for (std::size_t pos = SjisFind(path, '\\'); pos != std::string::npos; pos = SjisFind(path, '\\', pos + 1)) {
    path[pos] = '/';
  }
  return Cp932ToUtf8(path);
}

std::FILE* OpenFile(std::string_view cp932Path, const char* mode) {
  return std::fopen(ToFileSystemPath(cp932Path).c_str(), mode);
}

bool ListFolder(std::string_view cp932Folder, std::vector<FolderEntry>& entries) {
  entries.clear();
  const std::string folder = ToFileSystemPath(cp932Folder);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
  if (!dir) return false;
  while (const dirent* item = ::readdir(dir.get())) {
    const std::string name = item->d_name;
    if (name == "." || name == "..") continue;
    struct stat info {};
    // Looked up from the open folder: one name, not the whole path, for every entry.
    if (::fstatat(::dirfd(dir.get()), item->d_name, &info, 0) != 0) continue;  // a dangling link
    FolderEntry entry;
    entry.name = Utf8ToCp932(name);
    entry.fileSystemName = name;
    entry.hasCp932Name = Cp932ToUtf8(entry.name) == name;
    entry.isDirectory = S_ISDIR(info.st_mode);
    // Where the file system gives no type, the entry itself is looked up.
    struct stat own {};
    entry.isLink = item->d_type == DT_LNK ||
                   (item->d_type == DT_UNKNOWN &&
                    ::fstatat(::dirfd(dir.get()), item->d_name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode));
    entry.size = entry.isDirectory ? 0 : static_cast<std::uint64_t>(info.st_size);
    entries.push_back(std::move(entry));
  }
  return true;
}

bool GetFolderId(std::string_view cp932Folder, FolderId& id) {
  struct stat info {};
  if (!StatPath(cp932Folder, info)) return false;
  id.device = static_cast<std::uint64_t>(info.st_dev);
  id.inode = static_cast<std::uint64_t>(info.st_ino);
  return true;
}

bool IsDirectory(std::string_view cp932Path) {
  struct stat info {};
  return StatPath(cp932Path, info) && S_ISDIR(info.st_mode);
}

bool FileExists(std::string_view cp932Path) {
  struct stat info {};
  return StatPath(cp932Path, info);
}

bool RemoveFile(std::string_view cp932Path) { return std::remove(ToFileSystemPath(cp932Path).c_str()) == 0; }

bool CreateUniqueFolder(std::string_view cp932Prefix, std::string& cp932Folder) {
  constexpr std::string_view kUnique = "XXXXXX";
  std::string path = ToFileSystemPath(cp932Prefix);
  path += kUnique;
  if (::mkdtemp(path.data()) == nullptr) return false;
  // The six characters mkdtemp chose are ASCII: the same in both encodings.
  cp932Folder = std::string(cp932Prefix) + path.substr(path.size() - kUnique.size());
  return true;
}

bool RemoveEmptyFolder(std::string_view cp932Folder) { return ::rmdir(ToFileSystemPath(cp932Folder).c_str()) == 0; }

bool RenameFile(std::string_view cp932From, std::string_view cp932To) {
  return std::rename(ToFileSystemPath(cp932From).c_str(), ToFileSystemPath(cp932To).c_str()) == 0;
}

bool SyncFile(std::string_view cp932Path) {
  const int fd = ::open(ToFileSystemPath(cp932Path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
}

PathParts SplitPath(std::string_view cp932Path) {
  PathParts parts;
  std::string_view rest = cp932Path;
  if (rest.size() >= 2 && rest[1] == ':' && !IsSjisLeadByte(rest[0])) {
    parts.drive = std::string(rest.substr(0, 2));
    rest.remove_prefix(2);
  }
  std::size_t nameStart = 0;
  for (std::size_t pos = 0; pos < rest.size();) {
    const std::size_t length = IsSjisLeadByte(rest[pos]) && pos + 1 < rest.size() ? 2 : 1;
    if (length == 1 && IsSeparator(rest[pos])) nameStart = pos + 1;
    pos += length;
  }
  parts.dir = std::string(rest.substr(0, nameStart));
  const std::string_view last = rest.substr(nameStart);
  const std::size_t dot = SjisFindLast(last, '.');
  if (dot == std::string_view::npos) {
    parts.name = std::string(last);
  } else {
    parts.name = std::string(last.substr(0, dot));
    parts.ext = std::string(last.substr(dot));
  }
  return parts;
}

}  // namespace platform
