#pragma once
// Keys met before in this run, so that what is done for a key is done once a run:
// a refused file reported once, a failed sound load not tried again. Safe to use
// from any thread.

#include <mutex>
#include <set>
#include <string>
#include <string_view>

namespace platform {

class OncePerRun {
 public:
  // Marks the key: true when it was not marked before.
  bool Mark(std::string_view key);
  bool Marked(std::string_view key) const;

 private:
  mutable std::mutex m_Mutex;
  std::set<std::string, std::less<>> m_Keys;
};

}  // namespace platform
