#pragma once
// An exclusive lock on a folder, held for the lock object's lifetime: a file lock
// on an open descriptor of the folder itself, so that taking it leaves no file
// behind. Runs that write and remove files under the folder's reserved staging
// names (staging_files.h) hold it, so that none removes what another is writing.
// A process that ends in any way, killed included, releases it.
//
// The wait for another holder answers a termination signal (load_quit.h): it
// looks for one between short sleeps, so that no signal is missed between the
// look and the wait.

#include <string_view>

namespace platform {

class FolderLock {
 public:
  enum class Outcome {
    kHeld,
    // A termination signal arrived while another process held the lock.
    kStopped,
    // The folder cannot be opened, or its file system takes no lock on a folder
    // (a network file system may not): nothing is held.
    kUnavailable,
  };

  FolderLock() = default;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  ~FolderLock();

  // Takes the lock on the folder (the working folder when empty), waiting while
  // another holder has it.
  Outcome Take(std::string_view cp932Folder);
  void Release();
  bool IsHeld() const { return m_Fd >= 0; }

 private:
  int m_Fd = -1;
};

}  // namespace platform
