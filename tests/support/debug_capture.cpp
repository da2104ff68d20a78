#include "tests/support/debug_capture.h"

#include <algorithm>

#include "platform/debug/debug_sink.h"

namespace vesk_test {

DebugCapture::DebugCapture() {
  platform::SetDebugLineHandler([this](std::string_view line) { m_Lines.emplace_back(line); });
}

DebugCapture::~DebugCapture() { platform::SetDebugLineHandler({}); }

bool DebugCapture::Contains(const std::string& line) const {
  return std::find(m_Lines.begin(), m_Lines.end(), line) != m_Lines.end();
}

}  // namespace vesk_test
