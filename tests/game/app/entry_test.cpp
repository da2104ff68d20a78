// The program's entry over the test platform: captured frames, recorded message
// boxes with scripted answers, a virtual clock, the null audio device and a lock
// folder of its own. The compiled script is written by the engine's test script
// writer, with the test commands registered in place of a plug-in.
#include "game/app/vesk_entry.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <deque>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/plugin/plugin_registry.h"
#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/filepack/file_pack_manager.h"
#include "framework/param/param_manager.h"
#include "game/app/scene_factory.h"
#include "game/battle/battle_random.h"
#include "game/battle/game_scene.h"
#include "game/core/program_objects.h"
#include "game/logo/logo_scene.h"
#include "game/option/option_scene.h"
#include "game/reward/gohoubi_scene.h"
#include "game/select/select_scene.h"
#include "game/shell/shell_objects.h"
#include "game/story/adv_scene.h"
#include "game/story/vesk_normal_scene.h"
#include "game/title/title_scene.h"
#include "platform/audio/audio_device.h"
#include "platform/clock/clock.h"
#include "platform/files/folder_lock.h"
#include "platform/instance/instance_lock.h"
#include "platform/message_box/message_box.h"
#include "platform/window/window.h"
#include "tests/engine/fakes/script_writer.h"
#include "tests/engine/fakes/test_commands.h"
#include "tests/game/support/program_lifetime.h"
#include "tests/platform/support/graphics_test_back_end.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

namespace {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFile::nsFileWriter::CFileWriter;
using platform::MessageBoxAnswer;
using platform::MessageBoxIcon;

constexpr char kTitle[] = "EntryTest";

class Entry : public testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_RUNTIME_DIR", m_Dir.path().c_str(), 1);
    platform::UseVirtualClock(1000);
    platform::SetMessageBoxHandler(
        [this](std::string_view caption, std::string_view text, platform::MessageBoxButtons buttons,
               MessageBoxIcon icon) {
          m_Boxes.push_back(Box{std::string(caption), std::string(text), icon});
          if (buttons != platform::MessageBoxButtons::YesNo) return MessageBoxAnswer::Ok;
          MessageBoxAnswer answer = MessageBoxAnswer::No;
          if (!m_Answers.empty()) {
            answer = m_Answers.front();
            m_Answers.pop_front();
          }
          return answer;
        });
    platform::SelectNullAudioDeviceForTests(true);
    WriteTitle(kTitle);
    vesk_test::RegisterTestCommands();
    vesk_test::CommandLog().Clear();
    WriteScript();
  }
  // The program ends as its main ends it, and its objects are released.
  void TearDown() override {
    m_Entry.Shutdown();
    vesk_test::ReleaseSceneStack();
    vesk_test::ReleaseInput();
    vesk_test::ReleaseSound();
    vesk_test::ReleaseGraphics();
    nsTamskLib::nsPlugin::ClearRegistries();
    platform::SetMessageBoxHandler({});
    platform::UseRealClock();
    platform::SelectNullAudioDeviceForTests(false);
  }

  // A script that stays at its first command; it sets a global variable first.
  static void WriteScript() {
    vesk_test::ScriptWriter script;
    script.Label("@start").Set("Stage0_1", vesk_test::Expr({vesk_test::Num(1)}), true).Stay(-1);
    ASSERT_TRUE(script.WriteScript("scenario.dat"));
  }

  static std::int32_t TopStatus() { return nsVesk::g_SceneManager.GetTopScene()->GetStatus(); }

  // A name as the save stream stores it: each byte complemented.
  static std::string Complemented(std::string text) {
    for (char& c : text) c = static_cast<char>(~static_cast<unsigned char>(c));
    return text;
  }

  static bool SaveFilesExist() {
    return std::filesystem::exists("global.dat") || std::filesystem::exists("kidoku.dat") ||
           std::filesystem::exists("env.dat");
  }

  // Packs "Data" as an earlier start did.
  static void PackData() {
    nsZarn::nsFramework::nsParam::ParamManager params(new CFileReader, new CFileWriter);
    nsZarn::nsFramework::nsFilePack::FilePackManager pack(new CFileReader, new CFileWriter);
    ASSERT_TRUE(pack.ConvertToFilePack("Data", &params));
  }

  static void WriteTitle(const std::string& title) {
    vesk_test::WriteFile("Data/Common.ini", "[Common]\nAppTitle=\"" + title + "\"\n");
  }

  // Runs passes of the main loop until it ends; the number of passes, or -1 when
  // it still runs after the limit.
  int RunUntilQuit(int limit = 50) {
    for (int pass = 1; pass <= limit; ++pass) {
      platform::AdvanceVirtualClock(16);
      if (!m_Entry.Pump()) return pass;
    }
    return -1;
  }

  bool BoxShown(const std::string& caption, const std::string& text, MessageBoxIcon icon) const {
    for (const Box& box : m_Boxes) {
      if (box.caption == caption && box.text == text && box.icon == icon) return true;
    }
    return false;
  }

  static bool TitleLockHeld(const std::string& title) {
    platform::InstanceLock probe;
    return !probe.Acquire(title);
  }

  vesk_test::ScopedWorkingDir m_Dir;
  vesk_test::GraphicsTestBackEnd m_Back;
  nsVesk::VeskEntry m_Entry;
  struct Box {
    std::string caption;
    std::string text;
    MessageBoxIcon icon;
  };
  std::vector<Box> m_Boxes;
  std::deque<MessageBoxAnswer> m_Answers;
};

