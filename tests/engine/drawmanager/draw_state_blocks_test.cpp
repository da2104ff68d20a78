// The draw manager's blocks: the env.dat block with its screen mode, the default
// save-slot block byte for byte, round trips of every setting and of an open
// choice, and damaged or closed streams.

#include <cstdio>
#include <string>

#include "engine/iostream/base_io_stream.h"
#include "tests/engine/drawmanager/draw_fixture.h"
#include "tests/support/temp_dir.h"

namespace vesk_test {
namespace {

using nsTamskLib::TextTokenSection;
using nsTamskLib::TRect;
using nsTamskLib::nsIOStream::BaseIOStream;

// Expected bytes, written out field by field.
class Bytes {
 public:
  Bytes& U8(int value) {
    bytes.push_back(static_cast<char>(value));
    return *this;
  }
  Bytes& I32(std::int64_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) U8(static_cast<int>((bits >> shift) & 0xFF));
    return *this;
  }
  Bytes& Str(const char* text) {
    for (const char* p = text; *p != '\0'; ++p) U8(~static_cast<unsigned char>(*p) & 0xFF);
    return U8(0);
  }
  Bytes& EmptySection() { return I32(0); }

  std::string bytes;
};

template <typename Write>
std::string Written(const std::string& file, Write write) {
  BaseIOStream stream;
  EXPECT_TRUE(stream.Open(file.c_str(), "wb"));
  write(&stream);
  EXPECT_TRUE(stream.Close());
  return ReadFile(file);
}

template <typename Read>
void ReadBack(const std::string& file, Read read) {
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open(file.c_str(), "rb"));
  read(&stream);
  stream.Close();
}

class DrawStateTest : public DrawManagerTest {
 protected:
  ScopedWorkingDir dir;
};

TEST_F(DrawStateTest, EnvironmentBlockIsScreenModeAndConfigTextSpeed) {
  EXPECT_EQ(Written("env.dat", [&](BaseIOStream* s) { dm.SaveEnvironment(s); }),
            Bytes().U8(0).I32(60).bytes);
  dm.fullScreen = true;
  dm.SetConfigTextSpeed(25);
  EXPECT_EQ(Written("env.dat", [&](BaseIOStream* s) { dm.SaveEnvironment(s); }),
            Bytes().U8(1).I32(25).bytes);

  RecordingDrawManager applied;
  ReadBack("env.dat", [&](BaseIOStream* s) { applied.LoadEnvironment(s, true); });
  EXPECT_EQ(applied.log, (Log{"SetFullScreen(1)"}));
  EXPECT_EQ(applied.GetConfigTextSpeed(), 25);

  // A file written in a window switches nothing when the mode is not applied.
  RecordingDrawManager kept;
  ReadBack("env.dat", [&](BaseIOStream* s) { kept.LoadEnvironment(s, false); });
  EXPECT_TRUE(kept.log.empty());
  EXPECT_EQ(kept.GetConfigTextSpeed(), 25);
}

TEST_F(DrawStateTest, EnvironmentCutOffByTheFilesEndKeepsTheSettings) {
  WriteFile("env.dat", Bytes().U8(1).U8(30).bytes);
  dm.SetConfigTextSpeed(45);
  ReadBack("env.dat", [&](BaseIOStream* s) { dm.LoadEnvironment(s, true); });
  EXPECT_EQ(dm.log, (Log{"SetFullScreen(1)"}));
  EXPECT_EQ(dm.GetConfigTextSpeed(), 45);

  WriteFile("env.dat", "");
  dm.ClearLog();
  ReadBack("env.dat", [&](BaseIOStream* s) { dm.LoadEnvironment(s, true); });
  EXPECT_TRUE(dm.log.empty());
  EXPECT_EQ(dm.GetConfigTextSpeed(), 45);
}

