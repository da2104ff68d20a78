#pragma once
// Files and folders named in Shift-JIS. The game names files in CP932 bytes, with
// '\' or '/' between folders; the file system holds UTF-8 names. Every name is
// converted at this boundary: CP932 to UTF-8 when a file is opened, UTF-8 to CP932
// for names read from a folder.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The file-system form of a CP932 path: '\' separators (never a trail byte) become
// '/', and the bytes are converted to UTF-8.
std::string ToFileSystemPath(std::string_view cp932Path);

// C fopen of a CP932 path.
std::FILE* OpenFile(std::string_view cp932Path, const char* mode);

// One entry of a folder, as a folder walk reports it.
struct FolderEntry {
  std::string name;  // CP932 bytes
  // The name as the file system holds it (UTF-8), and whether it has a CP932 form
  // at all: a name such as U+301C or an emoji has none, and no CP932 name reaches
  // that file.
  std::string fileSystemName;
  bool hasCp932Name = true;
  bool isDirectory = false;
  // Whether the entry itself is a symbolic link; the other fields describe what it
  // reaches.
  bool isLink = false;
  std::uint64_t size = 0;  // bytes; 0 for folders
};

// Lists a folder's entries in the order the file system gives them, without "."
// and "..". Symbolic links are followed (and marked). False when the folder cannot
// be read.
bool ListFolder(std::string_view cp932Folder, std::vector<FolderEntry>& entries);

// Where a folder lies on the file system (device and inode): the same for every
// path that reaches the folder, through symbolic links or not.
struct FolderId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  bool operator==(const FolderId&) const = default;
};
// False when the folder cannot be examined.
bool GetFolderId(std::string_view cp932Folder, FolderId& id);

bool IsDirectory(std::string_view cp932Path);
bool FileExists(std::string_view cp932Path);
bool RemoveFile(std::string_view cp932Path);
// Creates a new folder, readable and writable by this user only, whose name is the
// prefix followed by six letters and digits that no other file has, and gives its
// name. False when no folder could be created.
bool CreateUniqueFolder(std::string_view cp932Prefix, std::string& cp932Folder);
// Removes a folder that is empty; false when it is not, or cannot be removed.
bool RemoveEmptyFolder(std::string_view cp932Folder);
// Replaces 'to' by 'from' in one step (the file system's atomic rename).
bool RenameFile(std::string_view cp932From, std::string_view cp932To);
// Waits until the file's contents are on the storage device (before a rename
// puts it in place, so that a crash never leaves a renamed, empty file).
bool SyncFile(std::string_view cp932Path);

// The parts of a path, as the Windows path splitter gives them. Separators are '\'
// and '/', found Shift-JIS-aware. drive: "X:" or empty; dir: up to and including
// the last separator; name: the last component without its extension; ext: from
// the last '.' of the last component (with the dot), or empty.
struct PathParts {
  std::string drive;
  std::string dir;
  std::string name;
  std::string ext;
};
PathParts SplitPath(std::string_view cp932Path);

}  // namespace platform