TEST_F(Entry, FirstStartPacksTheDataAndTakesTheTitlesLock) {
  ASSERT_EQ(m_Entry.Start(), nsVesk::VeskEntry::kRunning);
  EXPECT_EQ(vesk_test::ReadFile("Data.dat").substr(0, 8), ".Zarnpak");
  EXPECT_EQ(vesk_test::ReadFile("Data/Common.ini").substr(0, 8), ".INIcDAT");
  EXPECT_TRUE(TitleLockHeld(kTitle));
  EXPECT_EQ(m_Back.DevicesCreated(), 1);
  EXPECT_TRUE(m_Boxes.empty());
  EXPECT_EQ(RunUntilQuit(10), -1);
}

TEST_F(Entry, TitleIsReadFromTheArchive) {
  // An archive made earlier, and loose files changed since.
  WriteTitle("FromArchive");
  PackData();
  WriteTitle("FromLooseFile");
  ASSERT_EQ(m_Entry.Start(), nsVesk::VeskEntry::kRunning);
  EXPECT_TRUE(TitleLockHeld("FromArchive"));
  EXPECT_FALSE(TitleLockHeld("FromLooseFile"));
  EXPECT_EQ(nsVesk::g_ParamManager->GetString("Data/Common.ini", "Common", "AppTitle", ""), "FromArchive");
}

TEST_F(Entry, AFailedPackingEndsTheStartWithItsBox) {
  // A folder in the archive's place: it cannot be opened, and packing cannot
  // replace it. The parameter file was converted in place on the way.
  vesk_test::DebugCapture debug;
  std::filesystem::create_directory("Data.dat");
  EXPECT_EQ(m_Entry.Start(), 1);
  EXPECT_EQ(vesk_test::ReadFile("Data/Common.ini").substr(0, 8), ".INIcDAT");
  EXPECT_FALSE(TitleLockHeld(kTitle));
  EXPECT_TRUE(BoxShown("エラー！", "Data.datの作成に失敗しました！", MessageBoxIcon::Exclamation));
  EXPECT_TRUE(debug.Contains("Failed : FilePackManager::ConvertToFilePack\n"));
  EXPECT_EQ(m_Back.DevicesCreated(), 0);
}

TEST_F(Entry, SecondInstanceGetsItsMessageAndEnds) {
  platform::InstanceLock first;
  ASSERT_TRUE(first.Acquire(kTitle));
  EXPECT_EQ(m_Entry.Start(), 1);
  EXPECT_TRUE(BoxShown("エラー！", "多重起動は禁止されています！", MessageBoxIcon::Exclamation));
  EXPECT_EQ(m_Back.DevicesCreated(), 0);  // no window was made
  EXPECT_EQ(vesk_test::ReadFile("Data/Common.ini").substr(0, 8), "[Common]") << "nothing packed beside the first";
  EXPECT_FALSE(std::filesystem::exists("Data.dat"));
}

