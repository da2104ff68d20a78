#include "platform/text/cp932.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// "日本語" in CP932 and in UTF-8, written as bytes so the test does not depend on
// the compiler's execution character set.
const std::string kNihongoSjis = "\x93\xFA\x96\x7B\x8C\xEA";
const std::string kNihongoUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";

TEST(Cp932Test, LeadBytesAndCharacterSplitting) {
  EXPECT_TRUE(platform::IsSjisLeadByte(static_cast<unsigned char>(0x81)));
  EXPECT_TRUE(platform::IsSjisLeadByte(static_cast<unsigned char>(0x9F)));
  EXPECT_TRUE(platform::IsSjisLeadByte(static_cast<unsigned char>(0xE0)));
  EXPECT_TRUE(platform::IsSjisLeadByte(static_cast<unsigned char>(0xFF)));
  EXPECT_FALSE(platform::IsSjisLeadByte(static_cast<unsigned char>(0x80)));
  EXPECT_FALSE(platform::IsSjisLeadByte(static_cast<unsigned char>(0xA0)));
  EXPECT_FALSE(platform::IsSjisLeadByte(static_cast<unsigned char>(0xDF)));

  // "表" is 0x95 0x5C: its trail byte is a backslash that must not be seen.
  const std::string text = "a\x95\x5C\xB1\x81";
  EXPECT_EQ(platform::SjisCharLength(text, 0), 1u);
  EXPECT_EQ(platform::SjisCharLength(text, 1), 2u);
  EXPECT_EQ(platform::SjisCharCode(text, 1), 0x955Cu);
  EXPECT_EQ(platform::SjisCharLength(text, 3), 1u);  // half-width katakana
  EXPECT_EQ(platform::SjisCharLength(text, 4), 0u) << "a lead byte as the last byte ends the text";
  EXPECT_EQ(platform::SjisCharLength(std::string_view("a\0b", 3), 1), 0u);
}

TEST(Cp932Test, FindSkipsTrailBytes) {
  const std::string path = "dir\\\x95\x5C\\x.ini";
  EXPECT_EQ(platform::SjisFind(path, '\\'), 3u);
  EXPECT_EQ(platform::SjisFind(path, '\\', 4), 6u);
  EXPECT_EQ(platform::SjisFindLast(path, '\\'), 6u);
  EXPECT_EQ(platform::SjisFind("\x95\x5C", '\\'), std::string::npos);
  EXPECT_EQ(platform::SjisFindLast("\x95", '\x95'), std::string::npos);
}

TEST(Cp932Test, ConvertsToAndFromUtf8AndUcs4) {
  EXPECT_EQ(platform::Cp932ToUtf8(kNihongoSjis), kNihongoUtf8);
  EXPECT_EQ(platform::Utf8ToCp932(kNihongoUtf8), kNihongoSjis);
  EXPECT_EQ(platform::Cp932ToUtf8("abc\\~"), "abc\\~");
  EXPECT_EQ(platform::Cp932ToUcs4(kNihongoSjis), U"\u65E5\u672C\u8A9E");
  EXPECT_EQ(platform::Ucs4ToCp932(U"A\u65E5\uFF71"), "A\x93\xFA\xB1");
  EXPECT_EQ(platform::Cp932CodeToUcs4(0x8140), U'\u3000');
  EXPECT_EQ(platform::Cp932CodeToUcs4(0xB1), U'\uFF71');
  EXPECT_EQ(platform::Cp932CodeToUcs4('A'), U'A');
}

TEST(Cp932Test, UnmappableInputIsReplacedNotDropped) {
  EXPECT_EQ(platform::Cp932CodeToUcs4(0x80), U'\0');
  EXPECT_EQ(platform::Cp932CodeToUcs4(0xFFFF), U'\0');
  EXPECT_EQ(platform::Cp932CodeToUcs4(0x81), U'\0') << "a lone lead byte is no character";
  EXPECT_FALSE(platform::IsValidCp932("a\x80"));
  EXPECT_TRUE(platform::IsValidCp932(kNihongoSjis));
  EXPECT_EQ(platform::Cp932ToUtf8("a\x80z"), "a\xEF\xBF\xBDz");
  EXPECT_EQ(platform::Cp932ToUtf8("ab\x93"), "ab") << "a lead byte as the last byte ends the text";
  EXPECT_EQ(platform::Utf8ToCp932("a\xF0\x9F\x98\x80z"), "a?z") << "an emoji has no CP932 code";
  EXPECT_EQ(platform::Utf8ToCp932("a\xFFz"), "a?z");
  EXPECT_EQ(platform::Ucs4ToCp932(U"a\U0001F600"), "a?");
  EXPECT_EQ(platform::Cp932ToUcs4("\xFF\xFF" "b"), U"\uFFFDb");
}

// Converts in its destructor, which runs after the thread's converters are closed
// when it was made before them.
struct ConvertsWhenDestroyed {
  std::string* result = nullptr;
  ~ConvertsWhenDestroyed() {
    if (result != nullptr) *result = platform::Cp932ToUtf8(kNihongoSjis);
  }
};

TEST(Cp932Test, ConversionAfterTheThreadsConvertersClosedStillWorks) {
  std::string late;
  std::thread([&late] {
    thread_local ConvertsWhenDestroyed probe;
    probe.result = &late;
    EXPECT_EQ(platform::Cp932ToUtf8(kNihongoSjis), kNihongoUtf8);
  }).join();
  EXPECT_EQ(late, kNihongoUtf8);
}

}  // namespace
