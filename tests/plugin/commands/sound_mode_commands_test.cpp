// The sound and mode commands against recording managers: what each kind asks of
// the sound, text and draw managers, the skip-mode rule of playse, warnings for
// failed sound operations, one frame per command, and the written-back statements.

#include <string>
#include <utility>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/api/command_param.h"
#include "plugin/text/expansion.h"
#include "plugin/commands/mode_commands.h"
#include "plugin/commands/sound_commands.h"
#include "tests/plugin/commands/command_fixture.h"
#include "tests/support/debug_capture.h"

namespace {

using namespace nsWendrick;
using testing::Return;
using testing::StrEq;

class SoundModeTest : public vesk_test::PluginCommandTest {
 protected:
  SoundModeTest() { statementLine = 9; }

  // A command of the class with kind and name, bound to the engine.
  template <typename Cmd>
  Cmd* Make(std::int32_t kind, const char* name = "") {
    auto* command = static_cast<Cmd*>(Keep(Cmd::Create()));
    nsTamskLib::CommandParam param;
    param.Int[0] = kind;
    param.Str[0] = name;
    command->Setup(param);
    return command;
  }

  void RunOnce(nsTamskLib::ICmd_Base* command) { command->Execute(); }

  // Kind and name of the last command parsed.
  std::pair<std::int32_t, std::string> LastNamed() {
    const auto* named = dynamic_cast<const NamedCmd*>(LastCommand());
    return {named->GetKind(), named->GetName()};
  }