// With no title's lock, a second start waits for the first's packing: a signal ends
// the wait as a normal end, else it opens the archive the first made. Either way the
// first's staging stays (a packing would remove it first).
TEST_F(Entry, ASecondStartWaitsForThePackingOrEndsAtASignal) {
  WriteTitle("");
  PackData();
  std::filesystem::rename("Data.dat", "made.dat");
  vesk_test::WriteFile("Data.dat.staging-F1rst0/Data.dat", "the first start's");
  platform::FolderLock first;
  ASSERT_EQ(first.Take(""), platform::FolderLock::Outcome::kHeld);
  vesk_test::DebugCapture debug;
  platform::InstallQuitSignalHandlers();
  std::raise(SIGTERM);
  EXPECT_EQ(m_Entry.Start(), 0);
  m_Entry.Shutdown();
  platform::Message quit;
  EXPECT_TRUE(platform::PeekMessage(quit) && quit.id == platform::MessageId::Quit) << "the signal is taken";
  EXPECT_TRUE(debug.Contains("Failed : FilePackManager::ConvertToFilePack Stopped By A Quit\n"));

  std::thread finish([&first] {
    ::usleep(200000);
    std::filesystem::rename("made.dat", "Data.dat");
    first.Release();
  });
  EXPECT_EQ(m_Entry.Start(), nsVesk::VeskEntry::kRunning);
  EXPECT_FALSE(std::filesystem::exists("made.dat")) << "it waited for the first";
  finish.join();
  EXPECT_EQ(vesk_test::ReadFile("Data.dat.staging-F1rst0/Data.dat"), "the first start's");
  EXPECT_TRUE(m_Boxes.empty());
}

TEST_F(Entry, GraphicsFailureShowsItsBoxAndReleasesTheGuard) {
  vesk_test::DebugCapture debug;
  m_Back.FailDeviceCreation(true);
  EXPECT_EQ(m_Entry.Start(), 1);
  EXPECT_TRUE(BoxShown("エラー！", "DirectX Graphicsの初期化に失敗しました！", MessageBoxIcon::Exclamation));
  EXPECT_TRUE(debug.Contains("Failed : ZarnGraphic::Init\n"));
  EXPECT_FALSE(TitleLockHeld(kTitle));
}

// With no video driver named and no display to reach, SDL would fall back to a
// driver that shows nothing: the start ends with the graphics' box and the hint,
// before it packs anything. In a process of its own, whose window system has not
// started yet; a machine with a console display (/dev/dri) would start on it.
TEST_F(Entry, WithoutADisplayTheStartEndsBeforeItPacksAndSaysWhatToDo) {
  if (std::filesystem::exists("/dev/dri")) GTEST_SKIP() << "a console display may answer here";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        for (const char* name : {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}) unsetenv(name);
        const int status = m_Entry.Start();
        const bool shown = BoxShown("エラー！", "DirectX Graphicsの初期化に失敗しました！", MessageBoxIcon::Exclamation);
        std::exit(status == 1 && shown && !std::filesystem::exists("Data.dat") && m_Back.DevicesCreated() == 0 ? 7 : 1);
      },
      testing::ExitedWithCode(7), "No display was found: DISPLAY \\(or WAYLAND_DISPLAY\\) must name a running");
}

TEST_F(Entry, CloseAnsweredNoKeepsRunningAndYesEndsCleanly) {
  ASSERT_EQ(m_Entry.Start(), nsVesk::VeskEntry::kRunning);
  const platform::WindowHandle window = nsVesk::g_Graphic.GetMainWindow();
  m_Answers = {MessageBoxAnswer::No};
  platform::SimulateCloseButton(window);
  EXPECT_EQ(RunUntilQuit(10), -1);
  EXPECT_TRUE(BoxShown("確認", "終了しますか？", MessageBoxIcon::None));
  EXPECT_TRUE(platform::IsWindowAlive(window));

  m_Answers = {MessageBoxAnswer::Yes};
  platform::SimulateCloseButton(window);
  EXPECT_GT(RunUntilQuit(10), 0);
  EXPECT_EQ(m_Boxes.size(), 2u);
  EXPECT_FALSE(platform::IsWindowAlive(window));
  EXPECT_EQ(nsVesk::g_Graphic.GetDevice(), nullptr);
  EXPECT_EQ(m_Entry.Shutdown(), 0);
  EXPECT_EQ(nsVesk::g_ParamManager, nullptr);
  EXPECT_EQ(nsVesk::g_FilePackManager, nullptr);
  EXPECT_FALSE(TitleLockHeld(kTitle));
}

