#pragma once
// Makes the engine's fatal errors testable: while a FatalTrap lives, RuntimeError
// throws FatalError (with the formatted text) instead of ending the process, and
// every message box is recorded instead of shown. After a FatalError the object
// under test is treated as dead: the engine has no recovery paths by design.

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/message_box/message_box.h"

namespace vesk_test {

struct FatalError : std::runtime_error {
  explicit FatalError(const std::string& text) : std::runtime_error(text) {}
};

struct RecordedBox {
  std::string caption;
  std::string text;
  platform::MessageBoxIcon icon;
};

// Records every message box while it lives.
class BoxRecorder {
 public:
  BoxRecorder();
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;
  ~BoxRecorder();

  const std::vector<RecordedBox>& boxes() const { return m_Boxes; }

 private:
  std::vector<RecordedBox> m_Boxes;
};

class FatalTrap {
 public:
  FatalTrap();
  FatalTrap(const FatalTrap&) = delete;
  FatalTrap& operator=(const FatalTrap&) = delete;
  ~FatalTrap();

  const std::vector<RecordedBox>& boxes() const { return m_Boxes.boxes(); }

 private:
  BoxRecorder m_Boxes;
};

// The text of the fatal error that running f raised; fails the test when none did.
template <typename F>
std::string CatchFatal(F&& f) {
  try {
    f();
  } catch (const FatalError& e) {
    return e.what();
  }
  return "<no fatal error>";
}

}  // namespace vesk_test

// Expects statement to end with a fatal error whose text is exactly text (both are
// Shift-JIS, as the sources compile to it). Needs a FatalTrap in scope.
#define EXPECT_FATAL(statement, text) \
  EXPECT_EQ(::vesk_test::CatchFatal([&] { statement; }), std::string(text))
