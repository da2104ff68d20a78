// The program on its own sample data set (data/Data), as a player starts it: the
// archive is built, the logo fades in with its sound, holds and fades out, the
// title follows, and closing the window saves the three files. The compiled script
// is a one-command test script; the test platform gives the captured frames, the
// virtual clock, the null audio device and recorded boxes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/api/sound_manager.h"
#include "game/app/vesk_entry.h"
#include "game/core/program_objects.h"
#include "game/core/scene_ids.h"
#include "game/shell/shell_objects.h"
#include "platform/audio/audio_device.h"
#include "platform/clock/clock.h"
#include "platform/message_box/message_box.h"
#include "platform/window/window.h"
#include "tests/engine/fakes/script_writer.h"
#include "tests/engine/fakes/test_commands.h"
#include "tests/platform/support/graphics_test_back_end.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr std::uint32_t kStart = 1000;

class SampleRun : public testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_RUNTIME_DIR", m_Dir.path().c_str(), 1);
    platform::UseVirtualClock(kStart);
    platform::SelectNullAudioDeviceForTests(true);
    platform::SetMessageBoxHandler([this](std::string_view, std::string_view text, platform::MessageBoxButtons,
                                          platform::MessageBoxIcon) {
      m_LastBox = std::string(text);
      return platform::MessageBoxAnswer::Yes;
    });
    std::filesystem::copy(VESK_SAMPLE_DATA, "Data", std::filesystem::copy_options::recursive);
    vesk_test::RegisterTestCommands();
    vesk_test::ScriptWriter script;
    script.Label("@start").Stay(-1);
    ASSERT_TRUE(script.WriteScript("scenario.dat"));
  }
  void TearDown() override {
    platform::SetMessageBoxHandler({});
    platform::UseRealClock();
    platform::SelectNullAudioDeviceForTests(false);
  }

  // Runs loop passes at logo time t until one frame was presented.
  void FrameAt(std::uint32_t t) {
    platform::SetVirtualClock(kStart + t);
    const int presents = m_Back.PresentCount();
    for (int pass = 0; pass < 10 && m_Back.PresentCount() == presents; ++pass) ASSERT_TRUE(m_Entry.Pump());
  }
  // The centre of the logo: its bar is 0xF0C040.
  std::uint32_t Centre() const { return m_Back.Pixel(400, 300) & 0xFFFFFFu; }
  static std::int32_t TopStatus() { return nsVesk::g_SceneManager.GetTopScene()->GetStatus(); }

  vesk_test::ScopedWorkingDir m_Dir;
  vesk_test::GraphicsTestBackEnd m_Back;
  nsVesk::VeskEntry m_Entry;
  std::string m_LastBox;
};

TEST_F(SampleRun, TheLogoFadesInHoldsFadesOutAndTheTitleFollows) {
  ASSERT_EQ(m_Entry.Start(), nsVesk::VeskEntry::kRunning) << m_LastBox;
  EXPECT_EQ(vesk_test::ReadFile("Data/Common.ini").substr(0, 8), ".INIcDAT");
  EXPECT_TRUE(std::filesystem::exists("Data.dat"));
  auto* sound = nsVesk::g_NovelPlayer->GetSoundManager();

  FrameAt(150);  // halfway through the 300 ms fade-in
  EXPECT_NEAR(static_cast<int>(Centre() >> 16), 0xF0 * 127 / 255, 2);
  EXPECT_FALSE(sound->IsPlayingSE("Data/Logo/logo.wav"));
  FrameAt(450);
  EXPECT_EQ(Centre(), 0xF0C040u);
  EXPECT_TRUE(sound->IsPlayingSE("Data/Logo/logo.wav"));
  FrameAt(750);
  EXPECT_NEAR(static_cast<int>(Centre() >> 16), 0xF0 * 128 / 255, 2);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneLogo);
  FrameAt(900);
  EXPECT_EQ(Centre(), 0u);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle);

  platform::SimulateCloseButton(nsVesk::g_Graphic.GetMainWindow());
  int passes = 0;
  while (m_Entry.Pump() && ++passes < 20) {
  }
  EXPECT_EQ(m_LastBox, "終了しますか？");
  EXPECT_EQ(m_Entry.Shutdown(), 0);
  for (const char* file : {"global.dat", "kidoku.dat", "env.dat"}) EXPECT_TRUE(std::filesystem::exists(file)) << file;
}

}  // namespace
