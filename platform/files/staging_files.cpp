#include "platform/files/staging_files.h"

#include <algorithm>

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

}  // namespace platform
