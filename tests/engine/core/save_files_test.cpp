// The save files: "global.dat" and a save slot byte for byte where the format fixes
// the bytes, a full save-change-load round trip of a slot, plug-in blocks in name
// order and from another set of plug-ins, damaged slots that keep the current game,
// failed writes that keep the old file, and the environment with "kidoku.dat".

#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "engine/api/backlog_record.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "tests/engine/core/player_fixture.h"
#include "tests/support/debug_capture.h"

namespace vesk_test {
namespace {

using nsTamskLib::nsCore::INovelEngine;
using nsTamskLib::nsIOStream::IIOStream;
using nsTamskLib::nsCore::NovelPlayer;

// Plug-in blocks for the tests: each writes and reads one number.
struct BlockLog {
  std::vector<std::string> loaded;
};
BlockLog& Blocks() {
  static BlockLog log;
  return log;
}

template <int Value>
void SaveBlock(INovelEngine* /*engine*/, IIOStream* stream) {
  stream->SaveNum(Value);
}

template <int Value>
void LoadBlock(INovelEngine* /*engine*/, IIOStream* stream) {
  std::int32_t value = 0;
  stream->LoadNum(&value);
  Blocks().loaded.push_back(std::to_string(Value) + ":" + std::to_string(value));
}

int Idle(INovelEngine* /*engine*/) { return 0; }

class SaveFilesTest : public PlayerTest {
 protected:
  SaveFilesTest() { Blocks().loaded.clear(); }