  testing::NiceMock<nsTamskLib::nsSoundManager::MockSoundManager>& sound = engine.ownSoundManager;
  testing::NiceMock<nsTamskLib::nsTextManager::MockTextManager>& text = engine.ownTextManager;
};

TEST_F(SoundModeTest, PlaySeIsSilentInSkipModeWhileTheOtherKindsStillAct) {
  ON_CALL(text, IsSkip()).WillByDefault(Return(true));
  EXPECT_CALL(sound, PlaySE(testing::_)).Times(0);
  EXPECT_CALL(sound, StopSE(StrEq("a.wav"))).WillOnce(Return(true));
  EXPECT_CALL(sound, LoadSE(StrEq("a.wav"))).WillOnce(Return(true));
  EXPECT_CALL(sound, ReleaseSE(StrEq("a.wav"))).WillOnce(Return(true));
  RunOnce(Make<Cmd_se>(Cmd_se::kPlay, "a.wav"));
  RunOnce(Make<Cmd_se>(Cmd_se::kStop, "a.wav"));
  RunOnce(Make<Cmd_se>(Cmd_se::kLoad, "a.wav"));
  RunOnce(Make<Cmd_se>(Cmd_se::kUnload, "a.wav"));
  // Every command moved the script on by one in its frame.
  EXPECT_EQ(Position(), -1 + 4);
}

TEST_F(SoundModeTest, SoundEffectsPlayOutsideSkipModeWithTheExpandedName) {
  LocalVariableNames().push_back("n");
  engine.locals.values["n"] = 7;
  EXPECT_CALL(sound, PlaySE(StrEq("se7.ogg"))).WillOnce(Return(true));
  RunOnce(Make<Cmd_se>(Cmd_se::kPlay, "se\\n\\.ogg"));
}

TEST_F(SoundModeTest, TheAllNameStopsAndUnloadsEverySound) {
  EXPECT_CALL(sound, StopAllSE()).WillOnce(Return(true));
  EXPECT_CALL(sound, ReleaseAllSE()).WillOnce(Return(true));
  EXPECT_CALL(sound, StopSE(testing::_)).Times(0);
  EXPECT_CALL(sound, ReleaseSE(testing::_)).Times(0);
  RunOnce(Make<Cmd_se>(Cmd_se::kStop, "/"));
  RunOnce(Make<Cmd_se>(Cmd_se::kUnload, "/"));
}

TEST_F(SoundModeTest, FailedSoundOperationsWarnAndTheScriptGoesOn) {
  vesk_test::DebugCapture warnings;
  ON_CALL(sound, PlaySE(testing::_)).WillByDefault(Return(false));
  ON_CALL(sound, LoadSE(testing::_)).WillByDefault(Return(false));
  ON_CALL(sound, StopSE(testing::_)).WillByDefault(Return(false));
  ON_CALL(sound, StopAllSE()).WillByDefault(Return(false));
  ON_CALL(sound, ReleaseSE(testing::_)).WillByDefault(Return(false));
  ON_CALL(sound, ReleaseAllSE()).WillByDefault(Return(false));
  ON_CALL(sound, PlayBGM(testing::_)).WillByDefault(Return(false));
  ON_CALL(sound, PlayBGMOnce(testing::_)).WillByDefault(Return(false));
  ON_CALL(sound, StopBGM()).WillByDefault(Return(false));
  RunOnce(Make<Cmd_se>(Cmd_se::kPlay, "x.wav"));
  RunOnce(Make<Cmd_se>(Cmd_se::kLoad, "x.wav"));
  RunOnce(Make<Cmd_se>(Cmd_se::kStop, "x.wav"));
  RunOnce(Make<Cmd_se>(Cmd_se::kStop, "/"));
  RunOnce(Make<Cmd_se>(Cmd_se::kUnload, "x.wav"));
  RunOnce(Make<Cmd_se>(Cmd_se::kUnload, "/"));
  RunOnce(Make<Cmd_bgm>(Cmd_bgm::kPlay, "m.ogg"));
  RunOnce(Make<Cmd_bgm>(Cmd_bgm::kPlayOnce, "m.ogg"));
  RunOnce(Make<Cmd_bgm>(Cmd_bgm::kStop, ""));
  EXPECT_EQ(warnings.lines(), (std::vector<std::string>{
                                  "SE（x.wav）が再生出来ません！",
                                  "SE（x.wav）がメモリに読み込めません！",
                                  "SE（x.wav）が停止出来ません！",
                                  "SEが停止出来ません！",
                                  "SE（x.wav）がメモリから解放出来ません！",
                                  "SEがメモリから解放出来ません！",
                                  "BGM（m.ogg）が再生出来ません！（play）",
                                  "BGM（m.ogg）が再生出来ません！（playonce）",
                                  "BGMが停止出来ません！",
                              }));
  EXPECT_EQ(Position(), -1 + 9);
}

TEST_F(SoundModeTest, MusicPlaysLoopedOnceAndStops) {
  testing::InSequence order;
  EXPECT_CALL(sound, PlayBGM(StrEq("a.ogg"))).WillOnce(Return(true));
  EXPECT_CALL(sound, PlayBGMOnce(StrEq("b.ogg"))).WillOnce(Return(true));
  EXPECT_CALL(sound, StopBGM()).WillOnce(Return(true));
  RunOnce(Make<Cmd_bgm>(Cmd_bgm::kPlay, "a.ogg"));
  RunOnce(Make<Cmd_bgm>(Cmd_bgm::kPlayOnce, "b.ogg"));
  RunOnce(Make<Cmd_bgm>(Cmd_bgm::kStop, ""));
}

TEST_F(SoundModeTest, ScreenModeSwitchesOnlyWhenItChanges) {
  bool fullScreen = false;
  ON_CALL(draw, IsFullScreen()).WillByDefault([&] { return fullScreen; });
  ON_CALL(draw, SetFullScreen(testing::_)).WillByDefault([&](bool on) { fullScreen = on; });
  EXPECT_CALL(draw, SetFullScreen(testing::_)).Times(3);
  RunOnce(Make<Cmd_setscreen>(Cmd_setscreen::kWindow));      // already a window: nothing
  RunOnce(Make<Cmd_setscreen>(Cmd_setscreen::kFullScreen));  // 1
  EXPECT_TRUE(fullScreen);
  RunOnce(Make<Cmd_setscreen>(Cmd_setscreen::kFullScreen));  // already: nothing
  RunOnce(Make<Cmd_setscreen>(Cmd_setscreen::kToggle));      // 2
  EXPECT_FALSE(fullScreen);
  RunOnce(Make<Cmd_setscreen>(Cmd_setscreen::kToggle));      // 3
  EXPECT_TRUE(fullScreen);
  EXPECT_EQ(Position(), -1 + 5);
}

TEST_F(SoundModeTest, SkipAutoAndForcedWindowSwitchOnOffAndToggle) {
  bool skip = false;
  bool autoMode = false;
  bool forced = false;
  ON_CALL(text, IsSkip()).WillByDefault([&] { return skip; });
  ON_CALL(text, SetSkip(testing::_)).WillByDefault([&](bool v) { skip = v; });
  ON_CALL(text, IsAuto()).WillByDefault([&] { return autoMode; });
  ON_CALL(text, SetAuto(testing::_)).WillByDefault([&](bool v) { autoMode = v; });
  ON_CALL(draw, IsTextWindowForced()).WillByDefault([&] { return forced; });
  ON_CALL(draw, SetTextWindowForced(testing::_)).WillByDefault([&](bool v) { forced = v; });

  RunOnce(Make<Cmd_setskip>(kSwitchToggle));
  EXPECT_TRUE(skip);
  RunOnce(Make<Cmd_setskip>(kSwitchToggle));
  EXPECT_FALSE(skip);  // "skip" twice: back where it was
  RunOnce(Make<Cmd_setskip>(kSwitchOn));
  EXPECT_TRUE(skip);
  RunOnce(Make<Cmd_setskip>(kSwitchOff));
  EXPECT_FALSE(skip);

  RunOnce(Make<Cmd_setauto>(kSwitchOn));
  EXPECT_TRUE(autoMode);
  RunOnce(Make<Cmd_setauto>(kSwitchToggle));
  EXPECT_FALSE(autoMode);

  RunOnce(Make<Cmd_forcetextwindow>(kSwitchOn));
  EXPECT_TRUE(forced);
  RunOnce(Make<Cmd_forcetextwindow>(kSwitchOff));
  EXPECT_FALSE(forced);
  RunOnce(Make<Cmd_forcetextwindow>(kSwitchToggle));
  EXPECT_TRUE(forced);
  EXPECT_EQ(Position(), -1 + 9);
}

TEST_F(SoundModeTest, DumpWritesTheStatementOfEachKind) {
  EXPECT_EQ(DumpOf(Make<Cmd_se>(0, "a")), "playse \"a\";\n");
  EXPECT_EQ(DumpOf(Make<Cmd_se>(1, "a")), "stopse \"a\";\n");
  EXPECT_EQ(DumpOf(Make<Cmd_se>(1, "/")), "stopallse;\n");
  EXPECT_EQ(DumpOf(Make<Cmd_se>(2, "a")), "loadse \"a\";\n");
  EXPECT_EQ(DumpOf(Make<Cmd_se>(3, "a")), "unloadse \"a\";\n");
  EXPECT_EQ(DumpOf(Make<Cmd_se>(3, "/")), "unloadallse;\n");
  EXPECT_EQ(DumpOf(Make<Cmd_bgm>(0, "m")), "playbgm \"m\";\n");
  EXPECT_EQ(DumpOf(Make<Cmd_bgm>(1, "")), "stopbgm;\n");
  EXPECT_EQ(DumpOf(Make<Cmd_bgm>(2, "m")), "playoncebgm \"m\";\n");
  EXPECT_EQ(DumpOf(Make<Cmd_setscreen>(0)), "screen;\n");
  EXPECT_EQ(DumpOf(Make<Cmd_setscreen>(1)), "window;\n");
  EXPECT_EQ(DumpOf(Make<Cmd_setscreen>(2)), "fullscreen;\n");
  EXPECT_EQ(DumpOf(Make<Cmd_setskip>(0)), "skipon;\n");
  EXPECT_EQ(DumpOf(Make<Cmd_setskip>(2)), "skip;\n");
  EXPECT_EQ(DumpOf(Make<Cmd_setauto>(1)), "autooff;\n");
  EXPECT_EQ(DumpOf(Make<Cmd_forcetextwindow>(2)), "forcetextwindow;\n");
}

TEST_F(SoundModeTest, SoundKeywordsTakeTheirOwnFormsAndTheAllNames) {
  EXPECT_EQ(Parse(Cmd_se::Parse, {"playse", "\"a.wav\"", ";"}), 3);
  EXPECT_EQ(LastNamed(), std::make_pair(0, std::string("a.wav")));
  EXPECT_EQ(Parse(Cmd_se::Parse, {"stopallse", ";"}), 2);
  EXPECT_EQ(LastNamed(), std::make_pair(1, std::string("/")));
  EXPECT_EQ(Parse(Cmd_se::Parse, {"unloadallse", ";"}), 2);
  EXPECT_EQ(LastNamed(), std::make_pair(3, std::string("/")));
  EXPECT_EQ(Parse(Cmd_se::Parse, {"unloadse", "\"b\"", ";"}), 3);
  EXPECT_EQ(LastNamed(), std::make_pair(3, std::string("b")));
  EXPECT_EQ(Parse(Cmd_bgm::Parse, {"stopbgm", ";"}), 2);
  EXPECT_EQ(LastNamed(), std::make_pair(1, std::string("")));
  EXPECT_EQ(Parse(Cmd_bgm::Parse, {"playoncebgm", "\"m\"", ";"}), 3);
  EXPECT_EQ(LastNamed(), std::make_pair(2, std::string("m")));
  EXPECT_EQ(host.added.size(), 6u);

  EXPECT_EQ(Parse(Cmd_se::Parse, {"playse", ";"}), -1);
  EXPECT_EQ(Parse(Cmd_se::Parse, {"stopallse", "\"a\"", ";"}), -1);
  EXPECT_EQ(Parse(Cmd_bgm::Parse, {"stopbgm", "\"m\"", ";"}), -1);
  EXPECT_EQ(Parse(Cmd_bgm::Parse, {"playbgm", "1", ";"}), -1);
  EXPECT_EQ(Parse(Cmd_se::Parse, {"playbgm", "\"m\"", ";"}), -1);
  EXPECT_EQ(host.added.size(), 6u);
  std::string expected;
  for (int i = 0; i < 5; ++i) expected += "エラー（   9行目）：構文エラーです！\n";
  EXPECT_EQ(host.errors.text, expected);
}

TEST_F(SoundModeTest, ModeKeywordsTakeASemicolonAlone) {
  EXPECT_EQ(Parse(Cmd_setscreen::Parse, {"fullscreen", ";"}), 2);
  EXPECT_EQ(Parse(Cmd_setskip::Parse, {"skip", ";"}), 2);
  EXPECT_EQ(Parse(Cmd_setauto::Parse, {"autooff", ";"}), 2);
  EXPECT_EQ(Parse(Cmd_forcetextwindow::Parse, {"forcetexton", ";"}), 2);
  const std::int32_t kinds[] = {2, 2, 1, 0};
  ASSERT_EQ(host.added.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(dynamic_cast<const KindCmd*>(host.added[static_cast<std::size_t>(i)].command)->GetKind(),
              kinds[i]);
  }
  EXPECT_EQ(Parse(Cmd_setskip::Parse, {"skipon", "1", ";"}), -1);
  EXPECT_EQ(Parse(Cmd_setscreen::Parse, {"window"}), -1);
  EXPECT_EQ(host.added.size(), 4u);
}

}  // namespace
