// The save and load screens over a player with recording back ends, writing and
// reading real slot files in the test's working folder: slots by page, the
// confirmation, captions from the files' times, missing slots disabled for loading,
// a load from the menu back to the story, failures reported, one pop per frame.

#include <sys/stat.h>
#include <utime.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/scene/default_load_scene.h"
#include "engine/scene/default_save_scene.h"
#include "tests/engine/scene/screen_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::nsScene::SlotScene;

// A game's slot screen that keeps its slots in files of its own naming.
template <class SlotScreen>
class RenamedSlots : public SlotScreen {
 public:
  const char* GetFileName(int slot) override {
    m_Name = "slot" + std::to_string(slot) + ".sav";
    return m_Name.c_str();
  }

 private:
  std::string m_Name;
};

// Centres of the screens' buttons.
int SlotY(int i) { return 100 + 40 * i; }
constexpr int kSlotX = 470;
int PageX(int page) { return 240 + 50 * (page / 5); }
int PageY(int page) { return 260 + 50 * (page % 5); }

class SlotScenesTest : public ScreenTest {
 protected:
  void SetUp() override {
    StartStory();
    Frames();
  }
  SlotScene& Screen(int state) { return dynamic_cast<SlotScene&>(*player.GetScene(state)); }
  void ClickSlot(int i) { Click(kSlotX, SlotY(i)); }
  void ClickPage(int page) { Click(PageX(page), PageY(page)); }
  void ClickBack() { Click(520, 505); }
  bool Exists(const char* file) const { return std::filesystem::exists(file); }
  std::int32_t Local(const char* name) { return player.GetLocalHeap()->Get(name); }
  const AnsweredBoxes::Box& LastBox() const { return boxes.boxes.back(); }
};

