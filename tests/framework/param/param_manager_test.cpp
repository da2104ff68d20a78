#include "framework/param/param_manager.h"

#include <gtest/gtest.h>

#include <random>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFile::nsFileWriter::CFileWriter;
using nsZarn::nsFramework::nsParam::ParamFile;
using nsZarn::nsFramework::nsParam::ParamManager;

namespace {

class ParamManagerTest : public ::testing::Test {
 protected:
  vesk_test::ScopedWorkingDir m_Dir;
  ParamManager m_Params{new CFileReader, new CFileWriter};
};

TEST(ParamParsingTest, IntegerRules) {
  int v = 77;
  EXPECT_TRUE(ParamManager::ParseInt("123", v));
  EXPECT_EQ(v, 123);
  EXPECT_TRUE(ParamManager::ParseInt("-45", v));
  EXPECT_EQ(v, -45);
  EXPECT_TRUE(ParamManager::ParseInt("-", v));
  EXPECT_EQ(v, 0) << "a lone minus is 0";
  EXPECT_TRUE(ParamManager::ParseInt("4294967297", v));
  EXPECT_EQ(v, 1) << "wraps at 32 bits";
  EXPECT_TRUE(ParamManager::ParseInt("2147483648", v));
  EXPECT_EQ(v, -2147483647 - 1);
  for (const char* bad : {"", "12a", "+1", " 1", "1 ", "1-", "--1", "\"1\""}) {
    EXPECT_FALSE(ParamManager::ParseInt(bad, v)) << bad;
  }
}

TEST(ParamParsingTest, StringRules) {
  std::string s;
  EXPECT_TRUE(ParamManager::ParseString("\"abc\"", s));
  EXPECT_EQ(s, "abc");
  EXPECT_TRUE(ParamManager::ParseString("\"\"", s));
  EXPECT_EQ(s, "");
  EXPECT_TRUE(ParamManager::ParseString("\"", s));
  EXPECT_EQ(s, "") << "a lone quote counts as both quotes";
  EXPECT_TRUE(ParamManager::ParseString("\"a\\n\"b\"", s));
  EXPECT_EQ(s, "a\\n\"b") << "no escapes";
  for (const char* bad : {"", "abc", "\"abc", "abc\""}) EXPECT_FALSE(ParamManager::ParseString(bad, s)) << bad;
}

TEST_F(ParamManagerTest, QueriesFollowTheRootFileWithQuotesRemoved) {
  vesk_test::WriteFile("Data/Common.ini",
                       "[Root]\nRootFile=\"Data/Base.ini\"\n[Game]\nAppTitle=\"Vesk\"\nWidth=80x\nName=plain\n");
  vesk_test::WriteFile("Data/Base.ini", "[Game]\nWidth=800\nName=\"base\"\nDepth=3\n");
  EXPECT_EQ(m_Params.GetString("Data/Common.ini", "Game", "AppTitle", "none"), "Vesk");
  EXPECT_EQ(m_Params.GetInt("Data/Common.ini", "Game", "Width", -1), 800) << "a letter after the digits";
  EXPECT_EQ(m_Params.GetString("Data/Common.ini", "Game", "Name", "none"), "base") << "an unquoted value";
  EXPECT_EQ(m_Params.GetInt("Data/Common.ini", "Game", "Depth", -1), 3);
  EXPECT_EQ(m_Params.GetInt("Data/Common.ini", "Game", "Missing", -1), -1);
  EXPECT_EQ(m_Params.GetInt("Data/Common.ini", "Nowhere", "Depth", -1), -1);
  EXPECT_EQ(m_Params.GetInt("Data/None.ini", "Game", "Depth", 9), 9);
  EXPECT_EQ(m_Params.FindFile("Data/Common.ini")->rootFileName, "Data/Base.ini");
}

TEST_F(ParamManagerTest, KeysAndFileNamesAreCaseSensitive) {
  vesk_test::WriteFile("a.ini", "[S]\nAppTitle=\"x\"\n");
  EXPECT_EQ(m_Params.GetString("a.ini", "S", "AppTitle", "d"), "x");
  EXPECT_EQ(m_Params.GetString("a.ini", "S", "apptitle", "d"), "d");
  EXPECT_EQ(m_Params.GetString("a.ini", "s", "AppTitle", "d"), "d");
  EXPECT_EQ(m_Params.GetString("A.ini", "S", "AppTitle", "d"), "d");
}

TEST_F(ParamManagerTest, RootFilesInACycleEndAtTheDefault) {
  vesk_test::WriteFile("a.ini", "[Root]\nRootFile=\"b.ini\"\n[S]\nx=1\n");
  vesk_test::WriteFile("b.ini", "[Root]\nRootFile=a.ini\n[S]\ny=2\n");
  vesk_test::WriteFile("self.ini", "[Root]\nRootFile=\"self.ini\"\n");
  EXPECT_EQ(m_Params.GetInt("a.ini", "S", "y", -1), 2);
  EXPECT_EQ(m_Params.GetInt("b.ini", "S", "x", -1), 1);
  EXPECT_EQ(m_Params.GetInt("a.ini", "S", "z", -1), -1);
  EXPECT_EQ(m_Params.GetString("self.ini", "S", "z", "d"), "d");
}

TEST_F(ParamManagerTest, JapaneseValuesStayShiftJis) {
  // [キャラ] 名前="ヴェスク表" with "表" ending in a backslash byte.
  const std::string ini = "[\x83\x4C\x83\x83\x83\x89]\n\x96\xBC\x91\x4F=\"\x83\x94\x83\x46\x83\x58\x83\x4E\x95\x5C\"\n";
  vesk_test::WriteFile("j.ini", ini);
  EXPECT_EQ(m_Params.GetString("j.ini", "\x83\x4C\x83\x83\x83\x89", "\x96\xBC\x91\x4F", ""),
            "\x83\x94\x83\x46\x83\x58\x83\x4E\x95\x5C");
}

TEST_F(ParamManagerTest, ConvertedFormHasExactBytesAndRoundTrips) {
  vesk_test::WriteFile("one.ini", "[Common]\nAppTitle=\"X\"\n");
  ASSERT_TRUE(m_Params.LoadParamINIFile("one.ini", false));
  ASSERT_TRUE(m_Params.SaveParamDATFile("one.ini", "one.dat"));
  EXPECT_EQ(vesk_test::ReadFile("one.dat"),
            std::string(".INIcDAT\0\x01\0\0\0Common\0\x01\0\0\0AppTitle\0\"X\"\0", 37));

  vesk_test::WriteFile("full.ini",
                       "[Root]\nRootFile=\"base.ini\"\n[b]\nz=\"1\"\nA=2\n[a]\n\x95\x5C=\"\x95\x5C\"\n[empty]\n");
  ASSERT_TRUE(m_Params.LoadParamINIFile("full.ini", false));
  ASSERT_TRUE(m_Params.SaveParamDATFile("full.ini", "full.dat"));
  ASSERT_TRUE(m_Params.LoadParamDATFile("full.dat", false));
  const ParamFile* original = m_Params.FindFile("full.ini");
  const ParamFile* loaded = m_Params.FindFile("full.dat");
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->rootFileName, "base.ini");
  EXPECT_EQ(loaded->sections, original->sections);
  EXPECT_EQ(loaded->sections.size(), 4u);
  EXPECT_EQ(m_Params.GetInt("full.dat", "b", "A", 0), 2);

