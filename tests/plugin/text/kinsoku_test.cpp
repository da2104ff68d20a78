// The line-breaking sets: character codes, the defaults, set and add, and their
// save-block form.

#include <string>

#include <gtest/gtest.h>

#include "engine/iostream/base_io_stream.h"
#include "plugin/text/kinsoku.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/plugin/kit/plugin_test_host.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace nsWendrick;

std::int32_t CodeOf(const char* text) {
  std::size_t length = 0;
  return CharacterCodeAt(text, &length);
}

class KinsokuTest : public testing::Test {
 protected:
  void SetUp() override {
    vesk_test::ResetPluginState();
    vesk_test::BindEngineHost();
    InstallDefaultKinsokuSets();
  }
  void TearDown() override { vesk_test::ResetPluginState(); }

  vesk_test::TempDir dir;
};

TEST_F(KinsokuTest, CodesAreTwoByteValuesOrSignedSingleBytes) {
  EXPECT_EQ(CodeOf("ー"), 0x815B);
  EXPECT_EQ(CodeOf("」"), 0x8176);
  EXPECT_EQ(CodeOf("｡"), -95);
  EXPECT_EQ(CodeOf("ﾟ"), -33);
  EXPECT_EQ(CodeOf("%"), 0x25);
  std::size_t length = 9;
  EXPECT_EQ(CharacterCodeAt("\x82", &length), 0);
  EXPECT_EQ(length, 0u);
}

TEST_F(KinsokuTest, DefaultsPutWeakCharactersInBothFollowingSets) {
  EXPECT_TRUE(IsFollowingCh(CodeOf("ー")));
  EXPECT_TRUE(IsFollowingWeakCh(CodeOf("ー")));
  EXPECT_TRUE(IsFollowingCh(CodeOf("」")));
  EXPECT_FALSE(IsFollowingWeakCh(CodeOf("」")));
  EXPECT_TRUE(IsFollowingCh(-95));
  EXPECT_TRUE(IsFollowingWeakCh(CodeOf("ｧ")));
  EXPECT_TRUE(IsLeadingCh('\\'));
  EXPECT_TRUE(IsLeadingCh(CodeOf("「")));
  EXPECT_TRUE(IsLeadingCh(CodeOf("￡")));
  EXPECT_FALSE(IsLeadingCh(CodeOf("」")));
  EXPECT_TRUE(IsFollowingCh(CodeOf("‰")));
  EXPECT_EQ(LeadingChs().chars().size(), 20u);
  EXPECT_EQ(FollowingWeakChs().chars().size(), 41u);
  EXPECT_EQ(FollowingChs().chars().size(), 42u + 41u);
  // Each entry keeps the character's own bytes.
  EXPECT_EQ(FollowingChs().chars().at(-95), "｡");
  EXPECT_EQ(FollowingChs().chars().at(0x815B), "ー");
}

TEST_F(KinsokuTest, SetReplacesAndAddKeepsExistingEntries) {
  SetFollowingChs("」");
  ASSERT_EQ(FollowingChs().chars().size(), 1u);
  EXPECT_FALSE(IsFollowingCh(CodeOf("ー")));
  EXPECT_TRUE(IsFollowingWeakCh(CodeOf("ー")));

  // Setting the weak set empties only the weak set; the following set gains it.
  SetFollowingWeakChs("ーッ");
  EXPECT_EQ(FollowingChs().chars().size(), 3u);
  EXPECT_EQ(FollowingWeakChs().chars().size(), 2u);
  AddFollowingWeakChs("ァ");
  EXPECT_TRUE(IsFollowingCh(CodeOf("ァ")));
  EXPECT_TRUE(IsFollowingWeakCh(CodeOf("ァ")));

  AddLeadingChs("（（x");
  EXPECT_EQ(LeadingChs().chars().size(), 21u);
  SetLeadingChs("");
  EXPECT_TRUE(LeadingChs().chars().empty());
}

TEST_F(KinsokuTest, ALoneLeadByteAtTheEndIsNoCharacter) {
  SetFollowingChs("a\x82");
  EXPECT_EQ(FollowingChs().chars().size(), 1u);
  EXPECT_TRUE(IsFollowingCh('a'));
  // A trail byte that looks like a backslash belongs to its character.
  SetLeadingChs("ソ");
  EXPECT_EQ(LeadingChs().chars().size(), 1u);
  EXPECT_FALSE(IsLeadingCh('\\'));
  EXPECT_TRUE(IsLeadingCh(0x835C));
}

TEST_F(KinsokuTest, SavedSetsReadBackInCodeOrderWithTheirBytes) {
  SetLeadingChs("ｰa");
  const std::string file = dir.file("block.dat");
  nsTamskLib::nsIOStream::BaseIOStream out;
  ASSERT_TRUE(out.Open(file.c_str(), "wb"));
  SaveLeadingChs(&out);
  ASSERT_TRUE(out.Close());
  // Count 2; code -80 "ｰ"; code 97 "a" (strings complemented, 0-terminated).
  const std::string expected("\x02\0\0\0" "\xB0\xFF\xFF\xFF" "\x4F\0" "\x61\0\0\0" "\x9E\0", 16);
  EXPECT_EQ(vesk_test::ReadFile(file), expected);

  SetLeadingChs("xyz");
  nsTamskLib::nsIOStream::BaseIOStream in;
  ASSERT_TRUE(in.Open(file.c_str(), "rb"));
  LoadLeadingChs(&in);
  in.Close();
  EXPECT_EQ(LeadingChs().chars().size(), 2u);
  EXPECT_EQ(LeadingChs().chars().at(-80), "ｰ");
  EXPECT_EQ(LeadingChs().chars().at('a'), "a");
}

TEST_F(KinsokuTest, ADamagedCountStopsAtTheEndOfTheBlock) {
  const std::string file = dir.file("damaged.dat");
  vesk_test::WriteFile(file, std::string("\xFF\xFF\xFF\x7F" "\x61\0\0\0" "\x9E\0", 10));
  nsTamskLib::nsIOStream::BaseIOStream in;
  ASSERT_TRUE(in.Open(file.c_str(), "rb"));
  LoadFollowingChs(&in);
  EXPECT_TRUE(in.HasReadFailed());
  in.Close();
  EXPECT_EQ(FollowingChs().chars().size(), 1u);
}

TEST_F(KinsokuTest, AClosedStreamIsFatal) {
  vesk_test::FatalTrap trap;
  nsTamskLib::nsIOStream::BaseIOStream closed;
  EXPECT_FATAL(SaveFollowingWeakChs(&closed), "ファイルがオープンされていません！");
  EXPECT_FATAL(LoadFollowingWeakChs(&closed), "ファイルがオープンされていません！");
}

}  // namespace
