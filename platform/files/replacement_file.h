#pragma once
// A file's new contents, written beside it under a name of their own and put in
// place in one step. The rename that puts them in place cannot cross file systems,
// so they wait in the file's own folder, on whatever file system holds it (another
// disk, a mount or a removable drive reached through a symbolic link).

#include <string>
#include <string_view>

namespace platform {

class ReplacementFile {
 public:
  ReplacementFile() = default;
  ReplacementFile(ReplacementFile&& other) noexcept;
  ReplacementFile& operator=(ReplacementFile&&) = delete;
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  // Removes the waiting file unless it was put in place.
  ~ReplacementFile();

  // Writes bytes to a new file beside the file cp932Target names, under the name
  // staging_files.h reserves for it, and waits until they are on the storage
  // device. The new file is created exclusively, so it is never a file that
  // exists already, with the permissions of the file it replaces (this user's
  // alone when there is none). False when it could not be written; nothing is
  // left then.
  bool Write(std::string_view cp932Target, std::string_view bytes);
  // Replaces the target by the written file (the file system's atomic rename).
  bool PutInPlace();

 private:
  std::string m_Path;    // the waiting file, as the file system names it; empty when none waits
  std::string m_Target;  // as the file system names it
};

}  // namespace platform
