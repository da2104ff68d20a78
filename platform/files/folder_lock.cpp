#include "platform/files/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <string>

#include "platform/files/files.h"
#include "platform/work/load_quit.h"

namespace platform {
namespace {

// How long a waiting process sleeps between two tries, and so at most how late it
// answers a termination signal. Real time, whatever clock the game reads: the wait
// is for another process.
constexpr long kRetryNanoseconds = 10'000'000;

}  // namespace

FolderLock::~FolderLock() { Release(); }

FolderLock::Outcome FolderLock::Take(std::string_view cp932Folder) {
  Release();
  const std::string folder = cp932Folder.empty() ? std::string(".") : ToFileSystemPath(cp932Folder);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Outcome::kUnavailable;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      ::close(fd);
      return Outcome::kUnavailable;
    }
    if (LoadsMustStop()) {
      ::close(fd);
      return Outcome::kStopped;
    }
    const timespec pause{0, kRetryNanoseconds};
    ::nanosleep(&pause, nullptr);  // a signal ends it early, and is looked for at once
  }
  m_Fd = fd;
  return Outcome::kHeld;
}

void FolderLock::Release() {
  if (m_Fd < 0) return;
  ::close(m_Fd);  // closing the only descriptor of the lock releases it
  m_Fd = -1;
}

}  // namespace platform
