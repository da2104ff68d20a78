#include "platform/window/window.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include "platform/window/message_box.h"

namespace {

struct Seen {
  platform::MessageId id;
  std::uintptr_t wParam;
};
std::vector<Seen> g_Seen;

std::intptr_t RecordingProcedure(platform::WindowHandle, platform::MessageId id, std::uintptr_t wParam,
                                 std::intptr_t) {
  g_Seen.push_back({id, wParam});
  return 0;
}

platform::WindowHandle MakeWindow() {
  g_Seen.clear();
  platform::WindowHandle w = platform::CreateMainWindow("テスト", 800, 600, false, RecordingProcedure);
  EXPECT_NE(w, nullptr);
  return w;
}

// Takes every waiting message and dispatches it; returns the ids taken.
std::vector<platform::MessageId> Drain() {
  std::vector<platform::MessageId> ids;
  platform::Message m;
  while (platform::PeekMessage(m)) {
    ids.push_back(m.id);
    platform::DispatchMessage(m);
  }
  return ids;
}

TEST(Window, NewWindowIsActivatedAtOnce) {
  platform::WindowHandle w = MakeWindow();
  ASSERT_EQ(g_Seen.size(), 1u);
  EXPECT_EQ(g_Seen[0].id, platform::MessageId::Activate);
  EXPECT_EQ(g_Seen[0].wParam, 1u);
  EXPECT_TRUE(platform::IsWindowAlive(w));
  const platform::WindowRect r = platform::GetWindowRect(w);
  EXPECT_EQ(r.right - r.left, 800);
  EXPECT_EQ(r.bottom - r.top, 600);
}

TEST(Window, CloseButtonAndFocusBecomeMessages) {
  platform::WindowHandle w = MakeWindow();
  g_Seen.clear();
  platform::SimulateActivation(w, false);
  platform::SimulateCloseButton(w);
  platform::SimulateActivation(w, true);
  Drain();
  ASSERT_EQ(g_Seen.size(), 3u);
  EXPECT_EQ(g_Seen[0].id, platform::MessageId::Activate);
  EXPECT_EQ(g_Seen[0].wParam, 0u);
  EXPECT_EQ(g_Seen[1].id, platform::MessageId::Close);
  EXPECT_EQ(g_Seen[2].wParam, 1u);
  // Closing asks; it neither destroys the window nor quits by itself.
  EXPECT_TRUE(platform::IsWindowAlive(w));
}

TEST(Window, DestroyRunsAtOnceAndDropsQueuedMessages) {
  platform::WindowHandle w = MakeWindow();
  platform::SimulateCloseButton(w);
  platform::Message m;
  ASSERT_TRUE(platform::PeekMessage(m));  // kept, to dispatch after the window is gone
  platform::SimulateCloseButton(w);
  platform::SimulateActivation(w, false);
  g_Seen.clear();
  platform::DestroyWindow(w);
  ASSERT_EQ(g_Seen.size(), 1u);
  EXPECT_EQ(g_Seen[0].id, platform::MessageId::Destroy);
  EXPECT_FALSE(platform::IsWindowAlive(w));
  EXPECT_TRUE(Drain().empty());
  EXPECT_EQ(g_Seen.size(), 1u);
  // A stale handle is harmless.
  platform::DestroyWindow(w);
  EXPECT_FALSE(platform::SetWindowFullScreen(w, true));
  EXPECT_EQ(platform::DispatchMessage(m), 0);
}

TEST(Window, QuitComesAfterWaitingMessagesWithItsCode) {
  platform::WindowHandle w = MakeWindow();
  platform::PostQuitMessage(3);
  platform::SimulateCloseButton(w);
  platform::Message m;
  ASSERT_TRUE(platform::PeekMessage(m));
  EXPECT_EQ(m.id, platform::MessageId::Close);
  ASSERT_TRUE(platform::PeekMessage(m));
  EXPECT_EQ(m.id, platform::MessageId::Quit);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(platform::PeekMessage(m));
}

TEST(Window, TerminationSignalsPostQuit) {
  MakeWindow();
  platform::InstallQuitSignalHandlers();
  for (int signal : {SIGTERM, SIGINT}) {
    std::raise(signal);
    platform::Message m;
    ASSERT_TRUE(platform::PeekMessage(m));
    EXPECT_EQ(m.id, platform::MessageId::Quit);
    EXPECT_EQ(m.wParam, 0u);
  }
}

TEST(Window, FullScreenSwitchIsRemembered) {
  platform::WindowHandle w = MakeWindow();
  EXPECT_FALSE(platform::IsWindowFullScreen(w));
  EXPECT_TRUE(platform::SetWindowFullScreen(w, true));
  EXPECT_TRUE(platform::IsWindowFullScreen(w));
  EXPECT_TRUE(platform::SetWindowFullScreen(w, false));
  EXPECT_FALSE(platform::IsWindowFullScreen(w));
}

TEST(MessageBox, ScriptedAnswersAndTerminalFallback) {
  std::vector<std::string> shown;
  platform::SetMessageBoxHandler([&](std::string_view caption, std::string_view text, platform::MessageBoxButtons,
                                     platform::MessageBoxIcon) {
    shown.push_back(std::string(caption) + "|" + std::string(text));
    return platform::MessageBoxAnswer::No;
  });
  EXPECT_EQ(platform::ShowMessageBox("確認", "終了しますか？", platform::MessageBoxButtons::YesNo),
            platform::MessageBoxAnswer::No);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], std::string("確認") + "|" + "終了しますか？");
  // Without a handler and without a display (the dummy video driver), the
  // question is printed and answered Yes.
  platform::SetMessageBoxHandler({});
  testing::internal::CaptureStderr();
  EXPECT_EQ(platform::ShowMessageBox("確認", "終了しますか？", platform::MessageBoxButtons::YesNo),
            platform::MessageBoxAnswer::Yes);
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(printed, "[\xE7\xA2\xBA\xE8\xAA\x8D] \xE7\xB5\x82\xE4\xBA\x86\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99\xE3\x81\x8B\xEF\xBC\x9F\n");
}

}  // namespace
