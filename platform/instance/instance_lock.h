#pragma once
// The single-instance lock: a file lock named from a title, held for the lock
// object's lifetime. The lock file is "vesk-<16 hex digits>.lock" (the FNV-1a 64
// hash of the title's Shift-JIS bytes) under $XDG_RUNTIME_DIR, else /tmp.
//
// Only another process holding the lock makes a second instance. A lock file
// that cannot be made or locked (a runtime folder that cannot be written) is
// tried in /tmp next; where no folder serves, the program starts without the
// guard, with a debug line.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  // Takes the lock for the title. False only when another holder has it. An
  // empty title takes no lock and succeeds: an unnamed guard guards nothing.
  bool Acquire(std::string_view title);
  // The same over the given folders, tried in order.
  bool Acquire(std::string_view title, const std::vector<std::string>& folders);
  void Release();
  bool IsHeld() const { return m_Fd >= 0; }

  // The first folder's lock file for the title.
  static std::string LockFilePath(std::string_view title);
  // $XDG_RUNTIME_DIR when set, then /tmp.
  static std::vector<std::string> LockFolders();
  static std::string LockFileName(std::string_view title);
  // The lock file held; empty when none is.
  const std::string& HeldPath() const { return m_Path; }

 private:
  int m_Fd = -1;
  std::string m_Path;
};

}  // namespace platform