TEST_F(DrawStateTest, DefaultSlotBlockByteForByte) {
  const char* font = "ＭＳ ゴシック";
  Bytes expected;
  expected.I32(-1).U8(1).U8(0).U8(255).Str("");
  // Image position, source rectangle, rectangle, fill, frame colour, frame width.
  expected.I32(0).I32(0).I32(0).I32(0).I32(0).I32(0);
  expected.I32(25).I32(425).I32(775).I32(575).I32(0).I32(0xFFFFFF).I32(1);
  expected.Str(font).I32(10).I32(35).I32(470).I32(35).I32(435).I32(700).I32(95).I32(700).I32(35);
  expected.I32(0xFFFFFF).I32(0xFFFFFF).Str(font).Str(font).I32(25).I32(25);
  expected.EmptySection().EmptySection();
  // Cursors: state, enabled, images, x, y, alpha, source rectangles, absolute.
  expected.I32(0).U8(0).U8(0).U8(0).U8(0).Str("").Str("").Str("").Str("");
  for (int i = 0; i < 8; ++i) expected.I32(0);
  expected.U8(255).U8(255).U8(255).U8(255);
  for (int i = 0; i < 16; ++i) expected.I32(0);
  expected.U8(0).U8(0).U8(0).U8(0);
  // Choices.
  expected.I32(-1).Str("").I32(0).I32(20).Str(font);
  expected.I32(500).I32(25).I32(0xFFFFFF).I32(0xC0C0C0).I32(0x808080).I32(175);
  expected.Str("").Str("").U8(0).U8(255).Str("");
  for (int i = 0; i < 12; ++i) expected.I32(0);
  expected.I32(10).I32(0).I32(0).I32(0).I32(1).I32(0xFFFFFF).I32(0xC0C0C0).I32(0x808080);
  expected.I32(0).I32(0);

  const std::string block = Written("Save00.dat", [&](BaseIOStream* s) { dm.SaveState(s); });
  EXPECT_EQ(block.size(), 422u);
  EXPECT_EQ(block, expected.bytes);
}

// Every saved setting away from its default, with a choice held down.
void ChangeEverySetting(RecordingDrawManager& dm) {
  dm.SetTextSpeed(33);
  dm.SetTextWindowVisible(false);
  dm.SetTextWindow("w.png", 3, 4, 200, TRect{1, 2, 750, 150});
  dm.SetRubyFont("ruby");
  dm.SetRubyFontSize(11);
  dm.SetMessagePosition(36, 471);
  dm.SetTalkerPosition(37, 436);
  dm.SetMessageWidth(701);
  dm.SetMessageHeight(96);
  dm.SetTalkerWidth(702);
  dm.SetTalkerHeight(36);
  dm.SetMessageColor(0x1);
  dm.SetTalkerColor(0x2);
  dm.SetMessageFont("mf");
  dm.SetTalkerFont("tf");
  dm.SetMessageFontSize(26);
  dm.SetTalkerFontSize(27);
  dm.SetMessageText(Section({Line({Glyph("m", 10, 20)})}));
  dm.SetTalkerText(Section({Line({Glyph("t", 11, 21)})}));
  dm.SetTextCursor(3);
  dm.SetTextCursorEnabled(1, 0, 1, 1);
  dm.SetTextCursorNone("c0.png", 1, 2, 10, TRect{0, 0, 1, 1}, 1);
  dm.SetTextCursorClick("c1.png", 3, 4, 20, TRect{0, 0, 2, 2}, 0);
  dm.SetTextCursorGoNext("c2.png", 5, 6, 30, TRect{0, 0, 3, 3}, 1);
  dm.SetTextCursorBackLog("c3.png", 7, 8, 40, TRect{0, 0, 4, 4}, 1);
  dm.SetSelectFontSize(21);
  dm.SetSelectFont("sf");
  dm.SetSelectItemWidth(501);
  dm.SetSelectItemHeight(26);
  dm.SetSelectTextColorNormal(0x3);
  dm.SetSelectTextColorOnCursor(0x4);
  dm.SetSelectTextColorOnHold(0x5);
  dm.SetSelectBottomMargin(176);
  dm.SetSelectDecideSound("d.wav");
  dm.SetSelectCursorSound("c.wav");
  dm.SetSelectWindow(11, 0x6, 0x7, 0x8, 100, 2, 0x9, 0xA, 0xB);
  dm.SetSelectWindow("s.png", 99, TRect{0, 0, 520, 45}, TRect{0, 45, 520, 90},
                     TRect{0, 90, 520, 135});
  dm.SetTargetBGColor(0xC);
  dm.SetCurrentBGColor(0xD);
}

