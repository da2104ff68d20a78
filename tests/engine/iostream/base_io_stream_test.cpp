// The binary save stream byte for byte, its damaged-input handling and its
// replace-only-when-complete writes.

#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "engine/api/backlog_record.h"
#include "engine/api/draw_records.h"
#include "engine/iostream/base_io_stream.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/support/temp_dir.h"

namespace {

using nsTamskLib::Expression;
using nsTamskLib::ExpressionToken;
using nsTamskLib::mystr;
using nsTamskLib::TextToken;
using nsTamskLib::TextTokenLine;
using nsTamskLib::TextTokenSection;
using nsTamskLib::vector_mystr;
using nsTamskLib::nsIOStream::BaseIOStream;
using nsTamskLib::nsTaskManager::Button;
using nsTamskLib::nsTaskManager::DrawTask;
using nsTamskLib::nsTaskManager::EffectParam;
using nsTamskLib::nsTaskManager::Sprite;
using nsTamskLib::nsTaskManager::UpdateParam;

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

class StreamTest : public testing::Test {
 protected:
  // Writes through a fresh stream and returns the file's bytes.
  template <typename F>
  std::string Written(F&& write) {
    BaseIOStream stream;
    EXPECT_TRUE(stream.Open(path.c_str(), "wb"));
    write(stream);
    EXPECT_TRUE(stream.Close());
    return vesk_test::ReadFile(path);
  }

  void OpenForReading(BaseIOStream& stream, const std::string& bytes) {
    vesk_test::WriteFile(path, bytes);
    ASSERT_TRUE(stream.Open(path.c_str(), "rb"));
  }

