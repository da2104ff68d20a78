#include <gtest/gtest.h>

#include <string>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/file/scrambled_string.h"
#include "tests/support/debug_capture.h"
#include "tests/support/temp_dir.h"

using nsZarn::nsFile::ReadScrambledString;
using nsZarn::nsFile::WriteScrambledString;
using nsZarn::nsFile::nsFileReader::CFileReader;
using nsZarn::nsFile::nsFileWriter::CFileWriter;

namespace {

class FileTest : public ::testing::Test {
 protected:
  vesk_test::ScopedWorkingDir m_Dir;
};

TEST_F(FileTest, ReaderAndWriterCheckTheirModes) {
  vesk_test::WriteFile("a.txt", "hello");
  vesk_test::DebugCapture capture;
  CFileReader reader;
  EXPECT_FALSE(reader.fopen("a.txt", "w"));
  EXPECT_FALSE(reader.fopen("a.txt", "r+"));
  EXPECT_FALSE(reader.fopen("a.txt", nullptr));
  EXPECT_TRUE(capture.Contains("Failed : CFileReader::fopen Invalid File Mode\n"));
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_TRUE(reader.fopen("a.txt", "rb"));
  EXPECT_FALSE(reader.fopen("b.txt", "rb")) << "a second open keeps the first file";
  EXPECT_TRUE(capture.Contains("Failed : CFileReader::fopen Open Data Already Exists\n"));
  char c = 0;
  EXPECT_TRUE(reader.fgetc(c));
  EXPECT_EQ(c, 'h');

  CFileWriter writer;
  EXPECT_FALSE(writer.fopen("out.txt", "rb"));
  EXPECT_TRUE(capture.Contains("Failed : CFileWriter::fopen Invalid File Mode\n"));
  EXPECT_TRUE(writer.fopen("out.txt", "wb"));
  EXPECT_FALSE(writer.fopen("out.txt", "wb"));
  EXPECT_TRUE(capture.Contains("Failed : CFileWriter::fopen Open Data Already Exists\n"));
  EXPECT_TRUE(writer.fclose());
  EXPECT_TRUE(writer.fclose()) << "closing a closed writer succeeds";
}

TEST_F(FileTest, GetSizeKeepsThePositionAndPlainFgetsKeepsTheLineFeed) {
  vesk_test::WriteFile("a.txt", "ab\ncd");
  CFileReader reader;
  ASSERT_TRUE(reader.fopen("a.txt", "rb"));
  ASSERT_TRUE(reader.fseek(2, SEEK_SET));
  EXPECT_EQ(reader.GetSize(), 5);
  EXPECT_EQ(reader.ftell(), 2);
  ASSERT_TRUE(reader.fsetpos(0));
  char line[16];
  ASSERT_TRUE(reader.fgets(line, sizeof line));
  EXPECT_STREQ(line, "ab\n");
  std::int64_t pos = 0;
  ASSERT_TRUE(reader.fgetpos(pos));
  EXPECT_EQ(pos, 3);
  char rest[8] = {};
  EXPECT_EQ(reader.fread(rest, 1, 8), 2u);
  EXPECT_TRUE(reader.feof());
  EXPECT_FALSE(reader.fgetc(line[0]));
}

TEST_F(FileTest, JapaneseFileNamesReachTheFileSystemAsUtf8) {
  // "データ.txt" in CP932 is opened as the UTF-8 name on disk.
  vesk_test::WriteFile("\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF.txt", "x");
  CFileReader reader;
  EXPECT_TRUE(reader.fopen("\x83\x66\x81\x5B\x83\x5E.txt", "rb"));
}

TEST_F(FileTest, FprintfFollowsTheUserFormatterAndItsLimit) {
  CFileWriter writer;
  ASSERT_TRUE(writer.fopen("out.txt", "wb"));
  EXPECT_EQ(writer.fprintf("%d|%5s|%-3u|%04x|%#X|%c|%%|%.2s", -12, "ab", 7u, 255u, 171u, 'z', "xyz"),
            30);
  const std::string longText(2000, 'q');
  EXPECT_EQ(writer.fprintf("%s", longText.c_str()), 1023) << "the formatter keeps 1,023 characters";
  EXPECT_EQ(writer.GetSize(), 30 + 1023);
  ASSERT_TRUE(writer.fclose());
  EXPECT_EQ(vesk_test::ReadFile("out.txt").substr(0, 30), "-12|   ab|7  |00ff|0XAB|z|%|xy");
}

TEST_F(FileTest, ScrambledStringsRoundTripWithAKeyByte) {
  CFileWriter writer;
  ASSERT_TRUE(writer.fopen("s.bin", "wb"));
  EXPECT_TRUE(WriteScrambledString(&writer, 0x20, ""));
  EXPECT_TRUE(WriteScrambledString(&writer, 0x20, "A B"));
  EXPECT_TRUE(WriteScrambledString(&writer, 0, "plain"));
  ASSERT_TRUE(writer.fclose());
  // The empty string is a single 0; the space equals the key and is stored as is.
  EXPECT_EQ(vesk_test::ReadFile("s.bin"), std::string("\0" "a b\0plain\0", 11));

  CFileReader reader;
  ASSERT_TRUE(reader.fopen("s.bin", "rb"));
  std::string text = "junk";
  EXPECT_TRUE(ReadScrambledString(&reader, 0x20, text));
  EXPECT_EQ(text, "");
  EXPECT_TRUE(ReadScrambledString(&reader, 0x20, text));
  EXPECT_EQ(text, "A B");
  EXPECT_TRUE(ReadScrambledString(&reader, 0, text));
  EXPECT_EQ(text, "plain");
  EXPECT_FALSE(ReadScrambledString(&reader, 0, text)) << "end of file";
  EXPECT_EQ(text, "");
}

TEST_F(FileTest, UnterminatedAndOverLongStringsFail) {
  vesk_test::WriteFile("cut.bin", "abc");
  vesk_test::WriteFile("max.bin", std::string(65535, 'x') + std::string(1, '\0'));
  vesk_test::WriteFile("long.bin", std::string(65536, 'x') + std::string(1, '\0'));
  CFileReader reader;
  std::string text;
  ASSERT_TRUE(reader.fopen("cut.bin", "rb"));
  EXPECT_FALSE(ReadScrambledString(&reader, 0, text));
  EXPECT_TRUE(text.empty()) << "a half-read string is discarded";
  reader.fclose();
  ASSERT_TRUE(reader.fopen("max.bin", "rb"));
  EXPECT_TRUE(ReadScrambledString(&reader, 0, text));
  EXPECT_EQ(text.size(), 65535u);
  reader.fclose();
  ASSERT_TRUE(reader.fopen("long.bin", "rb"));
  EXPECT_FALSE(ReadScrambledString(&reader, 0, text));

  CFileWriter writer;
  ASSERT_TRUE(writer.fopen("w.bin", "wb"));
  EXPECT_FALSE(WriteScrambledString(&writer, 0, std::string(65536, 'x')));
  EXPECT_TRUE(WriteScrambledString(&writer, 0, std::string(65535, 'x')));
  EXPECT_EQ(writer.ftell(), 65536);
}

}  // namespace
