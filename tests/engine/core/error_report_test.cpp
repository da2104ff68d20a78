#include <string>

#include <gtest/gtest.h>

#include "engine/api/plugin_api.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/support/debug_capture.h"

namespace {

using vesk_test::BoxRecorder;
using vesk_test::FatalTrap;

TEST(MessageTest, ShowsTheFormattedTextUnderItsCaptionAndReturns) {
  BoxRecorder boxes;
  Message(nullptr, "%d", 5);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].caption, "メッセージ");
  EXPECT_EQ(boxes.boxes()[0].text, "5");
  EXPECT_EQ(boxes.boxes()[0].icon, platform::MessageBoxIcon::None);
}

TEST(RuntimeErrorTest, ShowsTheErrorBoxThenEndsThroughTheHandler) {
  FatalTrap trap;
  EXPECT_FATAL(RuntimeError(nullptr, "%sは存在しないラベルです！", "@end"),
               "@endは存在しないラベルです！");
  ASSERT_EQ(trap.boxes().size(), 1u);
  EXPECT_EQ(trap.boxes()[0].caption, "エラー！");
  EXPECT_EQ(trap.boxes()[0].text, "@endは存在しないラベルです！");
  EXPECT_EQ(trap.boxes()[0].icon, platform::MessageBoxIcon::Exclamation);
}

TEST(RuntimeErrorTest, FormattedTextIsCutAt1024Characters) {
  FatalTrap trap;
  const std::string longText(2000, 'x');
  const std::string text = vesk_test::CatchFatal([&] { RuntimeError(nullptr, "%s", longText.c_str()); });
  EXPECT_EQ(text, std::string(1024, 'x'));
  EXPECT_EQ(trap.boxes().at(0).text.size(), 1024u);
}

TEST(RuntimeErrorDeathTest, EndsTheProcessWithAFailureStatus) {
  // Without a display the box goes to the terminal; then the process ends with 1.
  EXPECT_EXIT(RuntimeError(nullptr, "fatal %d", 7), testing::ExitedWithCode(1), "fatal 7");
}

TEST(RuntimeErrorDeathTest, TheTerminalShowsTheShiftJisTextAsUtf8) {
  // Caption and text are Shift-JIS inside the program; the box shows them as UTF-8.
  const std::u8string expected = u8"エラー！.*0除算です！";
  EXPECT_EXIT(RuntimeError(nullptr, "0除算です！"), testing::ExitedWithCode(1),
              std::string(expected.begin(), expected.end()));
}

TEST(WarningTest, WarningsAndDebugLinesShowNoBox) {
  BoxRecorder boxes;
  vesk_test::DebugCapture debug;
  RuntimeWarning(nullptr, "warn %d", 1);
  DebugMessage(nullptr, "%sのLoadLibraryに失敗しました！", "a.so");
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_TRUE(debug.Contains("warn 1"));
  EXPECT_TRUE(debug.Contains("a.soのLoadLibraryに失敗しました！"));
}

}  // namespace