  vesk_test::TempDir dir;
  std::string path = dir.file("stream.dat");
};

TEST_F(StreamTest, PrimitiveFormsAreLittleEndianAndStringsComplemented) {
  EXPECT_EQ(Written([](BaseIOStream& s) { s.SaveChar("abc"); }), Bytes({0x9E, 0x9D, 0x9C, 0x00}));
  EXPECT_EQ(Written([](BaseIOStream& s) { s.SaveChar(""); }), Bytes({0x00}));
  EXPECT_EQ(Written([](BaseIOStream& s) { s.SaveStringM(mystr("@start")); }),
            Bytes({0xBF, 0x8C, 0x8B, 0x9E, 0x8D, 0x8B, 0x00}));
  EXPECT_EQ(Written([](BaseIOStream& s) { s.SaveNum(-2); }), Bytes({0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Written([](BaseIOStream& s) { s.SaveNum(0x01020304); }), Bytes({4, 3, 2, 1}));
  EXPECT_EQ(Written([](BaseIOStream& s) { s.SaveStringVM(vector_mystr()); }), Bytes({0, 0, 0, 0}));
  EXPECT_EQ(Written([](BaseIOStream& s) {
              const unsigned char raw[3] = {1, 2, 3};
              s.SavePrimitive(raw, 3);
            }),
            Bytes({1, 2, 3}));
}

TEST_F(StreamTest, ClearedRecordsHaveTheirGoldenForms) {
  const std::string task = Written([](BaseIOStream& s) { s.SaveDrawTask(DrawTask()); });
  EXPECT_EQ(task, std::string(1, '\xFF') + std::string(116, '\0'));
  const std::string sprite = Written([](BaseIOStream& s) { s.SaveSprite(Sprite()); });
  EXPECT_EQ(sprite, task + task);
  const std::string button = Written([](BaseIOStream& s) { s.SaveButton(Button()); });
  EXPECT_EQ(button.size(), 384u);
  EXPECT_EQ(button.substr(150), sprite);  // 3 flags, 33 rectangles, 3 strings, then the tasks
  EXPECT_EQ(button.substr(0, 150), std::string(147, '\0') + std::string(3, '\0'));
  EXPECT_EQ(Written([](BaseIOStream& s) { s.SaveEffectParam(EffectParam()); }),
            std::string(62, '\0'));
  EXPECT_EQ(Written([](BaseIOStream& s) { s.SaveUpdateParam(UpdateParam()); }),
            std::string(62, '\0'));
}

TEST_F(StreamTest, DrawTaskFieldsAreWrittenInOrder) {
  DrawTask task;
  task.A = 0x80;
  task.X = 1;
  task.Visible = true;
  task.SrcRect = nsTamskLib::TRect{0, 0, 2, 3};
  task.Name = "a";
  task.Param[0] = 5;
  task.Str[9] = "b";
  const std::string bytes = Written([&](BaseIOStream& s) { s.SaveDrawTask(task); });
  ASSERT_EQ(bytes.size(), 119u);
  EXPECT_EQ(bytes[0], '\x80');
  EXPECT_EQ(bytes.substr(1, 4), Bytes({1, 0, 0, 0}));
  EXPECT_EQ(bytes[13], '\x01');                              // Visible
  EXPECT_EQ(bytes.substr(42, 16), Bytes({0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0}));
  EXPECT_EQ(bytes.substr(58, 2), Bytes({0x9E, 0}));          // Name
  EXPECT_EQ(bytes.substr(68, 5), Bytes({5, 0, 0, 0, 0}));    // Param[0], Str[0]
  EXPECT_EQ(bytes.substr(113, 6), Bytes({0, 0, 0, 0, 0x9D, 0}));  // Param[9], Str[9]
}

TEST_F(StreamTest, ExpressionAndTextSectionForms) {
  Expression expr;
  ExpressionToken token;
  token.Type = 3;
  token.SubType = 1;
  token.Value = 2;
  token.Extra = 9;  // not stored
  token.Name = "a";
  expr.push_back(token);
  EXPECT_EQ(Written([&](BaseIOStream& s) { s.SaveExpression(expr); }),
            Bytes({1, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0x9E, 0}));

  TextToken glyph;
  glyph.Text = "a";
  glyph.Size = 1;
  glyph.Colour = 2;
  glyph.Alpha = 3;
  glyph.Flag1 = 4;
  glyph.Flag2 = 5;
  glyph.Width = 6;
  glyph.Height = 7;
  nsTamskLib::RubyToken ruby;
  ruby.Width = 8;
  glyph.Ruby.push_back(ruby);
  TextTokenLine line;
  line.push_back(glyph);
  TextTokenSection section;
  section.push_back(line);
  // Text, Size, Colour, FontFace, Alpha, flags: 13 bytes of 0; Width 8; Height 0.
  const std::string rubyBytes = std::string(13, '\0') + Bytes({8, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(Written([&](BaseIOStream& s) { s.SaveTextTokenSection(section); }),
            Bytes({1, 0, 0, 0, 1, 0, 0, 0,                   // lines, tokens
                   0x9E, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0,       // Text, Size, Colour, FontFace
                   3, 4, 5, 6, 0, 0, 0, 7, 0, 0, 0,          // Alpha, flags, Width, Height
                   1, 0, 0, 0}) +                            // ruby count
                rubyBytes);
}

TEST_F(StreamTest, CompoundFormsRoundTrip) {
  TextToken glyph;
  glyph.Text = "字";
  glyph.Size = 25;
  glyph.Colour = 0xFFFFFFu;
  glyph.FontFace = "ＭＳ ゴシック";
  glyph.Alpha = 255;
  glyph.Flag1 = 1;
  glyph.Width = 25;
  glyph.Height = 22;
  nsTamskLib::RubyToken ruby;
  ruby.Text = "じ";
  ruby.Width = 10;
  glyph.Ruby.push_back(ruby);
  TextTokenLine line;
  line.push_back(glyph);
  nsTamskLib::nsTextManager::BackLogRecord record;
  record.Message.push_back(line);
  record.Message.push_back(line);
  record.Talker.push_back(line);
  record.Extra.push_back(mystr("extra"));
  Expression expr;
  ExpressionToken token;
  token.Type = 4;
  token.SubType = 7;
  token.Extra = 3;
  token.Name = "var";
  token.Sub.push_back(token);
  expr.push_back(token);
  Button button;
  button.Enabled = true;
  button.SrcRect[1][3] = nsTamskLib::TRect{1, 2, 3, 4};
  button.CursorSound = "se";
  button.Task[1].Name = "btn";
  EffectParam effect;
  effect.Type = 7;
  effect.Time = 0xFFFFFFFFu;
  effect.Str[4] = "s";

  Written([&](BaseIOStream& s) {
    s.SaveRecord(record);
    s.SaveExpression(expr);
    s.SaveButton(button);
    s.SaveEffectParam(effect);
  });
  BaseIOStream in;
  ASSERT_TRUE(in.Open(path.c_str(), "rb"));
  nsTamskLib::nsTextManager::BackLogRecord readRecord;
  Expression readExpr;
  Button readButton;
  EffectParam readEffect;
  in.LoadRecord(readRecord);
  in.LoadExpression(readExpr);
  in.LoadButton(readButton);
  in.LoadEffectParam(readEffect);
  EXPECT_FALSE(in.HasReadFailed());
  in.Close();

  ASSERT_EQ(readRecord.Message.size(), 2u);
  const TextToken& read = readRecord.Message.at(1).at(0);
  EXPECT_STREQ(read.Text.c_str(), "字");
  EXPECT_STREQ(read.FontFace.c_str(), "ＭＳ ゴシック");
  EXPECT_EQ(read.Colour, 0xFFFFFFu);
  EXPECT_EQ(read.Flag1, 1);
  EXPECT_EQ(read.Height, 22);
  ASSERT_EQ(read.Ruby.size(), 1u);
  EXPECT_STREQ(read.Ruby.at(0).Text.c_str(), "じ");
  EXPECT_STREQ(readRecord.Extra.at(0).c_str(), "extra");
  ASSERT_EQ(readExpr.size(), 1u);
  EXPECT_EQ(readExpr.at(0).Type, 4);
  EXPECT_EQ(readExpr.at(0).SubType, 7);
  EXPECT_EQ(readExpr.at(0).Extra, -1);   // not stored
  EXPECT_TRUE(readExpr.at(0).Sub.empty());  // not stored
  EXPECT_STREQ(readExpr.at(0).Name.c_str(), "var");
  EXPECT_TRUE(readButton.Enabled);
  EXPECT_EQ(readButton.SrcRect[1][3].bottom, 4);
  EXPECT_STREQ(readButton.CursorSound.c_str(), "se");
  EXPECT_STREQ(readButton.Task[1].Name.c_str(), "btn");
  EXPECT_EQ(readEffect.Type, 7u);
  EXPECT_EQ(readEffect.Time, 0xFFFFFFFFu);
  EXPECT_STREQ(readEffect.Str[4].c_str(), "s");
}

TEST_F(StreamTest, LoadingAContainerReplacesItsContent) {
  Written([](BaseIOStream& s) { s.SaveStringVM(vector_mystr()); });
  BaseIOStream in;
  ASSERT_TRUE(in.Open(path.c_str(), "rb"));
  vector_mystr texts;
  texts.push_back(mystr("old"));
  in.LoadStringVM(texts);
  EXPECT_TRUE(texts.empty());
}

TEST_F(StreamTest, MapsAreWrittenInNameOrderAndTheFirstOfARepeatedNameWins) {
  const std::map<std::string, std::int32_t> map{{"b", 2}, {"a", 1}};
  EXPECT_EQ(Written([&](BaseIOStream& s) { nsTamskLib::nsIOStream::SaveMap(s, map); }),
            Bytes({2, 0, 0, 0, 0x9E, 0, 1, 0, 0, 0, 0x9D, 0, 2, 0, 0, 0}));
  BaseIOStream in;
  OpenForReading(in, Bytes({3, 0, 0, 0, 0x9E, 0, 1, 0, 0, 0, 0x9E, 0, 9, 0, 0, 0, 0x9D, 0, 2, 0, 0, 0}));
  std::map<std::string, std::int32_t> read{{"old", 5}};
  nsTamskLib::nsIOStream::LoadMap(in, read);
  EXPECT_EQ(read, (std::map<std::string, std::int32_t>{{"a", 1}, {"b", 2}}));
  EXPECT_FALSE(in.HasReadFailed());
}

TEST_F(StreamTest, ShortReadsYieldZerosAndSetTheFlagUntilTheNextOpen) {
  BaseIOStream in;
  OpenForReading(in, Bytes({7, 0}));
  std::int32_t value = -1;
  in.LoadNum(&value);
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(in.HasReadFailed());
  in.LoadNum(&value);
  EXPECT_EQ(value, 0);
  in.Close();
  ASSERT_TRUE(in.Open(path.c_str(), "rb"));
  EXPECT_FALSE(in.HasReadFailed());
  unsigned char raw[4] = {9, 9, 9, 9};
  in.LoadPrimitive(raw, 4);
  EXPECT_EQ(raw[1], 0);
  EXPECT_EQ(raw[2], 0);
  EXPECT_TRUE(in.HasReadFailed());
}

TEST_F(StreamTest, AStringWithoutTerminatorStopsAtTheEndOfTheFile) {
  BaseIOStream in;
  OpenForReading(in, Bytes({0x9E, 0x9D}));
  char buffer[nsTamskLib::nsIOStream::kStringBufferSize];
  in.LoadChar(buffer);
  EXPECT_STREQ(buffer, "ab");
  EXPECT_TRUE(in.HasReadFailed());
}

TEST_F(StreamTest, AnOverlongStringIsCutAndTheStreamStaysInStep) {
  const std::string longText(70000, 'x');
  Written([&](BaseIOStream& s) {
    s.SaveChar(longText.c_str());
    s.SaveNum(42);
  });
  BaseIOStream in;
  ASSERT_TRUE(in.Open(path.c_str(), "rb"));
  std::string text;
  in.ReadString(text);
  EXPECT_EQ(text.size(), 65535u);
  EXPECT_TRUE(in.HasReadFailed());
  std::int32_t next = 0;
  in.LoadNum(&next);
  EXPECT_EQ(next, 42);
}

TEST_F(StreamTest, AByte0xFFCannotSurviveTheStringForm) {
  // Written, it would end the string early: the write fails and the old file stays.
  vesk_test::WriteFile(path, "old");
  BaseIOStream out;
  ASSERT_TRUE(out.Open(path.c_str(), "wb"));
  out.SaveChar("a\xFF" "b");
  EXPECT_FALSE(out.Close());
  EXPECT_EQ(vesk_test::ReadFile(path), "old");

  // Stored, it reads as a failed read instead of a NUL inside the name.
  BaseIOStream in;
  OpenForReading(in, Bytes({0x9E, 0xFF, 0x9D, 0x00}));
  std::string text;
  in.ReadString(text);
  EXPECT_EQ(text, "ab");
  EXPECT_TRUE(in.HasReadFailed());
}

TEST_F(StreamTest, CorruptCountsCannotDriveEndlessAppends) {
  BaseIOStream in;
  // Every container read with a count of 0xFFFFFFFF and nothing behind it.
  OpenForReading(in, Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
  vector_mystr texts;
  in.LoadStringVM(texts);
  EXPECT_TRUE(in.HasReadFailed());
  EXPECT_LE(texts.size(), 1u);
  in.Close();
  ASSERT_TRUE(in.Open(path.c_str(), "rb"));
  TextTokenSection section;
  in.LoadTextTokenSection(section);
  EXPECT_LE(section.size(), 1u);
  in.Close();
  ASSERT_TRUE(in.Open(path.c_str(), "rb"));
  Expression expr;
  in.LoadExpression(expr);
  EXPECT_LE(expr.size(), 1u);
  in.Close();
  ASSERT_TRUE(in.Open(path.c_str(), "rb"));
  std::map<std::string, std::int32_t> map;
  nsTamskLib::nsIOStream::LoadMap(in, map);
  EXPECT_TRUE(map.empty());
  EXPECT_TRUE(in.HasReadFailed());
}

TEST_F(StreamTest, ATruncatedDrawTaskReadsAsZerosWithTheFlagSet) {
  const std::string task = Written([](BaseIOStream& s) { s.SaveDrawTask(DrawTask()); });
  BaseIOStream in;
  OpenForReading(in, task.substr(0, 50));
  DrawTask read;
  read.Name = "keep?";
  in.LoadDrawTask(read);
  EXPECT_TRUE(in.HasReadFailed());
  EXPECT_EQ(read.A, 255);
  EXPECT_EQ(read.SubOrder, 0u);
}

TEST_F(StreamTest, OperationsOnAClosedStreamAreFatal) {
  vesk_test::FatalTrap trap;
  BaseIOStream stream;
  std::int32_t value = 0;
  vector_mystr texts;
  EXPECT_TRUE(stream.Close());
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_FATAL(stream.SaveNum(1), "ファイルがオープンされていません！");
  EXPECT_FATAL(stream.LoadNum(&value), "ファイルがオープンされていません！");
  EXPECT_FATAL(stream.SaveChar("a"), "ファイルがオープンされていません！");
  EXPECT_FATAL(stream.SaveDrawTask(DrawTask()), "ファイルがオープンされていません！");
  EXPECT_FATAL(stream.LoadStringVM(texts), "ファイルがオープンされていません！");
}

TEST_F(StreamTest, OpeningAnOpenStreamIsFatal) {
  vesk_test::FatalTrap trap;
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open(path.c_str(), "wb"));
  EXPECT_FATAL(stream.Open(path.c_str(), "rb"), "ファイルは既にオープンされています！");
  EXPECT_TRUE(stream.Close());
  EXPECT_FALSE(BaseIOStream().Open(dir.file("missing.dat").c_str(), "rb"));
}

TEST_F(StreamTest, AWriteReplacesTheOldFileOnlyWhenItIsComplete) {
  vesk_test::WriteFile(path, "old contents");
  {
    BaseIOStream stream;
    ASSERT_TRUE(stream.Open(path.c_str(), "wb"));
    stream.SaveNum(1);
    // Until Close the old file is untouched; the bytes go to a temporary beside it.
    EXPECT_EQ(vesk_test::ReadFile(path), "old contents");
    EXPECT_TRUE(std::filesystem::exists(path + ".tmp"));
  }  // the destructor closes as Close does
  EXPECT_EQ(vesk_test::ReadFile(path), Bytes({1, 0, 0, 0}));
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(StreamTest, AFailedWriteKeepsTheOldFileAndCloseReturnsFalse) {
  vesk_test::FatalTrap trap;
  // The target is a folder with content: the final rename cannot replace it.
  const std::string target = dir.file("slot");
  vesk_test::WriteFile(std::filesystem::path(target) / "kept.txt", "kept");
  BaseIOStream stream;
  ASSERT_TRUE(stream.Open(target.c_str(), "wb"));
  stream.SaveNum(7);
  EXPECT_FALSE(stream.Close());
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(vesk_test::ReadFile(std::filesystem::path(target) / "kept.txt"), "kept");
  EXPECT_FALSE(std::filesystem::exists(target + ".tmp"));
}

TEST_F(StreamTest, AWriteThatCannotStartLeavesNothingBehind) {
  BaseIOStream stream;
  EXPECT_FALSE(stream.Open(dir.file("no/such/folder/x.dat").c_str(), "wb"));
  EXPECT_FALSE(stream.IsOpen());
}

}  // namespace
