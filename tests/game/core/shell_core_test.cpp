// The game's script player and parameter access: parameters read from the archive
// with the caller's defaults, the main window as the owner of the engine's boxes,
// and the script's quit ending in the window's destruction and the quit message.
#include <gtest/gtest.h>

#include "engine/plugin/plugin_registry.h"
#include "engine/textstream/file_text_stream.h"
#include "game/core/param_access.h"
#include "game/managers/draw_manager_fd.h"
#include "game/managers/sound_manager_fd.h"
#include "game/shell/novel_player_fd.h"
#include "game/shell/shell_objects.h"
#include "platform/window/window.h"
#include "tests/engine/fakes/script_writer.h"
#include "tests/engine/fakes/test_commands.h"
#include "tests/game/managers/shell_fixture.h"

namespace {

using nsVesk::GetParamInt;
using nsVesk::GetParamString;
using nsVesk::nsCore::NovelPlayerfD;

class ShellCoreTest : public vesk_test::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    vesk_test::WriteFile("Data/Common.ini",
                         "[Common]\nAppTitle=\"Vesk\"\nTimeFadein=200\nNegative=-35\n"
                         "[Root]\nRootFile=\"Data/Base.ini\"\n");
    vesk_test::WriteFile("Data/Base.ini", "[Common]\nFromRoot=7\n");
    PackData();
  }

  // A player as the entry makes it.
  static NovelPlayerfD* MakePlayer() {
    return new NovelPlayerfD(new nsTamskLib::nsTextStream::FileTextStream, new nsVesk::nsInputManager::InputManagerfD,
                             new nsVesk::nsSoundManagerfD::SoundManagerfD,
                             new nsVesk::nsDrawManagerfD::DrawManagerfD, true);
  }
};

TEST_F(ShellCoreTest, ParametersComeFromTheArchiveWithTheCallersDefaults) {
  EXPECT_EQ(GetParamInt("Data/Common.ini", "Common", "TimeFadein", 0), 200);
  EXPECT_EQ(GetParamInt("Data/Common.ini", "Common", "Negative", 0), -35);
  EXPECT_EQ(GetParamString("Data/Common.ini", "Common", "AppTitle", "x"), "Vesk");
  EXPECT_EQ(GetParamInt("Data/Common.ini", "Common", "FromRoot", 0), 7) << "through the root file";
  // Missing key, section and file.
  EXPECT_EQ(GetParamInt("Data/Common.ini", "Common", "TimeFadeout", 0), 0);
  EXPECT_EQ(GetParamInt("Data/Common.ini", "Common", "TimeFadeout", 123), 123);
  EXPECT_EQ(GetParamInt("Data/Common.ini", "Other", "TimeFadein", -1), -1);
  EXPECT_EQ(GetParamString("Data/None.ini", "Common", "AppTitle", "default"), "default");
  // Keys are exact.
  EXPECT_EQ(GetParamInt("Data/Common.ini", "Common", "timefadein", 5), 5);
}

TEST_F(ShellCoreTest, WithoutAParameterManagerEveryLookupGivesTheDefault) {
  delete nsVesk::g_ParamManager;
  nsVesk::g_ParamManager = nullptr;
  EXPECT_EQ(GetParamInt("Data/Common.ini", "Common", "TimeFadein", 9), 9);
  EXPECT_EQ(GetParamString("Data/Common.ini", "Common", "AppTitle", "d"), "d");
}

TEST_F(ShellCoreTest, ThePlayersWindowIsTheMainWindowAndQuitDestroysIt) {
  NovelPlayerfD* player = MakePlayer();
  const auto window = nsVesk::g_Graphic.GetMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(player->GetWindowHandle(), static_cast<nsTamskLib::WindowHandle>(window));
  player->Quit();
  EXPECT_FALSE(platform::IsWindowAlive(window));
  platform::Message message;
  ASSERT_TRUE(platform::PeekMessage(message));
  EXPECT_EQ(message.id, platform::MessageId::Quit);
  player->Quit();  // the window is gone: nothing more happens
  delete player;
}

TEST_F(ShellCoreTest, TheScriptsQuitStateClosesTheWindowForTheNormalShutDown) {
  vesk_test::RegisterTestCommands();
  vesk_test::ScriptWriter script;
  script.Label("@start").State(7);
  ASSERT_TRUE(script.WriteScript("scenario.dat"));
  nsVesk::g_NovelPlayer = MakePlayer();
  ASSERT_TRUE(nsVesk::g_NovelPlayer->LoadScript("scenario.dat", nsVesk::g_NovelPlayer->GetIOStream()));
  const auto window = nsVesk::g_Graphic.GetMainWindow();
  nsVesk::g_NovelPlayer->Run();  // runs the command that enters the quit state
  EXPECT_TRUE(platform::IsWindowAlive(window));
  EXPECT_EQ(nsVesk::g_NovelPlayer->GetState(), 7);
  nsVesk::g_NovelPlayer->Run();
  EXPECT_FALSE(platform::IsWindowAlive(window));
  platform::Message message;
  ASSERT_TRUE(platform::PeekMessage(message));
  EXPECT_EQ(message.id, platform::MessageId::Quit);
  nsTamskLib::nsCore::NovelPlayer::ClearCommandHeap(nsVesk::g_NovelPlayer);
  delete nsVesk::g_NovelPlayer;
  nsVesk::g_NovelPlayer = nullptr;
  nsTamskLib::nsPlugin::ClearRegistries();
}

}  // namespace
