#pragma once
// Captures the lines written to the debug-line sink while it lives.

#include <string>
#include <vector>

namespace vesk_test {

class DebugCapture {
 public:
  DebugCapture();
  DebugCapture(const DebugCapture&) = delete;
  DebugCapture& operator=(const DebugCapture&) = delete;
  ~DebugCapture();

  const std::vector<std::string>& lines() const { return m_Lines; }
  bool Contains(const std::string& line) const;

 private:
  std::vector<std::string> m_Lines;
};

}  // namespace vesk_test