TEST_F(Entry, TerminationSignalEndsWithoutTheQuestion) {
  ASSERT_EQ(m_Entry.Start(), nsVesk::VeskEntry::kRunning);
  platform::InstallQuitSignalHandlers();
  std::raise(SIGTERM);
  EXPECT_GT(RunUntilQuit(5), 0);
  EXPECT_TRUE(m_Boxes.empty());
  EXPECT_EQ(m_Entry.Shutdown(), 0);
}

TEST_F(Entry, UnrecoverableDeviceLossShowsItsBoxAndEndsNormally) {
  vesk_test::DebugCapture debug;
  ASSERT_EQ(m_Entry.Start(), nsVesk::VeskEntry::kRunning);
  m_Back.SetDeviceStatus(platform::DeviceStatus::Lost);
  EXPECT_EQ(RunUntilQuit(3), -1);  // lost: waits
  m_Back.SetDeviceStatus(platform::DeviceStatus::NotReset);
  m_Back.SetResetOutcome(platform::DeviceStatus::Failed);
  EXPECT_GT(RunUntilQuit(5), 0);
  EXPECT_TRUE(BoxShown("エラー！", "消失したデバイスが復元できません！", MessageBoxIcon::Exclamation));
  EXPECT_TRUE(debug.Contains("Failed : ZarnGraphic::AppIdle\n"));
  EXPECT_FALSE(platform::IsWindowAlive(nsVesk::g_Graphic.GetMainWindow()));
  EXPECT_EQ(m_Entry.Shutdown(), 0);
}

TEST_F(Entry, WithoutArchiveOrDataFolderTheStartEndsWithItsBox) {
  std::filesystem::remove_all("Data");
  EXPECT_EQ(m_Entry.Start(), 1);
  EXPECT_TRUE(vesk_test::ReadFile("Data.dat").empty());
  EXPECT_TRUE(BoxShown("エラー！", "Data.datの読み込みに失敗しました！", MessageBoxIcon::Exclamation));
  EXPECT_EQ(m_Back.DevicesCreated(), 0);
}

TEST_F(Entry, StartLoadsTheScriptAndRunsTheLogoFirst) {
  ASSERT_EQ(m_Entry.Start(), nsVesk::VeskEntry::kRunning);
  ASSERT_NE(nsVesk::g_NovelPlayer, nullptr);
  EXPECT_EQ(nsVesk::g_NovelPlayer->GetScriptName(), "scenario.dat");
  EXPECT_FALSE(nsVesk::g_NovelPlayer->IsMenuEnabled()) << "the script's menu starts off";
  EXPECT_NE(dynamic_cast<nsVesk::nsADV::VeskNormalScene*>(nsVesk::g_NovelPlayer->GetScene(0)), nullptr)
      << "the story runs in the game's normal scene";
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneLogo) << "pushed at once, over the empty scene";
  EXPECT_EQ(nsVesk::g_SceneManager.GetScene(1)->GetStatus(), -1);
  // The program's generator was seeded from the clock at start.
  nsVesk::nsGame::BattleRandom expected(platform::NowMs());
  EXPECT_EQ(nsVesk::nsGame::TheBattleRandom().Next(), expected.Next());
  EXPECT_FALSE(SaveFilesExist());
  EXPECT_TRUE(m_Boxes.empty());

  // Without logo data every time is 0: one black frame, then the title.
  const int presents = m_Back.PresentCount();
  EXPECT_EQ(RunUntilQuit(3), -1);
  EXPECT_GT(m_Back.PresentCount(), presents);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle);
}

TEST_F(Entry, AMissingScriptShowsItsBoxAndWritesNothing) {
  vesk_test::DebugCapture debug;
  std::filesystem::remove("scenario.dat");
  EXPECT_EQ(m_Entry.Start(), 1);
  EXPECT_TRUE(BoxShown("エラー！", "scenario.datの読み込みに失敗しました！", MessageBoxIcon::Exclamation));
  EXPECT_TRUE(debug.Contains("Failed : NovelPlayerfD::LoadScript\n"));
  EXPECT_FALSE(platform::IsWindowAlive(nsVesk::g_Graphic.GetMainWindow()));
  EXPECT_EQ(nsVesk::g_NovelPlayer, nullptr) << "the player is released on the way out";
  EXPECT_FALSE(TitleLockHeld(kTitle));
  EXPECT_FALSE(SaveFilesExist());
}