  bool SaveSlot(const char* file = "Save01.dat") {
    return player.SaveLocalData(file, player.GetIOStream());
  }
  bool LoadSlot(const char* file = "Save01.dat") {
    return player.LoadLocalData(file, player.GetIOStream());
  }
};

TEST_F(SaveFilesTest, GlobalFileHoldsTheGlobalsAndMarksTheirKind) {
  ASSERT_TRUE(player.SaveGlobal("global.dat", player.GetIOStream()));
  EXPECT_EQ(ReadFile("global.dat"), std::string(".gsv\0\0\0\0", 8));

  player.GetGlobalHeap()->Set("b", 2);
  player.GetGlobalHeap()->Set("a", -1);
  ASSERT_TRUE(player.SaveGlobal("global.dat", player.GetIOStream()));
  EXPECT_EQ(ReadFile("global.dat"),
            std::string(".gsv\x02\0\0\0\x9E\0\xFF\xFF\xFF\xFF\x9D\0\x02\0\0\0", 20));

  TestPlayer fresh;
  fresh.GetGlobalHeap()->Set("old", 1);
  EXPECT_FALSE(fresh.LoadGlobal("missing.dat", fresh.GetIOStream()));
  WriteFile("short.dat", ReadFile("global.dat").substr(0, 15));
  EXPECT_FALSE(fresh.LoadGlobal("short.dat", fresh.GetIOStream()));
  EXPECT_TRUE(fresh.GetGlobalHeap()->Exists("old"));
  ASSERT_TRUE(fresh.LoadGlobal("global.dat", fresh.GetIOStream()));
  EXPECT_FALSE(fresh.GetGlobalHeap()->Exists("old"));
  EXPECT_EQ(fresh.GetGlobalHeap()->Get("a"), -1);
  EXPECT_EQ(fresh.GetSymbolKindHeap()->Get("a"), 2);
  EXPECT_EQ(fresh.GetSymbolKindHeap()->Get("b"), 2);
}

TEST_F(SaveFilesTest, SlotEndsWithTheMenuFlagThenThePluginBlocksInNameOrder) {
  ASSERT_TRUE(SaveSlot("on.dat"));
  player.SetMenuEnabled(false);
  ASSERT_TRUE(SaveSlot("off.dat"));
  const std::string on = ReadFile("on.dat");
  const std::string off = ReadFile("off.dat");
  ASSERT_EQ(on.size(), off.size());
  EXPECT_EQ(on.substr(0, 4), ".lsv");
  EXPECT_EQ(on.back(), '\x01');
  EXPECT_EQ(off.back(), '\x00');
  EXPECT_EQ(on.substr(0, on.size() - 1), off.substr(0, off.size() - 1));
  // A fresh game's position stack follows the empty local table.
  EXPECT_EQ(on.substr(4, 12), std::string("\0\0\0\0\x01\0\0\0\xFF\xFF\xFF\xFF", 12));

  RegisterPSaveLocalDataFunc("Beta", &SaveBlock<2>);
  RegisterPSaveLocalDataFunc("Alpha", &SaveBlock<1>);
  ASSERT_TRUE(SaveSlot("blocks.dat"));
  EXPECT_EQ(ReadFile("blocks.dat"),
            off + std::string("\xBE\x93\x8F\x97\x9E\0\x01\0\0\0\xBD\x9A\x8B\x9E\0\x02\0\0\0", 19));
}

TEST_F(SaveFilesTest, SlotRoundTripRestoresTheWholeGame) {
  ScriptWriter script;
  script.Label("@start")
      .Set("a", Expr({Num(5)}))
      .Set("g", Expr({Num(9)}), true)
      .Call("@sub")
      .Stay(-1)
      .Label("@sub")
      .Hold(-1);
  LoadScript(script);
  Run(5);
  ASSERT_EQ(Positions(), (std::vector<std::int32_t>{3, 4}));

  nsTamskLib::nsTaskManager::TaskManager& tasks = player.Tasks();
  nsTamskLib::nsTaskManager::DrawTask bg;
  bg.Type = nsTamskLib::nsTaskManager::kDrawImage;
  bg.Visible = true;
  bg.Name = "back.png";
  bg.SrcRect = nsTamskLib::TRect{0, 0, 800, 600};
  tasks.SetBG(bg);
  tasks.FlipPage();
  bg.Name = "front.png";
  tasks.SetBG(bg);
  tasks.AddSprite("spr");
  tasks.SetSpriteImage("spr", "spr.png", 0, 0, 0, 8, 8);
  player.EnableInput();
  tasks.AddButton("btn");
  tasks.SetButtonEnabled("btn", true);
  player.DisableInput();
  nsTamskLib::nsTaskManager::UpdateParam update;
  update.Type = 7;
  update.Time = 900;
  tasks.SetUpdateData(update);
  nsTamskLib::nsTaskManager::EffectParam effect;
  effect.Type = 3;
  effect.Str[0] = "flash";
  tasks.SetEffectData(effect);
  nsTamskLib::nsTextManager::BackLogRecord record;
  player.Texts().AddRecord(record);
  player.draw.SetTextSpeed(33);
  player.sound.PlayBGM("theme.ogg");
  player.SetMenuEnabled(false);
  ASSERT_TRUE(SaveSlot());

  // Another game in between.
  player.Initialize();
  Run(2);
  player.GetLocalHeap()->Set("a", 1);
  player.GetLocalHeap()->Set("b", 2);
  player.sound.StopBGM();

  // The slot's transition and effect must exist for it to load.
  RegisterPUpdate(7, &Idle);
  RegisterPEffect1(3, &Idle);
  RegisterPEffect2(3, &Idle);
  RegisterPEffect3(3, &Idle);
  ASSERT_TRUE(LoadSlot());
  EXPECT_EQ(Positions(), (std::vector<std::int32_t>{3, 4}));
  EXPECT_EQ(player.GetLocalHeap()->Get("a"), 5);
  EXPECT_FALSE(player.GetLocalHeap()->Exists("b"));
  EXPECT_EQ(player.GetGlobalHeap()->Get("g"), 9);
  EXPECT_EQ(std::string(tasks.BGLayer()[0].Name.c_str()), "front.png");
  EXPECT_EQ(std::string(tasks.BGLayer()[1].Name.c_str()), "back.png");
  EXPECT_EQ(tasks.GetPage(), 1u);
  EXPECT_EQ(tasks.UpdateData().Type, 7u);
  EXPECT_EQ(tasks.UpdateData().Time, 900u);
  EXPECT_EQ(std::string(tasks.EffectData().Str[0].c_str()), "flash");
  EXPECT_EQ(player.Texts().GetRecordCount(), 1u);
  EXPECT_EQ(player.draw.GetTextSpeed(), 33);
  EXPECT_EQ(player.sound.GetBGMName(), "theme.ogg");
  EXPECT_TRUE(player.sound.bgmPlaying);
  EXPECT_FALSE(player.IsMenuEnabled());
  // The kinds of the names: locals, globals, sprites and buttons.
  EXPECT_EQ(player.GetSymbolKindHeap()->Get("a"), 1);
  EXPECT_EQ(player.GetSymbolKindHeap()->Get("g"), 2);
  EXPECT_EQ(player.GetSymbolKindHeap()->Get("spr"), 4);
  EXPECT_EQ(player.GetSymbolKindHeap()->Get("btn"), 3);
  // The button reacts again once input is accepted.
  player.EnableInput();
  EXPECT_TRUE(tasks.Buttons().at("btn").Enabled);
  player.DisableInput();
  // The next frame goes on inside the call, with the transition and effect running.
  CommandLog().Clear();
  Run(1);
  EXPECT_EQ(Executed(), std::vector<std::string>({"hold -1"}));
}

TEST_F(SaveFilesTest, SlotFromAnotherSetOfPluginsIsReadUpToItsFirstUnknownBlock) {
  RegisterPSaveLocalDataFunc("Alpha", &SaveBlock<1>);
  RegisterPSaveLocalDataFunc("Zed", &SaveBlock<3>);
  player.GetLocalHeap()->Set("kept", 4);
  ASSERT_TRUE(SaveSlot("two.dat"));
  nsTamskLib::nsPlugin::ClearRegistries();
  RegisterPSaveLocalDataFunc("Alpha", &SaveBlock<1>);
  ASSERT_TRUE(SaveSlot("one.dat"));
  nsTamskLib::nsPlugin::ClearRegistries();
  RegisterTestCommands();

  // Blocks Alpha and Zed, read by a set that knows Beta and Zed: the unknown
  // Alpha stops the reading, nothing is misread.
  RegisterPLoadLocalDataFunc("Beta", &LoadBlock<2>);
  RegisterPLoadLocalDataFunc("Zed", &LoadBlock<3>);
  player.GetLocalHeap()->Set("kept", 0);
  DebugCapture debug;
  EXPECT_TRUE(LoadSlot("two.dat"));
  EXPECT_TRUE(Blocks().loaded.empty());
  EXPECT_EQ(player.GetLocalHeap()->Get("kept"), 4);
  ASSERT_EQ(debug.lines().size(), 1u);
  EXPECT_EQ(debug.lines()[0], "Alphaは登録されていないデータブロックです！読み込みを終了します。");

  // A file with fewer blocks than functions ends cleanly after its last block.
  nsTamskLib::nsPlugin::ClearRegistries();
  RegisterPLoadLocalDataFunc("Alpha", &LoadBlock<1>);
  RegisterPLoadLocalDataFunc("Beta", &LoadBlock<2>);
  EXPECT_TRUE(LoadSlot("one.dat"));
  EXPECT_EQ(Blocks().loaded, std::vector<std::string>({"1:1"}));
  EXPECT_TRUE(LoadSlot("two.dat"));
  EXPECT_EQ(Blocks().loaded, std::vector<std::string>({"1:1", "1:1"}));
}

TEST_F(SaveFilesTest, DamagedSlotKeepsTheCurrentGame) {
  ScriptWriter script;
  script.Label("@start").Stay(-1).Label("@later").Hold(-1);
  LoadScript(script);
  Run(1);
  player.GetLocalHeap()->Set("saved", 1);
  player.Tasks().AddSprite("old");
  ASSERT_TRUE(SaveSlot());
  const std::string bytes = ReadFile("Save01.dat");

  player.Initialize();
  player.JumpToLabel("@later");
  player.GetLocalHeap()->Set("current", 2);
  player.GetSymbolKindHeap()->Set("current", 1);
  player.Tasks().AddSprite("now");
  player.SetMenuEnabled(false);
  for (const std::size_t cut : {bytes.size() - 1, bytes.size() / 2, std::size_t{10}}) {
    SCOPED_TRACE(cut);
    WriteFile("Save02.dat", bytes.substr(0, cut));
    EXPECT_FALSE(LoadSlot("Save02.dat"));
    EXPECT_TRUE(player.GetLocalHeap()->Exists("current"));
    EXPECT_FALSE(player.GetLocalHeap()->Exists("saved"));
    EXPECT_EQ(Positions(), (std::vector<std::int32_t>{1}));
    EXPECT_TRUE(player.Tasks().ExistsSprite("now"));
    EXPECT_FALSE(player.Tasks().ExistsSprite("old"));
    EXPECT_FALSE(player.IsMenuEnabled());
    EXPECT_EQ(player.GetSymbolKindHeap()->Get("current"), 1);
    EXPECT_FALSE(std::filesystem::exists("Save02.dat.keep"));
  }
  // Loaded by a command while input is accepted, the button lock follows the
  // player's input flag, so the end of the frame can switch input off.
  player.EnableInput();
  ASSERT_TRUE(LoadSlot());
  EXPECT_FALSE(player.Tasks().IsExclusiveBRCS());
  player.DisableInput();
  // A wrong magic or a missing file changes nothing either.
  WriteFile("Save03.dat", ".gsv" + bytes.substr(4));
  EXPECT_FALSE(LoadSlot("Save03.dat"));
  EXPECT_FALSE(LoadSlot("Save04.dat"));
  EXPECT_TRUE(player.GetLocalHeap()->Exists("saved"));
}

// Limits the size of files the process may write, while it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_Previous);
    m_PreviousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_Previous;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_Previous);
    signal(SIGXFSZ, m_PreviousHandler);
  }

 private:
  rlimit m_Previous{};
  sighandler_t m_PreviousHandler;
};

