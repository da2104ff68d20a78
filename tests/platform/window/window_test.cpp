#include "platform/window/window.h"

#include <gtest/gtest.h>

#include <csignal>
#include <vector>

#include "platform/work/work_meter.h"

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

// A signal stops the load in progress until the loop takes its quit; the close
// button, which the player may take back, waits for the load.
TEST(Window, TerminationSignalsPostQuitAndStopLoadsTheCloseButtonDoesNot) {
  platform::WindowHandle w = MakeWindow();
  platform::InstallQuitSignalHandlers();
  for (int signal : {SIGTERM, SIGINT}) {
    {
      const platform::LoadMeter load;
      platform::SimulateCloseButton(w);
      EXPECT_EQ(platform::CheckLoadWork(), platform::WorkVerdict::kGoOn);
      std::raise(signal);
      EXPECT_EQ(platform::CheckLoadWork(), platform::WorkVerdict::kQuit);
    }
    EXPECT_EQ(Drain(), (std::vector{platform::MessageId::Close, platform::MessageId::Quit}));
    const platform::LoadMeter next;
    EXPECT_EQ(platform::CheckLoadWork(), platform::WorkVerdict::kGoOn) << "the quit taken, loads run again";
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

}  // namespace
