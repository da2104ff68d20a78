// The style state's save block "Wendrick": the exact bytes of a block saved before
// any style command, what a load makes pending and what it applies at once, values
// set since the last message, the text sprites of both pages, a damaged block and
// a closed stream; and the text-sprite definitions per page.

#include <cstring>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/iostream/base_io_stream.h"
#include "plugin/core/host_api.h"
#include "plugin/text/kinsoku.h"
#include "plugin/text/local_save_data.h"
#include "plugin/text/text_sprites.h"
#include "plugin/text/text_style_state.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/plugin/kit/plugin_test_host.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace nsWendrick;
using nsTamskLib::nsIOStream::BaseIOStream;

std::string Int(std::int32_t value) {
  char bytes[4];
  std::memcpy(bytes, &value, 4);  // little-endian host
  return std::string(bytes, 4);
}

std::string Str(const std::string& text) {
  std::string out;
  for (char c : text) out.push_back(static_cast<char>(~static_cast<unsigned char>(c)));
  out.push_back('\0');
  return out;
}

class StyleSaveBlockTest : public testing::Test {
 protected:
  void SetUp() override {
    vesk_test::ResetPluginState();
    vesk_test::BindEngineHost();
    ResetTextStyle();
    ClearTextSprites();
  }
  void TearDown() override {
    vesk_test::ResetPluginState();
    ResetTextStyle();
    ClearTextSprites();
  }

  std::string Save() {
    const std::string file = dir.file("slot.bin");
    BaseIOStream out;
    EXPECT_TRUE(out.Open(file.c_str(), "wb"));
    WendrickSaveLocalData(&engine, &out);
    EXPECT_TRUE(out.Close());
    return vesk_test::ReadFile(file);
  }

  void Load(const std::string& bytes) {
    const std::string file = dir.file("slot.bin");
    vesk_test::WriteFile(file, bytes);
    BaseIOStream in;
    ASSERT_TRUE(in.Open(file.c_str(), "rb"));
    WendrickLoadLocalData(&engine, &in);
    in.Close();
  }

  vesk_test::TempDir dir;
  vesk_test::FakeEngine engine;
};

TEST_F(StyleSaveBlockTest, ABlockBeforeAnyStyleCommandHoldsOnlyTheChoiceAlignmentAndSkipTime) {
  std::string expected = Int(0) + Int(0) + Int(0);  // three empty line-breaking sets
  for (int i = 0; i < 10; ++i) expected += Int(0);
  expected += Int(1) + Int(100);  // choice alignment, minimum skip time
  expected += Int(0) + Int(0);    // no text sprites on either page
  EXPECT_EQ(Save(), expected);
}

TEST_F(StyleSaveBlockTest, LoadMakesMessageValuesPendingAndAppliesChoiceAndSkipAtOnce) {
  AddLeadingChs("「");
  TextStyleState& style = TextStyle();
  const std::int32_t values[8] = {1, 2, kAlignRight, 4, 5, kAlignCenter, 7, 8};
  LayoutValue* fields[8] = {&style.text.cspace,   &style.text.lspace,   &style.text.align,
                            &style.talker.cspace, &style.talker.lspace, &style.talker.align,
                            &style.ruby.cspace,   &style.ruby.offset};
  for (int i = 0; i < 8; ++i) fields[i]->current = values[i];
  style.choice = ChoiceStyle{9, 10, kAlignLeft};
  style.skipWait = 0;
  const std::string block = Save();

  ResetTextStyle();
  LeadingChs().Clear();
  Load(block);
  EXPECT_TRUE(IsLeadingCh(0x8175));
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(fields[i]->current, 0) << i;  // not before the next message
    EXPECT_TRUE(fields[i]->pending.changed) << i;
    EXPECT_EQ(fields[i]->pending.value, values[i]) << i;
  }
  EXPECT_EQ(style.choice.cspace, 9);
  EXPECT_EQ(style.choice.lspace, 10);
  EXPECT_EQ(style.choice.align, kAlignLeft);
  EXPECT_EQ(style.skipWait, 0);
  // The draw-manager values are not in the block.
  EXPECT_FALSE(style.text.size.changed);

  ApplyTextStyle(&engine);
  ApplyTalkerStyle(&engine);
  ApplyRubyStyle(&engine);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(fields[i]->current, values[i]) << i;
  EXPECT_EQ(Save(), block);
}

TEST_F(StyleSaveBlockTest, AValueSetSinceTheLastMessageIsSavedAsTheOneTheNextMessageUses) {
  TextStyle().text.cspace.current = 1;
  TextStyle().text.cspace.pending.Set(5);  // "textcspace 5;" and a save before the next text
  const std::string block = Save();
  EXPECT_EQ(block.substr(12, 4), Int(5));
  ResetTextStyle();
  Load(block);
  ApplyTextStyle(&engine);
  EXPECT_EQ(TextStyle().text.cspace.current, 5);
}