TEST_F(SaveFilesTest, InterruptedSaveKeepsTheOldFile) {
  player.GetLocalHeap()->Set("first", 1);
  ASSERT_TRUE(SaveSlot());
  ASSERT_TRUE(player.SaveGlobal("global.dat", player.GetIOStream()));
  const std::string slot = ReadFile("Save01.dat");
  const std::string global = ReadFile("global.dat");

  player.GetLocalHeap()->Set("second", 2);
  player.GetGlobalHeap()->Set("g", 1);
  {
    // The disk fills up halfway through the slot.
    FileSizeLimit limit(slot.size() / 2);
    EXPECT_FALSE(SaveSlot());
  }
  EXPECT_EQ(ReadFile("Save01.dat"), slot);
  std::filesystem::create_directory("global.dat.tmp");
  EXPECT_FALSE(player.SaveGlobal("global.dat", player.GetIOStream()));
  EXPECT_EQ(ReadFile("global.dat"), global);
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    EXPECT_NE(entry.path().filename(), "Save01.dat.tmp");
  }
  EXPECT_FALSE(player.GetIOStream()->IsOpen());
}

TEST_F(SaveFilesTest, FailedLoadKeepsTheGameInAFolderThatCannotBeWritten) {
  ScriptWriter script;
  script.Label("@start").Stay(-1).Label("@later").Hold(-1);
  LoadScript(script);
  Run(1);
  player.GetLocalHeap()->Set("saved", 1);
  ASSERT_TRUE(SaveSlot());
  const std::string bytes = ReadFile("Save01.dat");
  WriteFile("Save02.dat", bytes.substr(0, bytes.size() / 2));
  player.JumpToLabel("@later");
  player.GetLocalHeap()->Set("saved", 2);

  std::filesystem::permissions(".", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  {
    // Nothing can be written here, even with the rights to.
    FileSizeLimit limit(0);
    EXPECT_FALSE(LoadSlot("Save02.dat"));
  }
  std::filesystem::permissions(".", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(player.GetLocalHeap()->Get("saved"), 2);
  EXPECT_EQ(Positions(), (std::vector<std::int32_t>{1}));
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"Save01.dat", "Save02.dat", "scenario.dat"}));
}