TEST_F(Entry, AnUnreadableScriptIsTheSameFailure) {
  vesk_test::WriteFile("scenario.dat", ".obj and nothing more");
  EXPECT_EQ(m_Entry.Start(), 1);
  EXPECT_TRUE(BoxShown("エラー！", "scenario.datの読み込みに失敗しました！", MessageBoxIcon::Exclamation));
  EXPECT_FALSE(SaveFilesExist());
}

TEST_F(Entry, ShutDownSavesTheThreeFilesThenDestroysTheCommands) {
  ASSERT_EQ(m_Entry.Start(), nsVesk::VeskEntry::kRunning);
  // The script's global is set by running the player once, as the story would.
  nsVesk::g_NovelPlayer->Run();
  ASSERT_EQ(vesk_test::CommandLog().destroyed, 0);
  m_Answers = {MessageBoxAnswer::Yes};
  platform::SimulateCloseButton(nsVesk::g_Graphic.GetMainWindow());
  EXPECT_GT(RunUntilQuit(10), 0);
  EXPECT_EQ(m_Entry.Shutdown(), 0);
  EXPECT_EQ(vesk_test::ReadFile("global.dat").substr(0, 4), ".gsv");
  EXPECT_NE(vesk_test::ReadFile("global.dat").find(Complemented("Stage0_1")), std::string::npos);
  EXPECT_EQ(vesk_test::ReadFile("kidoku.dat").substr(0, 4), ".ksv");
  EXPECT_EQ(vesk_test::ReadFile("env.dat").substr(0, 4), ".env");
  EXPECT_EQ(vesk_test::CommandLog().destroyed, vesk_test::CommandLog().created);
  EXPECT_EQ(nsVesk::g_NovelPlayer, nullptr);
}

TEST_F(Entry, WithoutThePlugInTheScriptsCommandsAreFatal) {
  // No library registered the script's command types: loading the script ends the
  // program with the engine's error, before anything is saved.
  nsTamskLib::nsPlugin::ClearRegistries();
  EXPECT_EXIT(m_Entry.Start(), testing::ExitedWithCode(1), "");
  EXPECT_FALSE(SaveFilesExist());
}

template <class Scene>
bool IsA(nsZarn::nsFramework::nsScene::IScene* scene) {
  return dynamic_cast<Scene*>(scene) != nullptr;
}

TEST(SceneFactory, EachIdBuildsItsSceneAndUnknownIdsTheEmptyScene) {
  nsVesk::nsCore::cSceneFactory factory;
  for (int id : {7, -1, 1000, -2147483647 - 1}) {
    nsZarn::nsFramework::nsScene::IScene* scene = factory.CreateScene(id);
    ASSERT_NE(scene, nullptr) << id;
    EXPECT_EQ(scene->GetStatus(), -1) << id;
    scene->Release();
  }
  using Check = bool (*)(nsZarn::nsFramework::nsScene::IScene*);
  const std::pair<int, Check> kScenes[] = {
      {nsVesk::nsCore::kSceneLogo, IsA<nsVesk::nsLogo::cLogoScene>},
      {nsVesk::nsCore::kSceneTitle, IsA<nsVesk::nsTitle::cTitleScene>},
      {nsVesk::nsCore::kSceneOption, IsA<nsVesk::nsOption::cOptionScene>},
      {nsVesk::nsCore::kSceneSelect, IsA<nsVesk::nsSelect::cSelectScene>},
      {nsVesk::nsCore::kSceneStory, IsA<nsVesk::nsADV::cADVScene>},
      {nsVesk::nsCore::kSceneBattle, IsA<nsVesk::nsGame::cGameScene>},
      {nsVesk::nsCore::kSceneReward, IsA<nsVesk::nsGohoubi::cGohoubiScene>},
  };
  EXPECT_EQ(nsVesk::nsCore::kSceneLogo, 0);
  for (const auto& [id, isItsScene] : kScenes) {
    nsZarn::nsFramework::nsScene::IScene* scene = factory.CreateScene(id);
    ASSERT_NE(scene, nullptr) << id;
    EXPECT_TRUE(isItsScene(scene)) << id;
    EXPECT_EQ(scene->GetStatus(), id) << "a scene reports its own id";
    scene->Release();
  }
}

}  // namespace
