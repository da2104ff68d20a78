// The text manager: modes and settings, the bounded backlog and its cursor, the read
// marks, and its three file forms (environment block, save-slot block, read-mark
// file), byte for byte and in round trips, including damaged files.

#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "engine/iostream/base_io_stream.h"
#include "engine/textmanager/text_manager.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/support/temp_dir.h"

namespace {

using nsTamskLib::TextToken;
using nsTamskLib::TextTokenLine;
using nsTamskLib::nsIOStream::BaseIOStream;
using nsTamskLib::nsTextManager::BackLogRecord;
using nsTamskLib::nsTextManager::TextManager;

// A record whose message is one token with the given text; its talker is empty.
BackLogRecord RecordSaying(const char* text) {
  TextToken token;
  token.Text = text;
  token.Size = 25;
  token.Colour = 0xFFFFFFu;
  token.FontFace = "ＭＳ ゴシック";
  token.Alpha = 255;
  token.Width = 12;
  token.Height = 25;
  TextTokenLine line;
  line.push_back(token);
  BackLogRecord record;
  record.Message.push_back(line);
  return record;
}

std::string MessageOf(const BackLogRecord* record) {
  return record->Message.at(0).at(0).Text.c_str();
}

void AddRecords(TextManager& manager, int count) {
  for (int i = 1; i <= count; ++i) manager.AddRecord(RecordSaying(std::to_string(i).c_str()));
}

// Runs write on a stream opened on file and returns the file's bytes.
template <typename Write>
std::string WrittenBytes(const std::string& file, Write write) {
  BaseIOStream stream;
  EXPECT_TRUE(stream.Open(file.c_str(), "wb"));
  write(stream);
  EXPECT_TRUE(stream.Close());
  return vesk_test::ReadFile(file);
}

// Opens file for reading over stream.
void OpenForReading(BaseIOStream& stream, const std::string& file, const std::string& bytes) {
  vesk_test::WriteFile(file, bytes);
  ASSERT_TRUE(stream.Open(file.c_str(), "rb"));
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

TEST(TextManagerTest, StartsWithModesOffAndTheDefaultSettings) {
  TextManager manager;
  EXPECT_FALSE(manager.IsSkip());
  EXPECT_FALSE(manager.IsKidokuSkip());
  EXPECT_FALSE(manager.IsAuto());
  EXPECT_EQ(manager.GetAutoWait(), 1500u);
  EXPECT_EQ(manager.GetBackLogMax(), 256u);
  EXPECT_TRUE(manager.IsBackLogEmpty());
  EXPECT_EQ(manager.GetBackLogCursor(), 0u);
}

TEST(TextManagerTest, BackLogKeepsTheNewestUpToItsMaximum) {
  TextManager manager;
  AddRecords(manager, 257);
  ASSERT_EQ(manager.GetRecordCount(), 256u);
  manager.SetBackLogCursor(256);
  EXPECT_EQ(MessageOf(manager.GetRecordData()), "2");
  manager.SetBackLogCursor(1);
  EXPECT_EQ(MessageOf(manager.GetRecordData()), "257");

  // A smaller maximum takes effect at the next record.
  manager.SetBackLogMax(3);
  EXPECT_EQ(manager.GetRecordCount(), 256u);
  manager.AddRecord(RecordSaying("258"));
  ASSERT_EQ(manager.GetRecordCount(), 3u);
  manager.SetBackLogCursor(3);
  EXPECT_EQ(MessageOf(manager.GetRecordData()), "256");
}

TEST(TextManagerTest, CursorStaysWithinOneAndTheRecordCount) {
  TextManager manager;
  AddRecords(manager, 3);
  manager.SetBackLogCursor(5);
  EXPECT_EQ(manager.GetBackLogCursor(), 3u);
  manager.SetBackLogCursor(0);
  EXPECT_EQ(manager.GetBackLogCursor(), 1u);
  manager.MoveBackLogCursor(-1);
  EXPECT_EQ(manager.GetBackLogCursor(), 1u);
  manager.MoveBackLogCursor(1);
  EXPECT_EQ(manager.GetBackLogCursor(), 2u);
  manager.MoveBackLogCursor(1);
  manager.MoveBackLogCursor(1);
  EXPECT_EQ(manager.GetBackLogCursor(), 3u);
  EXPECT_EQ(MessageOf(manager.GetRecordData()), "1");

  // Deltas far beyond the list reach its ends without wrapping round.
  manager.MoveBackLogCursor(std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(manager.GetBackLogCursor(), 1u);
  manager.MoveBackLogCursor(std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(manager.GetBackLogCursor(), 3u);
  manager.SetBackLogCursor(std::numeric_limits<std::uint32_t>::max());
  manager.MoveBackLogCursor(std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(manager.GetBackLogCursor(), 3u);
}

TEST(TextManagerTest, CursorIsZeroWithoutRecords) {
  TextManager manager;
  manager.SetBackLogCursor(5);
  EXPECT_EQ(manager.GetBackLogCursor(), 0u);
  manager.MoveBackLogCursor(-1);
  EXPECT_EQ(manager.GetBackLogCursor(), 0u);
  manager.MoveBackLogCursor(1);
  EXPECT_EQ(manager.GetBackLogCursor(), 0u);
}

TEST(TextManagerTest, RecordDataWithoutRecordsIsFatal) {
  vesk_test::FatalTrap trap;
  TextManager manager;
  EXPECT_FATAL(manager.GetRecordData(), "TextManager::GetRecordData()");
}

TEST(TextManagerTest, RecordDataUnderAStaleCursorIsFatalNotOutOfRange) {
  vesk_test::FatalTrap trap;
  TextManager manager;
  AddRecords(manager, 3);
  manager.SetBackLogCursor(3);
  // Clearing leaves the cursor as it is.
  manager.ClearBackLog();
  EXPECT_EQ(manager.GetBackLogCursor(), 3u);
  manager.AddRecord(RecordSaying("x"));
  EXPECT_FATAL(manager.GetRecordData(), "TextManager::GetRecordData()");
}

TEST(TextManagerTest, ReadMarksAreKeptOnceInTheOrderOfMarking) {
  TextManager manager;
  EXPECT_FALSE(manager.IsRead(7));
  manager.MarkRead(7);
  manager.MarkRead(3);
  manager.MarkRead(7);
  manager.MarkRead(0xFFFFFFFFu);
  EXPECT_TRUE(manager.IsRead(7));
  EXPECT_TRUE(manager.IsRead(3));
  EXPECT_FALSE(manager.IsRead(4));
  EXPECT_EQ(manager.GetReadMarks(), (std::vector<std::uint32_t>{7, 3, 0xFFFFFFFFu}));
}

TEST(TextManagerTest, ResetEndsTheGameButKeepsMarksAndSettings) {
  TextManager manager;
  manager.SetSkip(true);
  manager.SetAuto(true);
  manager.SetKidokuSkip(true);
  manager.SetAutoWait(900);
  manager.SetBackLogMax(10);
  manager.MarkRead(5);
  AddRecords(manager, 2);
  manager.Reset();
  EXPECT_FALSE(manager.IsSkip());
  EXPECT_FALSE(manager.IsAuto());
  EXPECT_TRUE(manager.IsBackLogEmpty());
  EXPECT_EQ(manager.GetBackLogCursor(), 1u);  // set before the backlog was emptied
  EXPECT_TRUE(manager.IsKidokuSkip());
  EXPECT_EQ(manager.GetAutoWait(), 900u);
  EXPECT_EQ(manager.GetBackLogMax(), 10u);
  EXPECT_TRUE(manager.IsRead(5));
}

// The read-mark file.

TEST(KidokuFileTest, WithoutMarksIsTheMagicAndAZeroCount) {
  vesk_test::ScopedWorkingDir dir;
  TextManager manager;
  BaseIOStream stream;
  ASSERT_TRUE(manager.SaveKidoku("kidoku.dat", &stream));
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(vesk_test::ReadFile("kidoku.dat"), Bytes({0x2E, 0x6B, 0x73, 0x76, 0, 0, 0, 0}));
}

TEST(KidokuFileTest, ThreeMarksRoundTripInTheirOrder) {
  vesk_test::ScopedWorkingDir dir;
  TextManager manager;
  manager.MarkRead(0x0102);
  manager.MarkRead(7);
  manager.MarkRead(0xA0B0C0D0u);
  BaseIOStream stream;
  ASSERT_TRUE(manager.SaveKidoku("kidoku.dat", &stream));
  EXPECT_EQ(vesk_test::ReadFile("kidoku.dat"),
            Bytes({0x2E, 0x6B, 0x73, 0x76, 3, 0, 0, 0, 0x02, 0x01, 0, 0, 7, 0, 0, 0, 0xD0, 0xC0,
                   0xB0, 0xA0}));

  TextManager loaded;
  ASSERT_TRUE(loaded.LoadKidoku("kidoku.dat", &stream));
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(loaded.GetReadMarks(), (std::vector<std::uint32_t>{0x0102, 7, 0xA0B0C0D0u}));
  EXPECT_TRUE(loaded.IsRead(7));
}

TEST(KidokuFileTest, WrongMagicOrMissingFileLeavesTheMarksAlone) {
  vesk_test::ScopedWorkingDir dir;
  TextManager manager;
  manager.MarkRead(9);
  BaseIOStream stream;
  EXPECT_FALSE(manager.LoadKidoku("kidoku.dat", &stream));
  vesk_test::WriteFile("kidoku.dat", Bytes({0x2E, 0x65, 0x6E, 0x76, 1, 0, 0, 0, 5, 0, 0, 0}));
  EXPECT_FALSE(manager.LoadKidoku("kidoku.dat", &stream));
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(manager.GetReadMarks(), (std::vector<std::uint32_t>{9}));
}

TEST(KidokuFileTest, TruncatedFileKeepsTheCompleteMarksAndReportsFailure) {
  vesk_test::ScopedWorkingDir dir;
  vesk_test::FatalTrap trap;
  BaseIOStream stream;
  // Three marks announced, two and a half present.
  vesk_test::WriteFile("kidoku.dat",
                       Bytes({0x2E, 0x6B, 0x73, 0x76, 3, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0}));
  TextManager manager;
  EXPECT_FALSE(manager.LoadKidoku("kidoku.dat", &stream));
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(manager.GetReadMarks(), (std::vector<std::uint32_t>{1, 2}));

  // A damaged count of two billion ends with the file.
  vesk_test::WriteFile("kidoku.dat",
                       Bytes({0x2E, 0x6B, 0x73, 0x76, 0xFF, 0xFF, 0xFF, 0x7F, 4, 0, 0, 0}));
  TextManager damaged;
  EXPECT_FALSE(damaged.LoadKidoku("kidoku.dat", &stream));
  EXPECT_EQ(damaged.GetReadMarks(), (std::vector<std::uint32_t>{4}));

  // A file cut inside the count, or inside the magic.
  vesk_test::WriteFile("kidoku.dat", Bytes({0x2E, 0x6B, 0x73, 0x76, 1, 0}));
  EXPECT_FALSE(damaged.LoadKidoku("kidoku.dat", &stream));
  vesk_test::WriteFile("kidoku.dat", Bytes({0x2E, 0x6B}));
  EXPECT_FALSE(damaged.LoadKidoku("kidoku.dat", &stream));
  EXPECT_EQ(damaged.GetReadMarks(), (std::vector<std::uint32_t>{4}));
  EXPECT_TRUE(trap.boxes().empty());
}

TEST(KidokuFileTest, NegativeCountReadsNothing) {
  vesk_test::ScopedWorkingDir dir;
  BaseIOStream stream;
  vesk_test::WriteFile("kidoku.dat",
                       Bytes({0x2E, 0x6B, 0x73, 0x76, 0xFF, 0xFF, 0xFF, 0xFF, 4, 0, 0, 0}));
  TextManager manager;
  EXPECT_TRUE(manager.LoadKidoku("kidoku.dat", &stream));
  EXPECT_TRUE(manager.GetReadMarks().empty());
}

// The environment block.

TEST(TextManagerEnvironmentTest, DefaultBlockBytes) {
  vesk_test::ScopedWorkingDir dir;
  TextManager manager;
  EXPECT_EQ(WrittenBytes("env.dat", [&](BaseIOStream& s) { manager.SaveEnvironment(&s); }),
            Bytes({0x00, 0xDC, 0x05, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00}));
}

TEST(TextManagerEnvironmentTest, SettingsRoundTripAndNothingElse) {
  vesk_test::ScopedWorkingDir dir;
  TextManager manager;
  manager.SetKidokuSkip(true);
  manager.SetAutoWait(0x01020304);
  manager.SetBackLogMax(17);
  manager.SetSkip(true);
  EXPECT_EQ(WrittenBytes("env.dat", [&](BaseIOStream& s) { manager.SaveEnvironment(&s); }),
            Bytes({0x01, 0x04, 0x03, 0x02, 0x01, 17, 0, 0, 0}));

  TextManager loaded;
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open("env.dat", "rb"));
  loaded.LoadEnvironment(&stream);
  EXPECT_FALSE(stream.HasReadFailed());
  EXPECT_TRUE(loaded.IsKidokuSkip());
  EXPECT_EQ(loaded.GetAutoWait(), 0x01020304u);
  EXPECT_EQ(loaded.GetBackLogMax(), 17u);
  EXPECT_FALSE(loaded.IsSkip());
}

TEST(TextManagerEnvironmentTest, SettingsCutOffByTheEndOfTheFileKeepTheirValues) {
  vesk_test::ScopedWorkingDir dir;
  BaseIOStream stream;
  OpenForReading(stream, "env.dat", Bytes({0x01, 0x10, 0x00, 0x00, 0x00, 0x05}));
  TextManager manager;
  manager.LoadEnvironment(&stream);
  EXPECT_TRUE(stream.HasReadFailed());
  EXPECT_TRUE(manager.IsKidokuSkip());
  EXPECT_EQ(manager.GetAutoWait(), 16u);
  EXPECT_EQ(manager.GetBackLogMax(), 256u);
}

TEST(TextManagerEnvironmentTest, ClosedStreamIsFatal) {
  vesk_test::FatalTrap trap;
  TextManager manager;
  BaseIOStream stream;
  EXPECT_FATAL(manager.SaveEnvironment(&stream), "ファイルがオープンされていません！");
  EXPECT_FATAL(manager.LoadEnvironment(&stream), "ファイルがオープンされていません！");
  EXPECT_FATAL(manager.SaveLocal(&stream), "ファイルがオープンされていません！");
  EXPECT_FATAL(manager.LoadLocal(&stream), "ファイルがオープンされていません！");
}

// The save-slot block.

TEST(TextManagerSlotTest, BlockBytes) {
  vesk_test::ScopedWorkingDir dir;
  TextManager manager;
  EXPECT_EQ(WrittenBytes("Save00.dat", [&](BaseIOStream& s) { manager.SaveLocal(&s); }),
            Bytes({0, 0, 0, 0}));

  // Two records: an empty one, then one carrying the extra string "a".
  manager.AddRecord(BackLogRecord());
  BackLogRecord extra;
  extra.Extra.push_back(nsTamskLib::mystr("a"));
  manager.AddRecord(extra);
  EXPECT_EQ(WrittenBytes("Save00.dat", [&](BaseIOStream& s) { manager.SaveLocal(&s); }),
            Bytes({2, 0, 0, 0,                                     // records
                   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,             // empty record
                   0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x9E, 0}));  // extras ["a"]
}

TEST(TextManagerSlotTest, RecordsRoundTripAndLoadingEndsSkipAndAuto) {
  vesk_test::ScopedWorkingDir dir;
  TextManager manager;
  AddRecords(manager, 3);
  manager.SetBackLogCursor(2);
  WrittenBytes("Save00.dat", [&](BaseIOStream& s) { manager.SaveLocal(&s); });

  TextManager loaded;
  loaded.AddRecord(RecordSaying("old"));
  loaded.SetSkip(true);
  loaded.SetAuto(true);
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open("Save00.dat", "rb"));
  loaded.LoadLocal(&stream);
  EXPECT_FALSE(stream.HasReadFailed());
  EXPECT_FALSE(loaded.IsSkip());
  EXPECT_FALSE(loaded.IsAuto());
  ASSERT_EQ(loaded.GetRecordCount(), 3u);
  loaded.SetBackLogCursor(1);
  const BackLogRecord* newest = loaded.GetRecordData();
  EXPECT_EQ(MessageOf(newest), "3");
  const TextToken& token = newest->Message.at(0).at(0);
  EXPECT_EQ(token.Size, 25);
  EXPECT_EQ(token.Colour, 0xFFFFFFu);
  EXPECT_STREQ(token.FontFace.c_str(), "ＭＳ ゴシック");
  EXPECT_EQ(token.Alpha, 255);
  EXPECT_EQ(token.Width, 12);
  loaded.SetBackLogCursor(3);
  EXPECT_EQ(MessageOf(loaded.GetRecordData()), "1");
}

TEST(TextManagerSlotTest, DamagedCountStopsAtTheEndOfTheFile) {
  vesk_test::ScopedWorkingDir dir;
  // A count of four billion, one complete record and a cut one.
  BaseIOStream stream;
  OpenForReading(stream, "Save00.dat",
                 Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}));
  TextManager manager;
  manager.LoadLocal(&stream);
  EXPECT_TRUE(stream.HasReadFailed());
  EXPECT_EQ(manager.GetRecordCount(), 1u);
}

}  // namespace
