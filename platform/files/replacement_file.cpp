#include "platform/files/replacement_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "platform/files/files.h"

namespace platform {
namespace {

// Names tried before giving up: each is taken only by a file that already exists.
constexpr int kNameTries = 100;

// Six letters and digits, different from one call to the next.
std::string UniqueChars() {
  constexpr std::string_view kChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::uint64_t bits = 0;
  if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits)) {
    // No random bytes to be had: the clock and a count still differ from try to try.
    static std::atomic<std::uint64_t> count{0};
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    bits = static_cast<std::uint64_t>(now.tv_nsec) * 0x9E3779B97F4A7C15u + count++;
  }
  std::string chars;
  for (int i = 0; i < 6; ++i, bits /= kChars.size()) chars += kChars[bits % kChars.size()];
  return chars;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

ReplacementFile::ReplacementFile(ReplacementFile&& other) noexcept
    : m_Path(std::move(other.m_Path)), m_Target(std::move(other.m_Target)) {
  other.m_Path.clear();
}

ReplacementFile::~ReplacementFile() {
  if (!m_Path.empty()) ::unlink(m_Path.c_str());
}

bool ReplacementFile::Write(std::string_view cp932Target, std::string_view fileSystemPrefix, std::string_view bytes) {
  if (!m_Path.empty()) return false;
  const std::string target = ToFileSystemPath(cp932Target);
  const std::string folder = target.substr(0, target.rfind('/') + 1);  // empty for the working folder
  for (int i = 0; i < kNameTries; ++i) {
    const std::string path = folder + std::string(fileSystemPrefix) + UniqueChars();
    // Permissions as a file the game writes by name gets them (the user's umask).
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return false;
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
      ::unlink(path.c_str());
      return false;
    }
    m_Path = path;
    m_Target = target;
    return true;
  }
  return false;
}

bool ReplacementFile::PutInPlace() {
  if (m_Path.empty() || std::rename(m_Path.c_str(), m_Target.c_str()) != 0) return false;
  m_Path.clear();
  return true;
}

}  // namespace platform
