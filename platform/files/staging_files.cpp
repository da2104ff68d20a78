#include "platform/files/staging_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

// The name of a waiting file, as the file system holds it, after its target's name.
constexpr std::string_view kFileInfix = "\xC2\xB7staging-";
// The name of a staging folder after its target's name.
constexpr std::string_view kFolderInfix = ".staging-";
// The characters mkostemp and mkdtemp choose: letters and digits.
constexpr std::size_t kUniqueChars = 6;

// Whether a name ends in the infix followed by six letters or digits.
bool EndsInUniqueName(std::string_view name, std::string_view infix) {
  if (name.size() < infix.size() + kUniqueChars) return false;
  const std::string_view unique = name.substr(name.size() - kUniqueChars);
  return name.substr(name.size() - kUniqueChars - infix.size(), infix.size()) == infix &&
         std::all_of(unique.begin(), unique.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
         });
}

// Removes every entry of a folder that is no folder, then the folder.
void RemoveFilesAndFolder(const std::string& cp932Folder) {
  std::vector<FolderEntry> entries;
  ListFolder(cp932Folder, entries);
  const std::string folder = ToFileSystemPath(cp932Folder);
  for (const FolderEntry& entry : entries) {
    if (!entry.isDirectory) ::unlink((folder + "/" + entry.fileSystemName).c_str());
  }
  RemoveEmptyFolder(cp932Folder);
}

}  // namespace

std::string StagingFileTemplate(std::string_view cp932Target) {
  return ToFileSystemPath(cp932Target) + std::string(kFileInfix) + std::string(kUniqueChars, 'X');
}

bool CreateStagingFolder(std::string_view cp932Target, std::string& cp932Folder) {
  return CreateUniqueFolder(std::string(cp932Target) + std::string(kFolderInfix), cp932Folder);
}

bool IsStagingLeftover(const FolderEntry& entry) {
  return !entry.isDirectory && EndsInUniqueName(entry.fileSystemName, kFileInfix);
}

bool RemoveStagingLeftover(std::string_view cp932Folder, const FolderEntry& entry) {
  return IsStagingLeftover(entry) &&
         ::unlink((ToFileSystemPath(cp932Folder) + "/" + entry.fileSystemName).c_str()) == 0;
}

void RemoveStagingFolders(std::string_view cp932Target) {
  const PathParts target = SplitPath(cp932Target);
  const std::string folder = target.drive + target.dir;
  const std::string name = target.name + target.ext;
  std::vector<FolderEntry> entries;
  if (!ListFolder(folder.empty() ? "." : folder, entries)) return;
  for (const FolderEntry& entry : entries) {
    const std::string path = folder + entry.name;
    struct stat info {};
    if (entry.hasCp932Name && entry.name.size() == name.size() + kFolderInfix.size() + kUniqueChars &&
        entry.name.starts_with(name) && EndsInUniqueName(entry.name, kFolderInfix) &&
        ::lstat(ToFileSystemPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      RemoveFilesAndFolder(path);
    }
  }
}

}  // namespace platform
