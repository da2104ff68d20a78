#include "platform/debug/once_per_run.h"

namespace platform {

bool OncePerRun::Mark(std::string_view key) {
  std::lock_guard lock(m_Mutex);
  return m_Keys.emplace(key).second;
}

bool OncePerRun::Marked(std::string_view key) const {
  std::lock_guard lock(m_Mutex);
  return m_Keys.find(key) != m_Keys.end();
}

}  // namespace platform