TEST_F(StyleSaveBlockTest, TextSpritesOfBothPagesRoundTripInNameOrder) {
  TextSprites(0)["b"] = TextSpriteDefinition{"text b", "font", 20, 0x00FF00};
  TextSprites(0)["a"] = TextSpriteDefinition{"表<b>", "ＭＳ ゴシック", 16, -1};
  TextSprites(1)["c"] = TextSpriteDefinition{"", "", 0, 0};
  const std::string block = Save();
  const std::string page0 = Int(2) + Str("a") + Str("表<b>") + Str("ＭＳ ゴシック") + Int(16) +
                            Int(-1) + Str("b") + Str("text b") + Str("font") + Int(20) +
                            Int(0x00FF00);
  const std::string page1 = Int(1) + Str("c") + Str("") + Str("") + Int(0) + Int(0);
  EXPECT_EQ(block.substr(block.size() - page0.size() - page1.size()), page0 + page1);

  const TextSpriteMap saved0 = TextSprites(0);
  const TextSpriteMap saved1 = TextSprites(1);
  TextSprites(0).clear();
  TextSprites(1)["stale"] = TextSpriteDefinition{};
  Load(block);
  EXPECT_EQ(TextSprites(0), saved0);
  EXPECT_EQ(TextSprites(1), saved1);
}

TEST_F(StyleSaveBlockTest, ADamagedSpriteCountStopsAtTheEndOfTheBlock) {
  std::string block = Save();
  // Page 0 claims far more sprites than the file holds, and page 1's count is gone.
  block.resize(block.size() - 8);
  block += Int(0x7FFFFFFF) + Str("x") + Str("t") + Str("f") + Int(1) + Int(2);
  Load(block);
  ASSERT_EQ(TextSprites(0).size(), 1u);
  EXPECT_EQ(TextSprites(0).at("x"), (TextSpriteDefinition{"t", "f", 1, 2}));
  EXPECT_TRUE(TextSprites(1).empty());
}

TEST_F(StyleSaveBlockTest, AClosedStreamIsFatal) {
  vesk_test::FatalTrap trap;
  BaseIOStream closed;
  EXPECT_FATAL(WendrickSaveLocalData(&engine, &closed), "ファイルがオープンされていません！");
  EXPECT_FATAL(WendrickLoadLocalData(&engine, &closed), "ファイルがオープンされていません！");
}

// The task manager's accessor as the text sprites see it: only the shown page.
testing::NiceMock<nsTamskLib::nsTaskManager::MockTMAccessor>* g_Accessor = nullptr;
nsTamskLib::nsCore::INovelEngine* g_BoundEngine = nullptr;
nsTamskLib::nsTaskManager::ITMAccessor* TestGetAccessor() { return g_Accessor; }
void TestSetAccessor(nsTamskLib::nsCore::INovelEngine* engine) { g_BoundEngine = engine; }

class TextSpritesTest : public StyleSaveBlockTest {
 protected:
  void SetUp() override {
    StyleSaveBlockTest::SetUp();
    g_Accessor = &accessor;
    const HostResolver resolve = vesk_test::ResolverOf({
        {"GetTMAccessor", reinterpret_cast<void*>(&TestGetAccessor)},
        {"SetTMAccessor", reinterpret_cast<void*>(&TestSetAccessor)},
    });
    GetHostApi().Bind(kGetTMAccessor, resolve);
    GetHostApi().Bind(kSetTMAccessor, resolve);
    ON_CALL(accessor, GetPage()).WillByDefault([this] { return shown; });
  }
  void TearDown() override {
    g_Accessor = nullptr;
    g_BoundEngine = nullptr;
    StyleSaveBlockTest::TearDown();
  }

  testing::NiceMock<nsTamskLib::nsTaskManager::MockTMAccessor> accessor;
  std::uint32_t shown = 0;
};

TEST_F(TextSpritesTest, AFirstDefinitionEntersBothPagesAndARedefinitionOnlyTheHiddenOne) {
  shown = 1;
  CreateTextSprite("s", "one", "f", 10, 1, &engine);
  EXPECT_EQ(g_BoundEngine, &engine);
  EXPECT_EQ(TextSprites(0).at("s").text, "one");
  EXPECT_EQ(TextSprites(1).at("s").text, "one");

  CreateTextSprite("s", "two", "g", 12, 2, &engine);
  EXPECT_EQ(TextSprites(0).at("s"), (TextSpriteDefinition{"two", "g", 12, 2}));
  EXPECT_EQ(TextSprites(1).at("s").text, "one");

  // The flip shows page 0; the copy carries its definitions to page 1.
  shown = 0;
  CopyTextSpritesToOtherSet(&engine);
  EXPECT_EQ(TextSprites(1), TextSprites(0));
}

TEST_F(TextSpritesTest, CopyReplacesTheHiddenPagesMapWhole) {
  TextSprites(0)["a"] = TextSpriteDefinition{"a", "", 1, 0};
  TextSprites(1)["old"] = TextSpriteDefinition{"old", "", 1, 0};
  CopyTextSpritesToOtherSet(&engine);
  EXPECT_EQ(TextSprites(1).count("old"), 0u);
  EXPECT_EQ(TextSprites(1).at("a").text, "a");
}

}  // namespace
