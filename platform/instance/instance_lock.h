#pragma once
// The single-instance lock: a file lock named from a title, held for the lock
// object's lifetime. The lock file is "vesk-<16 hex digits>.lock" (the FNV-1a 64
// hash of the title's Shift-JIS bytes) under $XDG_RUNTIME_DIR, else /tmp.

#include <string>
#include <string_view>

namespace platform {

class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  // Takes the lock for the title. False when another holder has it. An empty
  // title takes no lock and succeeds: an unnamed guard guards nothing.
  bool Acquire(std::string_view title);
  void Release();
  bool IsHeld() const { return m_Fd >= 0; }

  static std::string LockFilePath(std::string_view title);

 private:
  int m_Fd = -1;
};

}  // namespace platform