  EXPECT_FALSE(m_Params.SaveParamDATFile("never-loaded.ini", "x.dat"));
  EXPECT_FALSE(m_Params.SaveParamDATFile("full.ini", ""));
}

TEST_F(ParamManagerTest, ConvertedFilesAreNotReadAsIniText) {
  vesk_test::WriteFile("c.ini", "[S]\nk=\"v\"\n");
  ASSERT_TRUE(m_Params.LoadParamINIFile("c.ini", false));
  ASSERT_TRUE(m_Params.SaveParamDATFile("c.ini", "c.ini"));  // in place, as the archive conversion does
  EXPECT_FALSE(m_Params.LoadParamINIFile("c.ini", true));
  EXPECT_TRUE(m_Params.LoadParamDATFile("c.ini", true));
  EXPECT_EQ(m_Params.GetString("c.ini", "S", "k", ""), "v");
}

TEST_F(ParamManagerTest, MissingReaderOrWriterIsReported) {
  vesk_test::DebugCapture capture;
  ParamManager bare(nullptr, nullptr);
  vesk_test::WriteFile("a.ini", "[S]\nk=5\n");
  EXPECT_EQ(bare.GetInt("a.ini", "S", "k", 0), 5) << "INI text needs no reader";
  EXPECT_TRUE(capture.Contains("Failed : ParamManager::LoadParamDATFile ParamManager Not Initialized\n"));
  EXPECT_FALSE(bare.SaveParamDATFile("a.ini", "a.dat"));
  EXPECT_TRUE(capture.Contains("Failed : ParamManager::SaveParamDATFile ParamManager Not Initialized\n"));
}

TEST_F(ParamManagerTest, DamagedConvertedFilesFailCleanly) {
  vesk_test::WriteFile("c.ini", "[Root]\nRootFile=r\n[S]\nk=\"v\"\nn=1\n[T]\nq=2\n");
  ASSERT_TRUE(m_Params.LoadParamINIFile("c.ini", false));
  ASSERT_TRUE(m_Params.SaveParamDATFile("c.ini", "good.dat"));
  const std::string good = vesk_test::ReadFile("good.dat");

  // Every truncation fails and leaves no record behind.
  for (std::size_t n = 0; n < good.size(); ++n) {
    vesk_test::WriteFile("cut.dat", good.substr(0, n));
    EXPECT_FALSE(m_Params.LoadParamDATFile("cut.dat", true)) << n;
    EXPECT_EQ(m_Params.FindFile("cut.dat"), nullptr);
  }
  // A huge section count fails at once instead of looping.
  std::string huge = good;
  huge[11] = huge[12] = huge[13] = huge[14] = '\xFF';
  vesk_test::WriteFile("huge.dat", huge);
  EXPECT_FALSE(m_Params.LoadParamDATFile("huge.dat", true));

  // Seeded random corruption never crashes or hangs.
  std::mt19937 rng(42);
  for (int round = 0; round < 500; ++round) {
    std::string bytes = good;
    const int flips = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < flips; ++i) bytes[rng() % bytes.size()] = static_cast<char>(rng() & 0xFF);
    if (rng() % 3 == 0) bytes.resize(rng() % bytes.size());
    if (rng() % 5 == 0) bytes = ".INIcDAT" + std::string(rng() % 64, static_cast<char>(rng() & 0xFF));
    vesk_test::WriteFile("fuzz.dat", bytes);
    m_Params.LoadParamDATFile("fuzz.dat", true);
    m_Params.LoadParamINIFile("fuzz.dat", true);
    m_Params.GetInt("fuzz.dat", "S", "n", 0);
  }
}

}  // namespace