TEST_F(DrawStateTest, EverySettingSurvivesARoundTripAndItsImagesAreLoaded) {
  ChangeEverySetting(dm);
  engine.locals.values["v"] = 0;
  const TextTokenSection items[2] = {Section({Line({Glyph("a", 10, 20)})}),
                                     Section({Line({Glyph("b", 12, 20)})})};
  dm.StartSelect("v", 2, items);
  engine.mouse.MoveTo(400, 250);
  engine.mouse.PushLeft();
  dm.UpdateSelect();
  const std::string saved = Written("Save01.dat", [&](BaseIOStream* s) { dm.SaveState(s); });

  RecordingDrawManager loaded;
  loaded.SetConfigTextSpeed(45);
  loaded.SetTextWindowForced(true);
  ReadBack("Save01.dat", [&](BaseIOStream* s) { loaded.LoadState(s); });
  EXPECT_EQ(Written("Copy01.dat", [&](BaseIOStream* s) { loaded.SaveState(s); }), saved);
  EXPECT_EQ(loaded.Calls("LoadImage"),
            (Log{"LoadImage(w.png)", "LoadImage(c0.png)", "LoadImage(c1.png)", "LoadImage(c2.png)",
                 "LoadImage(c3.png)", "LoadImage(s.png)"}));
  const auto& s = loaded.Settings();
  EXPECT_EQ(s.SelectState, dm.Settings().SelectState);
  EXPECT_EQ(s.SelectItems.size(), 2u);
  EXPECT_EQ(s.Hover, (std::vector<bool>{false, false}));
  EXPECT_EQ(s.Pressed, (std::vector<bool>{false, false}));
  EXPECT_EQ(s.CurrentBGColor, 0xDu);
  EXPECT_EQ(loaded.GetTextSpeed(), 33);
  // Not in the block: the player's text speed and the forced window.
  EXPECT_EQ(loaded.GetConfigTextSpeed(), 45);
  EXPECT_TRUE(loaded.IsTextWindowForced());
}

TEST_F(DrawStateTest, EmptySaveReadsBackClosedWithoutItems) {
  Written("Save02.dat", [&](BaseIOStream* s) { dm.SaveState(s); });
  RecordingDrawManager loaded;
  ReadBack("Save02.dat", [&](BaseIOStream* s) { loaded.LoadState(s); });
  EXPECT_EQ(loaded.Settings().SelectState, -1);
  EXPECT_TRUE(loaded.Settings().SelectItems.empty());
  EXPECT_TRUE(loaded.GetMessageText()->empty());
  EXPECT_TRUE(loaded.log.empty());  // no image is named, nothing is loaded
}

TEST_F(DrawStateTest, LoadingAnOpenChoiceReplacesTheChoicesHeld) {
  const TextTokenSection two[2] = {Section({Line({Glyph("a", 10, 20)})}),
                                   Section({Line({Glyph("b", 10, 20)})})};
  dm.StartSelect("v", 2, two);
  Written("Save03.dat", [&](BaseIOStream* s) { dm.SaveState(s); });

  RecordingDrawManager loaded;
  const TextTokenSection three[3] = {Section({}), Section({}), Section({})};
  loaded.StartSelect("w", 3, three);
  ReadBack("Save03.dat", [&](BaseIOStream* s) { loaded.LoadState(s); });
  const auto& s = loaded.Settings();
  EXPECT_EQ(s.SelectState, 0);
  EXPECT_EQ(s.SelectVariable, "v");
  ASSERT_EQ(s.SelectItems.size(), 2u);
  EXPECT_EQ(s.SelectItems[0].at(0).at(0).Text, "a");
  EXPECT_EQ(s.SelectItems[1].at(0).at(0).Text, "b");
  EXPECT_EQ(s.Hover.size(), 2u);
  EXPECT_EQ(s.Pressed.size(), 2u);
}

TEST_F(DrawStateTest, ChoiceCountBeyondTheFileStopsAtItsEnd) {
  const TextTokenSection two[2] = {Section({Line({Glyph("a", 10, 20)})}),
                                   Section({Line({Glyph("b", 10, 20)})})};
  dm.StartSelect("v", 2, two);
  std::string block = Written("Save04.dat", [&](BaseIOStream* s) { dm.SaveState(s); });
  // At defaults the settings before the select state take 278 bytes; the count
  // follows the state (4 bytes) and the variable "v" (2 bytes).
  const std::size_t countAt = 278 + 4 + 2;
  ASSERT_EQ(block.substr(countAt, 4), Bytes().I32(2).bytes);
  block.replace(countAt, 4, Bytes().I32(0x7FFFFFFF).bytes);
  WriteFile("Save04.dat", block);

  RecordingDrawManager loaded;
  ReadBack("Save04.dat", [&](BaseIOStream* s) { loaded.LoadState(s); });
  const auto& s = loaded.Settings();
  EXPECT_LT(s.SelectItems.size(), 100u);
  EXPECT_EQ(s.Hover.size(), s.SelectItems.size());
  EXPECT_EQ(s.Pressed.size(), s.SelectItems.size());
}

TEST_F(DrawStateTest, ClosedStreamIsFatal) {
  BaseIOStream closed;
  EXPECT_FATAL(dm.SaveState(&closed), "ファイルがオープンされていません！");
}

TEST_F(DrawStateTest, ClosedStreamIsFatalWhenLoading) {
  BaseIOStream closed;
  EXPECT_FATAL(dm.LoadEnvironment(&closed, true), "ファイルがオープンされていません！");
}

}  // namespace
}  // namespace vesk_test