TEST_F(SlotScenesTest, SaveAsksThenWritesTheSlotOfThePageShownAndStaysOpen) {
  player.PushState(2);
  player.draw.ClearLog();
  Frames();
  const std::vector<std::string> draws = player.draw.Draws();
  EXPECT_NE(std::find(draws.begin(), draws.end(), "FillRect({0,0,800,600},0x00000000,128)"),
            draws.end());
  EXPECT_NE(std::find(draws.begin(), draws.end(),
                      "DrawText(Save,240,80,255,Times New Roman,30,0x00FFFFFF,0,0)"),
            draws.end());
  EXPECT_EQ(player.draw.log.back(), "Present()");
  EXPECT_EQ(Screen(2).SlotButton(0).GetCaption(), "00：----/--/-- --:--");
  EXPECT_FALSE(Screen(2).SlotButton(0).IsDisabled());

  boxes.answers = {false};
  ClickSlot(0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(LastBox().caption, "確認");
  EXPECT_EQ(LastBox().text, "セーブします、よろしいですか？");
  EXPECT_TRUE(LastBox().question);
  EXPECT_EQ(LastBox().icon, platform::MessageBoxIcon::None);
  EXPECT_FALSE(Exists("Save00.dat"));

  boxes.answers = {true};
  ClickSlot(0);
  EXPECT_TRUE(Exists("Save00.dat"));
  EXPECT_EQ(player.GetStates(), States({0, 2}));
  // The caption shows the file's time from the same frame on.
  EXPECT_EQ(Screen(2).SlotButton(0).GetCaption().rfind("00：20", 0), 0u);

  // Page 3, slot button 7 is Save37.dat.
  ClickPage(3);
  EXPECT_EQ(Screen(2).GetPage(), 3);
  EXPECT_TRUE(Screen(2).PageButton(3).IsDisabled());
  EXPECT_FALSE(Screen(2).PageButton(0).IsDisabled());
  EXPECT_EQ(Screen(2).SlotButton(7).GetCaption(), "37：----/--/-- --:--");
  boxes.answers = {true};
  ClickSlot(7);
  EXPECT_TRUE(Exists("Save37.dat"));
  EXPECT_FALSE(Exists("Save07.dat"));

  ClickBack();
  EXPECT_EQ(player.GetStates(), States({0}));
  EXPECT_TRUE(boxes.answers.empty());
}

TEST_F(SlotScenesTest, CaptionsShowTheFileTimeAndLoadingNeedsAFile) {
  setenv("TZ", "UTC", 1);
  tzset();
  WriteFile("Save05.dat", "anything");
  std::tm when{};
  when.tm_year = 2024 - 1900;
  when.tm_mon = 2;
  when.tm_mday = 5;
  when.tm_hour = 7;
  when.tm_min = 9;
  when.tm_sec = 30;
  const std::time_t time = timegm(&when);
  const utimbuf times{time, time};
  ASSERT_EQ(utime("Save05.dat", &times), 0);

  player.PushState(3);
  Frames();
  SlotScene& load = Screen(3);
  EXPECT_EQ(load.SlotButton(5).GetCaption(), "05：2024/03/05 07:09");
  EXPECT_FALSE(load.SlotButton(5).IsDisabled());
  EXPECT_EQ(load.SlotButton(6).GetCaption(), "06：----/--/-- --:--");
  EXPECT_TRUE(load.SlotButton(6).IsDisabled());
  // A missing slot cannot be clicked: no question, nothing read.
  ClickSlot(6);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(player.GetStates(), States({0, 3}));

  PressClose();
  player.PushState(2);
  Frames();
  EXPECT_EQ(Screen(2).SlotButton(5).GetCaption(), "05：2024/03/05 07:09");
  EXPECT_FALSE(Screen(2).SlotButton(6).IsDisabled());
}

TEST_F(SlotScenesTest, LoadFromTheMenuRestoresTheGameAndReturnsToTheStory) {
  player.GetLocalHeap()->Set("a", 1);
  player.sound.PlayBGM("theme.ogg");
  ASSERT_TRUE(player.SaveLocalData("Save00.dat", player.GetIOStream()));
  player.GetLocalHeap()->Set("a", 2);
  player.sound.StopBGM();
  player.sound.PlayBGM("other.ogg");

  player.input.menu = true;
  Frames();
  player.input.ReleaseKeys();
  ASSERT_EQ(player.GetStates(), States({0, 5}));
  Click(715, 130);  // "ロード"
  ASSERT_EQ(player.GetStates(), States({0, 5, 3}));

  boxes.answers = {false};
  ClickSlot(0);
  EXPECT_EQ(LastBox().text, "ロードします、よろしいですか？");
  EXPECT_EQ(LastBox().icon, platform::MessageBoxIcon::None);
  EXPECT_EQ(Local("a"), 2);
  EXPECT_EQ(player.GetStates(), States({0, 5, 3}));

  boxes.answers = {true};
  player.input.MoveTo(kSlotX, SlotY(0));
  player.input.PushLeft();
  Frames();
  player.input.ReleaseLeft();
  player.draw.ClearLog();
  Frames();
  player.input.IdleLeft();
  // Straight back to the story, not to the menu; the frame of the load draws nothing.
  EXPECT_EQ(player.GetStates(), States({0}));
  EXPECT_TRUE(player.draw.Calls("Present").empty());
  EXPECT_EQ(Local("a"), 1);
  EXPECT_EQ(player.sound.bgmLoaded, "theme.ogg");
  EXPECT_TRUE(player.sound.bgmPlaying);
  Frames();
  EXPECT_EQ(player.draw.log.back(), "Present()");
}

TEST_F(SlotScenesTest, SlotThatCannotBeReadOrWrittenIsReported) {
  player.GetLocalHeap()->Set("a", 2);
  WriteFile("Save01.dat", "not a save slot");
  player.PushState(3);
  Frames();
  boxes.answers = {true};
  ClickSlot(1);
  // The load screen stays, over the game as it was.
  EXPECT_EQ(LastBox().caption, "メッセージ");
  EXPECT_EQ(LastBox().text, "Save01.datの読み込みに失敗しました！");
  EXPECT_EQ(player.GetStates(), States({0, 3}));
  EXPECT_EQ(Local("a"), 2);
  PressClose();

  std::filesystem::create_directory("Save02.dat");
  player.PushState(2);
  Frames();
  boxes.answers = {true};
  ClickSlot(2);
  EXPECT_EQ(LastBox().caption, "メッセージ");
  EXPECT_EQ(LastBox().text, "Save02.datの書き込みに失敗しました！");
  EXPECT_EQ(player.GetStates(), States({0, 2}));
}

TEST_F(SlotScenesTest, GameScreenWritesShowsAndReadsItsOwnSlotFiles) {
  player.SetScene(2, new RenamedSlots<nsTamskLib::nsScene::DefaultSaveScene>);
  player.SetScene(3, new RenamedSlots<nsTamskLib::nsScene::DefaultLoadScene>);
  player.GetLocalHeap()->Set("a", 1);
  player.PushState(2);
  Frames();
  boxes.answers = {true};
  ClickSlot(4);
  EXPECT_TRUE(Exists("slot4.sav"));
  EXPECT_FALSE(Exists("Save04.dat"));
  EXPECT_EQ(Screen(2).SlotButton(4).GetCaption().rfind("04：20", 0), 0u);
  PressClose();

  player.GetLocalHeap()->Set("a", 2);
  player.PushState(3);
  Frames();
  EXPECT_FALSE(Screen(3).SlotButton(4).IsDisabled());
  boxes.answers = {true};
  ClickSlot(4);
  EXPECT_EQ(Local("a"), 1);
  EXPECT_EQ(player.GetStates(), States({0}));
}

TEST_F(SlotScenesTest, SlotWhosePositionIsNoCommandIsRefusedLikeADamagedOne) {
  ASSERT_TRUE(player.SaveLocalData("Save01.dat", player.GetIOStream()));
  std::string slot = ReadFile("Save01.dat");
  // The one position, behind the empty variable table: a command this script lacks.
  ASSERT_EQ(slot.substr(4, 12), std::string("\0\0\0\0\x01\0\0\0\0\0\0\0", 12));
  slot[12] = '\x05';
  WriteFile("Save01.dat", slot);
  player.GetLocalHeap()->Set("a", 2);

  player.PushState(3);
  Frames();
  boxes.answers = {true};
  ClickSlot(1);
  EXPECT_EQ(LastBox().text, "Save01.datの読み込みに失敗しました！");
  EXPECT_EQ(player.GetStates(), States({0, 3}));
  PressClose();
  Frames(2);
  EXPECT_EQ(Local("a"), 2);
  EXPECT_EQ(player.Commands().GetIterators(), std::vector<std::int32_t>{0});
}

TEST_F(SlotScenesTest, BackButtonAndCloseKeyInOneFramePopOnce) {
  for (int state : {2, 3}) {
    player.PushState(5);
    player.PushState(state);
    player.input.MoveTo(520, 505);
    player.input.PushLeft();
    Frames();
    player.input.ReleaseLeft();
    PressClose();
    player.input.IdleLeft();
    EXPECT_EQ(player.GetStates(), States({0, 5})) << state;
    PressClose();
    EXPECT_EQ(player.GetStates(), States({0})) << state;
  }
}

TEST_F(SlotScenesTest, CurrentPageIgnoresClicksAndSurvivesUntilANewGame) {
  player.PushState(3);
  Frames();
  EXPECT_TRUE(Screen(3).PageButton(0).IsDisabled());
  ClickPage(0);
  EXPECT_EQ(Screen(3).GetPage(), 0);
  ClickPage(9);
  EXPECT_EQ(Screen(3).GetPage(), 9);
  // The load screen refreshes its captions at the start of the next frame.
  EXPECT_EQ(Screen(3).SlotButton(0).GetCaption(), "00：----/--/-- --:--");
  Frames();
  EXPECT_EQ(Screen(3).SlotButton(0).GetCaption(), "90：----/--/-- --:--");
  EXPECT_TRUE(Screen(3).PageButton(9).IsDisabled());
  EXPECT_FALSE(Screen(3).PageButton(0).IsDisabled());
  PressClose();
  player.PushState(3);
  Frames();
  EXPECT_EQ(Screen(3).GetPage(), 9);
  player.Initialize();
  EXPECT_EQ(Screen(3).GetPage(), 0);
}

}  // namespace
}  // namespace vesk_test