TEST_F(SaveFilesTest, EnvironmentAndReadMarksRoundTrip) {
  RegisterPSaveEnvironmentDataFunc("Alpha", &SaveBlock<1>);
  RegisterPLoadEnvironmentDataFunc("Alpha", &LoadBlock<1>);
  player.draw.fullScreen = true;
  player.draw.SetConfigTextSpeed(45);
  player.Texts().SetAutoWait(2000);
  player.Texts().MarkRead(17);
  player.sound.SetDefaultSEVolume(5000);
  player.GetGlobalHeap()->Set("g", 3);
  ASSERT_TRUE(NovelPlayer::SaveData(&player, player.GetIOStream(), "global.dat", "kidoku.dat",
                                    "env.dat"));
  const std::string env = ReadFile("env.dat");
  EXPECT_EQ(env.substr(0, 5), std::string(".env\x01", 5));
  EXPECT_EQ(env.substr(env.size() - 10), std::string("\xBE\x93\x8F\x97\x9E\0\x01\0\0\0", 10));
  EXPECT_EQ(ReadFile("kidoku.dat"), std::string(".ksv\x01\0\0\0\x11\0\0\0", 12));

  TestPlayer fresh;
  ASSERT_TRUE(NovelPlayer::LoadData(&fresh, fresh.GetIOStream(), 1, "global.dat", "kidoku.dat",
                                    "env.dat"));
  EXPECT_TRUE(fresh.draw.fullScreen);
  EXPECT_EQ(fresh.draw.GetConfigTextSpeed(), 45);
  EXPECT_EQ(fresh.Texts().GetAutoWait(), 2000u);
  EXPECT_TRUE(fresh.Texts().IsRead(17));
  EXPECT_EQ(fresh.sound.GetDefaultSEVolume(), 5000);
  EXPECT_EQ(fresh.GetGlobalHeap()->Get("g"), 3);
  EXPECT_EQ(Blocks().loaded, std::vector<std::string>({"1:1"}));
}

TEST_F(SaveFilesTest, FirstStartWithoutEnvironmentSetsAWindow) {
  player.draw.fullScreen = true;
  player.draw.ClearLog();
  EXPECT_FALSE(NovelPlayer::LoadData(&player, player.GetIOStream(), 0, "global.dat",
                                     "kidoku.dat", "env.dat"));
  EXPECT_TRUE(player.draw.Calls("SetFullScreen").empty());
  EXPECT_FALSE(NovelPlayer::LoadData(&player, player.GetIOStream(), 1, "global.dat",
                                     "kidoku.dat", "env.dat"));
  EXPECT_EQ(player.draw.Calls("SetFullScreen"), std::vector<std::string>({"SetFullScreen(0)"}));
  EXPECT_EQ(player.draw.GetConfigTextSpeed(), 60);
}

}  // namespace
}  // namespace vesk_test
