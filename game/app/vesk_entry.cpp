#include "game/app/vesk_entry.h"

#include <cstdio>
#include <string>

#include "engine/plugin/plugin_loader.h"
#include "engine/textstream/file_text_stream.h"
#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "game/app/scene_factory.h"
#include "game/battle/battle_random.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/managers/draw_manager_fd.h"
#include "game/managers/input_manager_fd.h"
#include "game/managers/sound_manager_fd.h"
#include "game/shell/novel_player_fd.h"
#include "game/shell/shell_objects.h"
#include "game/story/place_block.h"
#include "game/story/vesk_normal_scene.h"
#include "platform/clock/clock.h"
#include "platform/debug/debug_sink.h"
#include "platform/files/files.h"
#include "platform/message_box/message_box.h"
#include "platform/window/window.h"
#include "platform/work/load_quit.h"

namespace nsVesk {
namespace {

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFile::nsFileWriter::CFileWriter;
using nsZarn::nsFramework::nsFilePack::FilePackManager;
using nsZarn::nsFramework::nsParam::ParamManager;
using nsTamskLib::nsCore::NovelPlayer;

constexpr char kDataFolder[] = "Data";
constexpr char kScriptFile[] = "scenario.dat";
constexpr char kGlobalFile[] = "global.dat";
constexpr char kKidokuFile[] = "kidoku.dat";
constexpr char kEnvFile[] = "env.dat";
// LoadData flag: a missing "env.dat" leaves the game windowed.
constexpr unsigned kWindowedWithoutEnvironment = 1;

constexpr int kStartUpFailed = 1;
// A termination signal that stopped the packing: the status of a normal end.
constexpr int kQuitDuringStartUp = 0;
constexpr std::uint32_t kFreeTextCacheBytes = 0xA00000;  // 10,485,760

void ShowError(const char* text) {
  platform::ShowMessageBox("エラー！", text, platform::MessageBoxButtons::Ok, platform::MessageBoxIcon::Exclamation);
}

// The graphics could not start; where the window system found no display to show
// the game on, the terminal also says what the player must do.
void ShowGraphicsFailure() {
  ShowError("DirectX Graphicsの初期化に失敗しました！");
  platform::WriteDebugLine("Failed : ZarnGraphic::Init\n");
  if (platform::WindowSystemFoundNoDisplay()) std::fputs(platform::kNoDisplayHint, stderr);
}

std::string ReadAppTitle() { return GetParamString("Data/Common.ini", "Common", "AppTitle", ""); }

// Opens the archive, or first packs the data folder into it (converting the
// parameter files on the way); kRunning when it is open, else the program's exit
// status. The game never runs on without its archive: its pictures, sounds and
// parameters are all in it. A failed packing, or an archive that cannot be read
// with no folder to pack it from, ends the start-up with a box naming the file. A
// termination signal during the packing (or while another start packs) ends it
// without one: what the packing staged is removed, and the next start packs.
int OpenArchive() {
  if (g_FilePackManager->OpenFilePack(kArchiveFile)) return VeskEntry::kRunning;
  if (platform::IsDirectory(kDataFolder) && !g_FilePackManager->ConvertToFilePack(kDataFolder, g_ParamManager)) {
    if (platform::LoadsMustStop()) {
      platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack Stopped By A Quit\n");
      return kQuitDuringStartUp;
    }
    ShowError("Data.datの作成に失敗しました！");
    platform::WriteDebugLine("Failed : FilePackManager::ConvertToFilePack\n");
    return kStartUpFailed;
  }
  if (!g_FilePackManager->OpenFilePack(kArchiveFile)) {
    ShowError("Data.datの読み込みに失敗しました！");
    platform::WriteDebugLine("Failed : FilePackManager::OpenFilePack\n");
    return kStartUpFailed;
  }
  return VeskEntry::kRunning;
}

// From then on every parameter is read from the archive.
void ReadParametersFromArchive() { g_ParamManager->SetFileReader(g_FilePackManager->GetFileReader(kArchiveFile)); }

}  // namespace

int VeskEntry::Fail() { return EndStartUp(kStartUpFailed); }

int VeskEntry::EndStartUp(int status) {
  ReleaseEngine();
  m_Mutex.reset();
  return status;
}

void VeskEntry::ReleaseEngine() {
  if (g_NovelPlayer != nullptr) {
    // The commands were made by the plug-ins: destroyed while those are loaded.
    NovelPlayer::ClearCommandHeap(g_NovelPlayer);
  }
  if (m_PluginsLoaded) {
    nsTamskLib::nsPlugin::UnloadPlugins();
    m_PluginsLoaded = false;
  }
  delete g_NovelPlayer;
  g_NovelPlayer = nullptr;
}

int VeskEntry::Start() {
  // The archive and the parameter manager, each with its own reader and writer.
  g_FilePackManager = new FilePackManager(new CFileReader, new CFileWriter);
  g_ParamManager = new ParamManager(new CFileReader, new CFileWriter);

  // The single-instance lock is held from before the archive may be packed to the
  // end, so that a second start while the first packs ends with its message. The
  // title that names the lock is read from the archive when one opens, else from
  // the folder it is packed from. A title may name no lock: the packing holds a
  // lock of its own beside the archive, which a second start waits for.
  const bool archiveOpen = g_FilePackManager->OpenFilePack(kArchiveFile);
  if (archiveOpen) ReadParametersFromArchive();
  m_Mutex = std::make_unique<nsZarn::nsTimer::SingleInstanceMutex>();
  if (!m_Mutex->Create(ReadAppTitle())) {
    ShowError("多重起動は禁止されています！");
    return Fail();
  }
  // A start with no display to show the game on ends before the data folder is packed.
  if (!platform::InitWindowSystem()) {
    ShowGraphicsFailure();
    return Fail();
  }
  if (!archiveOpen) {
    const int status = OpenArchive();
    if (status != kRunning) return EndStartUp(status);
    ReadParametersFromArchive();
  }

  if (!g_Graphic.Init(ReadAppTitle().c_str(), MainWindowProc, 800, 600, kFreeTextCacheBytes, false, false,
                      false)) {
    ShowGraphicsFailure();
    return Fail();
  }

  if (!g_Sound.Init(g_Graphic.GetMainWindow())) {
    ShowError("DirectSoundの初期化に失敗しました！");
    platform::WriteDebugLine("Failed : ZarnSound::Init\n");
    platform::DestroyWindow(g_Graphic.GetMainWindow());
    return Fail();
  }

  if (!nsZarn::nsInput::InitInputForEntry(g_Input, nullptr, g_Graphic.GetMainWindow())) return Fail();

  // Every plug-in registers its commands, transitions, effects and save blocks
  // before the script is read.
  nsTamskLib::nsPlugin::LoadPlugins();
  m_PluginsLoaded = true;
  // The game's own block of every save slot: its place around the story.
  nsCore::RegisterPlaceBlock();

  // The game's script player; it owns its log, input, sound and draw managers.
  g_NovelPlayer = new nsCore::NovelPlayerfD(
      new nsTamskLib::nsTextStream::FileTextStream, new nsInputManager::InputManagerfD,
      new nsSoundManagerfD::SoundManagerfD, new nsDrawManagerfD::DrawManagerfD, true);
  // A loaded slot brings the game back to the place its block holds.
  g_NovelPlayer->SetSlotLoadSteps({nsCore::ForgetLoadedPlace, nsCore::RestoreLoadedPlace});
  // Missing save files are normal on the first run.
  NovelPlayer::LoadData(g_NovelPlayer, &g_SaveStream, kWindowedWithoutEnvironment, kGlobalFile, kKidokuFile,
                        kEnvFile);

  if (!g_NovelPlayer->LoadScript(kScriptFile, &g_SaveStream)) {
    ShowError("scenario.datの読み込みに失敗しました！");
    platform::WriteDebugLine("Failed : NovelPlayerfD::LoadScript\n");
    platform::DestroyWindow(g_Graphic.GetMainWindow());
    return Fail();
  }

  // The story runs in the game's normal scene; the script's menu starts off.
  g_NovelPlayer->SetNormalScene(new nsADV::VeskNormalScene(g_NovelPlayer->Input()));
  g_NovelPlayer->SetMenuEnabled(false);

  // The program's own random generator, seeded once from the millisecond clock.
  nsGame::TheBattleRandom().Seed(platform::NowMs());

  // The logo is created at once, so it is the first scene to run.
  g_SceneManager.SetSceneFactory(new nsCore::cSceneFactory);
  g_SceneManager.CreateScene(nsCore::kSceneLogo);

  return kRunning;
}

bool VeskEntry::Pump() {
  if (platform::PeekMessage(m_Message)) {
    if (m_Message.id != platform::MessageId::Quit) platform::DispatchMessage(m_Message);
  } else if (!g_Graphic.AppIdle()) {
    ShowError("消失したデバイスが復元できません！");
    platform::WriteDebugLine("Failed : ZarnGraphic::AppIdle\n");
    platform::DestroyWindow(g_Graphic.GetMainWindow());
  } else {
    g_SceneManager.Run();
  }
  return m_Message.id != platform::MessageId::Quit;
}

int VeskEntry::Shutdown() {
  if (g_NovelPlayer != nullptr) {
    NovelPlayer::SaveData(g_NovelPlayer, &g_SaveStream, kGlobalFile, kKidokuFile, kEnvFile);
  }
  ReleaseEngine();
  delete g_ParamManager;
  g_ParamManager = nullptr;
  delete g_FilePackManager;
  g_FilePackManager = nullptr;
  m_Mutex.reset();
  return static_cast<int>(m_Message.wParam);
}

std::intptr_t MainWindowProc(platform::WindowHandle window, platform::MessageId message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
  g_Graphic.MsgProc(window, message, wParam, lParam);
  switch (message) {
    case platform::MessageId::Destroy:
      platform::PostQuitMessage(0);
      return 0;
    case platform::MessageId::Close:
      if (platform::ShowMessageBox("確認", "終了しますか？", platform::MessageBoxButtons::YesNo) ==
          platform::MessageBoxAnswer::Yes) {
        platform::DestroyWindow(g_Graphic.GetMainWindow());
      }
      return 0;
    default:
      return platform::DefaultWindowProcedure(window, message, wParam, lParam);
  }
}

int VeskMain() {
  VeskEntry entry;
  const int status = entry.Start();
  if (status != VeskEntry::kRunning) return status;
  while (entry.Pump()) {
  }
  return entry.Shutdown();
}

}  // namespace nsVesk
