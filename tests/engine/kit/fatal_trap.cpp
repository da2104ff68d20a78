#include "tests/engine/kit/fatal_trap.h"

#include "engine/core/error_report.h"
#include "platform/message_box/message_box.h"

namespace vesk_test {

BoxRecorder::BoxRecorder() {
  platform::SetMessageBoxHandler([this](std::string_view caption, std::string_view text,
                                        platform::MessageBoxButtons buttons, platform::MessageBoxIcon icon) {
    m_Boxes.push_back(RecordedBox{std::string(caption), std::string(text), icon});
    return buttons == platform::MessageBoxButtons::YesNo ? platform::MessageBoxAnswer::Yes
                                                         : platform::MessageBoxAnswer::Ok;
  });
}

BoxRecorder::~BoxRecorder() { platform::SetMessageBoxHandler(nullptr); }

FatalTrap::FatalTrap() {
  nsTamskLib::nsCore::SetFatalHandler([](const std::string& text) { throw FatalError(text); });
}

FatalTrap::~FatalTrap() { nsTamskLib::nsCore::SetFatalHandler(nullptr); }

}  // namespace vesk_test
