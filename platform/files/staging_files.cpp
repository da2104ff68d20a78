#include "platform/files/staging_files.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/debug/debug_sink.h"

namespace platform {
namespace {

// The name of a waiting file, as the file system holds it, after its target's name.
constexpr std::string_view kFileInfix = "\xC2\xB7staging-";
// The name of a staging folder after its target's name.
constexpr std::string_view kFolderInfix = ".staging-";
// The characters mkostemp and mkdtemp choose: letters and digits.
constexpr std::size_t kUniqueChars = 6;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a name is the target's followed by the infix and six letters or digits.
bool IsReservedNameOf(std::string_view name, std::string_view target, std::string_view infix) {
  if (name.size() != target.size() + infix.size() + kUniqueChars || !name.starts_with(target) ||
      name.substr(target.size(), infix.size()) != infix) {
    return false;
  }
  const std::string_view unique = name.substr(name.size() - kUniqueChars);
  return std::all_of(unique.begin(), unique.end(),
                     [](char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

// Removes a folder's entry, named as the file system holds it (a reserved name may
// have no Shift-JIS form).
bool RemoveEntry(std::string_view cp932Folder, const FolderEntry& entry) {
  return ::unlink((ToFileSystemPath(cp932Folder) + "/" + entry.fileSystemName).c_str()) == 0;
}

// Whether an entry of a staging folder is one a run writes there: a file named by
// a decimal number, or by the target's own name.
bool IsStagedFile(const FolderEntry& entry, std::string_view target) {
  const std::string& name = entry.fileSystemName;
  const bool number =
      !name.empty() && std::all_of(name.begin(), name.end(), IsDigit) && (name == "0" || name[0] != '0');
  return !entry.isDirectory && !entry.isLink && (number || name == target);
}

// Removes a staging folder with its files when it holds only what a run writes there.
void RemoveStagingFolder(const std::string& cp932Folder, std::string_view target) {
  std::vector<FolderEntry> entries;
  if (!ListFolder(cp932Folder, entries)) return;
  if (!std::all_of(entries.begin(), entries.end(), [&](const FolderEntry& e) { return IsStagedFile(e, target); })) {
    WriteDebugLine("Failed : RemoveStagingFolders Holds Other Files, Kept : " + cp932Folder + "\n");
    return;
  }
  for (const FolderEntry& entry : entries) RemoveEntry(cp932Folder, entry);
  RemoveEmptyFolder(cp932Folder);
}

}  // namespace

std::string StagingFileTemplate(std::string_view cp932Target) {
  return ToFileSystemPath(cp932Target) + std::string(kFileInfix) + std::string(kUniqueChars, 'X');
}

bool CreateStagingFolder(std::string_view cp932Target, std::string& cp932Folder) {
  return CreateUniqueFolder(std::string(cp932Target) + std::string(kFolderInfix), cp932Folder);
}

bool IsWaitingFileOf(const FolderEntry& entry, const FolderEntry& target) {
  return !entry.isDirectory && !entry.isLink &&
         IsReservedNameOf(entry.fileSystemName, target.fileSystemName, kFileInfix);
}

bool RemoveWaitingFile(std::string_view cp932Folder, const FolderEntry& entry) {
  return RemoveEntry(cp932Folder, entry);
}

void RemoveStagingFolders(std::string_view cp932Target) {
  const PathParts target = SplitPath(cp932Target);
  const std::string folder = target.drive + target.dir;
  const std::string name = target.name + target.ext;
  std::vector<FolderEntry> entries;
  if (!ListFolder(folder.empty() ? "." : folder, entries)) return;
  for (const FolderEntry& entry : entries) {
    if (entry.hasCp932Name && entry.isDirectory && !entry.isLink && IsReservedNameOf(entry.name, name, kFolderInfix)) {
      RemoveStagingFolder(folder + entry.name, ToFileSystemPath(name));
    }
  }
}

}  // namespace platform
