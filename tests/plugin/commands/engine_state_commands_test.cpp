// The engine state commands on the real script player: volumes applied at once,
// voices with skip mode and the all-voices name, the state stack, the text window
// and menu switches, cleared text, waiting on a condition, the character margin,
// and the bodies and script text; and their parsers over a one-statement compiler
// host: each keyword only in its own form, with the kind and the fixed name it
// stands for.

#include <gtest/gtest.h>

#include "engine/api/heaps.h"
#include "plugin/commands/engine_state_commands.h"
#include "tests/engine/kit/command_bodies.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/plugin/commands/command_fixture.h"
#include "tests/plugin/effects/story_frame.h"
#include "tests/support/debug_capture.h"

namespace {

using namespace nsWendrick;
using vesk_test::StoryFrameTest;

using EngineStateCommandsTest = StoryFrameTest;

TEST_F(EngineStateCommandsTest, VolumesReachTheSoundBackEndAtOnce) {
  const std::int32_t start = Position();
  MakeCommand<Cmd_volume>(Cmd_volume::kSE, {}, {1000}).Execute();
  MakeCommand<Cmd_volume>(Cmd_volume::kBGM, {}, {2000}).Execute();
  MakeCommand<Cmd_volume>(Cmd_volume::kVoice, {}, {3000}).Execute();
  EXPECT_EQ(player.Sound().GetSEVolume(), 1000);
  EXPECT_EQ(player.Sound().GetBGMVolume(), 2000);
  EXPECT_EQ(player.Sound().GetVoiceVolume(), 3000);
  // Music already playing takes the new volume.
  EXPECT_EQ(player.sound.bgmVolume, 2000);
  EXPECT_EQ(Position(), start + 3);
}

TEST_F(EngineStateCommandsTest, VoicesPlayOutsideSkipModeAndFailuresOnlyWarn) {
  vesk_test::DebugCapture debug;
  MakeCommand<Cmd_voice>(Cmd_voice::kPlay, {"v1.ogg"}, {}).Execute();
  EXPECT_EQ(player.sound.voice.playing.count("v1.ogg"), 1u);

  player.Texts().SetSkip(true);
  const std::int32_t start = Position();
  MakeCommand<Cmd_voice>(Cmd_voice::kPlay, {"v2.ogg"}, {}).Execute();
  EXPECT_EQ(player.sound.voice.playing.count("v2.ogg"), 0u);
  EXPECT_EQ(Position(), start + 1);
  // The other kinds still run in skip mode.
  MakeCommand<Cmd_voice>(Cmd_voice::kLoad, {"v3.ogg"}, {}).Execute();
  EXPECT_EQ(player.sound.voice.loaded.count("v3.ogg"), 1u);
  player.Texts().SetSkip(false);

  // "stopvoice "/";" stops every voice, like "stopallvoice;".
  MakeCommand<Cmd_voice>(Cmd_voice::kPlay, {"v3.ogg"}, {}).Execute();
  MakeCommand<Cmd_voice>(Cmd_voice::kStop, {"/"}, {}).Execute();
  EXPECT_TRUE(player.sound.voice.playing.empty());
  MakeCommand<Cmd_voice>(Cmd_voice::kRelease, {"/"}, {}).Execute();
  EXPECT_TRUE(player.sound.voice.loaded.empty());

  player.sound.voice.failLoad.insert("bad.ogg");
  MakeCommand<Cmd_voice>(Cmd_voice::kPlay, {"bad.ogg"}, {}).Execute();
  MakeCommand<Cmd_voice>(Cmd_voice::kLoad, {"bad.ogg"}, {}).Execute();
  EXPECT_TRUE(debug.Contains("音声（bad.ogg）が再生出来ません！"));
  EXPECT_TRUE(debug.Contains("音声（bad.ogg）がメモリに読み込めません！"));
}

TEST_F(EngineStateCommandsTest, SuspendAndSystemCallsPushTheirStates) {
  MakeCommand<Cmd_systemcall>(1, {}, {}).Execute();
  EXPECT_EQ(player.GetStates().back(), nsTamskLib::nsCore::kStateSave);
  MakeCommand<Cmd_systemcall>(4, {}, {}).Execute();
  EXPECT_EQ(player.GetStates().back(), nsTamskLib::nsCore::kStateMenu);
  const std::size_t depth = player.GetStates().size();
  MakeCommand<Cmd_systemcall>(5, {}, {}).Execute();  // no such screen
  EXPECT_EQ(player.GetStates().size(), depth);
  MakeCommand<Cmd_suspend>(0, {}, {}).Execute();
  EXPECT_EQ(player.GetStates().back(), nsTamskLib::nsCore::kStateSuspended);
}

TEST_F(EngineStateCommandsTest, TextWindowMenuAndClearedText) {
  auto& draw = player.Draw();
  MakeCommand<Cmd_textwindow>(Cmd_textwindow::kOff, {}, {}).Execute();
  EXPECT_FALSE(draw.IsTextWindowVisible());
  Cmd_textwindow& toggle = MakeCommand<Cmd_textwindow>(Cmd_textwindow::kToggle, {}, {});
  toggle.Execute();
  EXPECT_TRUE(draw.IsTextWindowVisible());
  toggle.Execute();
  EXPECT_FALSE(draw.IsTextWindowVisible());
  MakeCommand<Cmd_textwindow>(Cmd_textwindow::kOn, {}, {}).Execute();
  EXPECT_TRUE(draw.IsTextWindowVisible());
  EXPECT_FALSE(draw.IsTextWindowForced());

  player.SetMenuEnabled(false);
  MakeCommand<Cmd_menu>(Cmd_menu::kOn, {}, {}).Execute();
  EXPECT_TRUE(player.IsMenuEnabled());
  MakeCommand<Cmd_menu>(Cmd_menu::kToggle, {}, {}).Execute();
  EXPECT_FALSE(player.IsMenuEnabled());

  nsTamskLib::TextTokenSection text;
  text.push_back(nsTamskLib::TextTokenLine());
  draw.SetMessageText(text);
  draw.SetTalkerText(text);
  draw.SetTextCursor(2);
  MakeCommand<Cmd_cleartext>(0, {}, {}).Execute();
  EXPECT_TRUE(draw.GetMessageText()->empty());
  EXPECT_TRUE(draw.GetTalkerText()->empty());
  EXPECT_EQ(draw.Settings().TextCursorState, 0) << "no go-next cursor under the cleared message";
}

TEST_F(EngineStateCommandsTest, SleepHoldsTheScriptUntilItsConditionHolds) {
  player.GetGlobalHeap()->Set("flag", 0);
  nsTamskLib::CommandParam param;
  nsTamskLib::ExpressionToken symbol;
  symbol.Type = nsTamskLib::kTokenSymbol;
  symbol.Name = "flag";
  param.Expr[0].push_back(symbol);
  auto* sleep = static_cast<Cmd_sleep*>(Cmd_sleep::Create());
  sleep->Setup(param);
  sleep->SetEngine(&player);
  const std::int32_t start = Position();
  for (int frame = 0; frame < 3; ++frame) sleep->Execute();
  EXPECT_EQ(Position(), start);
  player.GetGlobalHeap()->Set("flag", 1);
  sleep->Execute();
  EXPECT_EQ(Position(), start + 1);
  sleep->Destroy();

  MakeCommand<Cmd_sleep>(0, {}, {0}).Execute();
  EXPECT_EQ(Position(), start + 1);
}

TEST_F(EngineStateCommandsTest, TheCharacterMarginPlacesTheSideLayers) {
  MakeCommand<Cmd_charaspace>(0, {}, {80}).Execute();
  EXPECT_EQ(player.Tasks().GetCharaMargin(), 80);
  nsTamskLib::nsTaskManager::DrawTask* left = GetTMAccessor()->GetLChLayer();
  left[0].SrcRect = nsTamskLib::TRect{0, 0, 300, 500};
  GetTMAccessor()->UpdateCharaPositions();
  EXPECT_EQ(left[0].X, 80);
}

TEST_F(EngineStateCommandsTest, BodiesRoundTripAndDumpAsScriptText) {
  auto roundTrip = [](nsTamskLib::ICmd_Base& command, nsTamskLib::ICmd_Base& fresh) {
    return vesk_test::Reload(command, fresh).dump;
  };
  EXPECT_EQ(roundTrip(MakeCommand<Cmd_volume>(1, {}, {5000}), MakeCommand<Cmd_volume>(0, {}, {})),
            "bgmvolume (5000);\n");
  EXPECT_EQ(roundTrip(MakeCommand<Cmd_voice>(3, {"/"}, {}), MakeCommand<Cmd_voice>(0, {}, {})),
            "unloadallvoice;\n");
  EXPECT_EQ(roundTrip(MakeCommand<Cmd_voice>(1, {"a.ogg"}, {}), MakeCommand<Cmd_voice>(0, {}, {})),
            "stopvoice \"a.ogg\";\n");
  EXPECT_EQ(roundTrip(MakeCommand<Cmd_systemcall>(3, {}, {}),
                      MakeCommand<Cmd_systemcall>(0, {}, {})),
            "callconfig;\n");
  EXPECT_EQ(roundTrip(MakeCommand<Cmd_menu>(2, {}, {}), MakeCommand<Cmd_menu>(0, {}, {})),
            "menu;\n");
  EXPECT_EQ(roundTrip(MakeCommand<Cmd_textwindow>(1, {}, {}),
                      MakeCommand<Cmd_textwindow>(0, {}, {})),
            "textoff;\n");
  EXPECT_EQ(roundTrip(MakeCommand<Cmd_charaspace>(0, {}, {40}),
                      MakeCommand<Cmd_charaspace>(0, {}, {})),
            "charaspace (40);\n");
  EXPECT_EQ(roundTrip(MakeCommand<Cmd_suspend>(0, {}, {}), MakeCommand<Cmd_suspend>(0, {}, {})),
            "suspend;\n");
}

using EngineStateParsersTest = vesk_test::PluginCommandTest;

TEST_F(EngineStateParsersTest, EachKeywordTakesItsOwnFormAndGivesItsKind) {
  ASSERT_EQ(Parse(Cmd_voice::Parse, {"stopallvoice", ";"}), 2);
  EXPECT_EQ(Last().Int[0], Cmd_voice::kStop);
  EXPECT_EQ(std::string(Last().Str[0].c_str()), "/");
  EXPECT_EQ(Parse(Cmd_voice::Parse, {"playvoice", ";"}), -1);
  ASSERT_EQ(Parse(Cmd_systemcall::Parse, {"callload", ";"}), 2);
  EXPECT_EQ(Last().Int[0], 2);
  ASSERT_EQ(Parse(Cmd_volume::Parse, {"voicevolume", "700", ";"}), 3);
  EXPECT_EQ(Last().Int[0], Cmd_volume::kVoice);
  ASSERT_EQ(Parse(Cmd_sleep::Parse, {"sleep", "flag", ";"}), 3);
  EXPECT_EQ(Parse(Cmd_sleep::Parse, {"sleep", ";"}), -1);
}

}  // namespace
