// Sound, mode, style, configuration and engine state commands compiled from script
// text by the script compiler host over the real Wendrick.so and run on the engine:
// the registered save block, compiled bodies the engine reads back unchanged, and
// what a short script leaves in the engine's managers.

#include <gtest/gtest.h>

#include "engine/api/text_manager.h"
#include "engine/plugin/plugin_registry.h"
#include "tests/engine/kit/command_bodies.h"
#include "tests/tools/kit/compiled_script_fixture.h"

namespace vesk_test {
namespace {

class StyleScriptsTest : public CompiledScriptTest {};

TEST_F(StyleScriptsTest, TheSaveBlockIsRegistered) {
  const auto& registries = nsTamskLib::nsPlugin::GetRegistries();
  EXPECT_EQ(registries.saveLocalDataFuncs.count("Wendrick"), 1u);
  EXPECT_EQ(registries.loadLocalDataFuncs.count("Wendrick"), 1u);
}

TEST_F(StyleScriptsTest, TheEngineLoadsEveryCompiledBodyBackToTheSameBytes) {
  Load(R"(
@start:
  playse "a.wav"; stopallse; unloadse "a.wav"; playbgm "m.ogg"; stopbgm;
  screen; skipoff; autoon; forcetextwindow;
  textfont "ＭＳ ゴシック"; textcolor 255, 0, 128; textposition 1, 2; textalignright;
  talkersize 20; talkeraligncenter; rubyoffset 3; selecttexthcolor 1, 2, 3; selecttextalignleft;
  textwindowdraw 0, 400, 800, 200, 0, 0, 0, 128, 2, 255, 255, 255;
  textwindowimage "w.png", 0, 0, 255, 0, 0, 800, 200;
  textcursorshow 1, 0, 1, 0; textcursorgonext "c.png", 1, 2, 255, 0, 0, 16, 16, 1;
  selectwindowdraw 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21;
  selectwindowimage "s.png", 255, 0, 0, 1, 1, 0, 1, 1, 1, 0, 2, 1, 1;
  selectwindowunderspace 40; selectcursorse "o.wav"; waittimeskip 0; addfollowingchs "ー";
  initialize;
)");
  const std::vector<nsTamskLib::ICmd_Base*>& loaded = player.Commands().GetCommandList();
  ASSERT_EQ(loaded.size(), 29u);
  EXPECT_EQ(SaveCommands(loaded), SaveCommands(compiler->Commands()));
}

TEST_F(StyleScriptsTest, TheEngineLoadsEveryEngineStateBodyBackToTheSameBytes) {
  Load(R"(
@start:
  local x = 0;
  sevolume 100; bgmvolume x; voicevolume 300; suspend;
  callbacklog; callsave; callload; callconfig; callmenu;
  texton; textoff; textwindow; cleartext; menuon; menuoff; menu; sleep 1; charaspace -4;
  playvoice "v.ogg"; stopvoice "v.ogg"; stopallvoice; loadvoice "v.ogg"; unloadvoice "v\x\.ogg";
  unloadallvoice;
)");
  const std::vector<nsTamskLib::ICmd_Base*>& loaded = player.Commands().GetCommandList();
  ASSERT_EQ(loaded.size(), 25u);
  EXPECT_EQ(SaveCommands(loaded), SaveCommands(compiler->Commands()));
  RecordingTextStream dump;
  for (nsTamskLib::ICmd_Base* command : loaded) command->Dump(&dump);
  EXPECT_EQ(dump.text, CompiledDump());
  EXPECT_NE(dump.text.find("bgmvolume (x);\nvoicevolume (300);\nsuspend;\ncallbacklog;\n"),
            std::string::npos);
  EXPECT_NE(dump.text.find("charaspace (4)();\nplayvoice \"v.ogg\";\n"), std::string::npos);
  EXPECT_NE(dump.text.find("unloadvoice \"v\\x\\.ogg\";\nunloadallvoice;\n"), std::string::npos);
}

TEST_F(StyleScriptsTest, AScriptSwitchesModesPlaysSoundsAndSetsTheChoiceStyle) {
  Load(R"(
@start:
  skipon;
  playse "skipped.wav";
  loadse "kept.wav";
  skip;
  playse "played.wav";
  autoon;
  forcetexton;
  selecttextsize 18;
  selecttextmaxwidth 300;
  selectwindowunderspace 40;
  selectclickse "click.wav";
  end;
)");
  RunToEnd();
  EXPECT_TRUE(errors.empty()) << errors;
  EXPECT_EQ(player.sound.se.loaded.count("kept.wav"), 1u);
  EXPECT_EQ(player.sound.se.loaded.count("played.wav"), 1u);
  EXPECT_EQ(player.sound.se.loaded.count("skipped.wav"), 0u);
  EXPECT_FALSE(player.GetTextManager()->IsSkip());
  EXPECT_TRUE(player.GetTextManager()->IsAuto());
  EXPECT_TRUE(player.draw.IsTextWindowForced());
  EXPECT_EQ(player.draw.GetSelectFontSize(), 18);
  EXPECT_EQ(player.draw.GetSelectItemWidth(), 300);
}

// The twelve values of the plug-in's block, as four-byte little-endian integers.
std::string TwelveValues(std::initializer_list<std::int32_t> values) {
  std::string bytes;
  for (std::int32_t value : values) {
    for (int i = 0; i < 4; ++i) {
      bytes.push_back(static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFFu));
    }
  }
  return bytes;
}

TEST_F(StyleScriptsTest, ASaveSlotCarriesTheStyleValuesThroughTheEngine) {
  Load(R"(
@start:
  textcspace 5;
  talkeralignright;
  selecttextlspace 3;
  waittimeskip 40;
  end;
)");
  RunToEnd();
  ASSERT_TRUE(player.SaveLocalData("Save01.dat", player.GetIOStream()));
  const std::string slot = ReadFile("Save01.dat");
  // Values set since the last message are saved as the ones the next message uses.
  const std::string values = TwelveValues({5, 0, 0, 0, 0, 2, 0, 0, 0, 3, 1, 40});
  EXPECT_NE(slot.find(values), std::string::npos);

  ASSERT_TRUE(player.LoadLocalData("Save01.dat", player.GetIOStream()));
  ASSERT_TRUE(player.SaveLocalData("Save02.dat", player.GetIOStream()));
  EXPECT_NE(ReadFile("Save02.dat").find(values), std::string::npos);
}

TEST_F(StyleScriptsTest, AWrongFormIsAnErrorOnItsLine) {
  EXPECT_FALSE(Compile("@start:\n  textsize;\n  playse 1;\n  window;\n  textalignleft 3;\n"));
  EXPECT_EQ(errors,
            "エラー（   2行目）：構文エラーです！\n"
            "エラー（   3行目）：構文エラーです！\n"
            "エラー（   5行目）：構文エラーです！\n");
}

}  // namespace
}  // namespace vesk_test
