#include "platform/ini/ini_profile.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/temp_dir.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

TEST(IniProfileTest, LineRules) {
  const std::string text =
      "ignored=before any section\r\n"
      "  [ Common ]  trailing text\r\n"
      "; a comment=not an entry\n"
      "\tAppTitle = \"Vesk\" \t\n"
      "no equals sign\n"
      "a=b=c\n"
      "apptitle=other case\n"
      "AppTitle=second wins not\n"
      "empty=\n"
      "[Common]\n"
      "late=ignored, the first section wins\n"
      "[Other]\n"
      "k=v";
  const auto sections = platform::ParseIniText(text);
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].name, "Common");
  EXPECT_EQ(sections[0].entries,
            (Entries{{"AppTitle", "\"Vesk\""}, {"a", "b=c"}, {"apptitle", "other case"}, {"empty", ""}}));
  EXPECT_EQ(sections[1].name, "Other");
  EXPECT_EQ(sections[1].entries, (Entries{{"k", "v"}}));
}

TEST(IniProfileTest, SectionBracketIsFoundShiftJisAware) {
  // 0x5D (']') is the trail byte of "ゾ" (0x83 0x5D); "ソ" (0x83 0x5C) ends in a backslash.
  const std::string text = "[\x83\x5D\x83\x5C]\nkey=\x83\x5D\n[x\x81]\n";
  const auto sections = platform::ParseIniText(text);
  ASSERT_GE(sections.size(), 1u);
  EXPECT_EQ(sections[0].name, "\x83\x5D\x83\x5C");
  EXPECT_EQ(sections[0].entries, (Entries{{"key", "\x83\x5D"}}));
  EXPECT_EQ(sections.size(), 1u) << "a ']' taken by a lead byte does not close the section";
}

TEST(IniProfileTest, NamesHoldingANulAreSkippedAndValuesEndAtIt) {
  using namespace std::string_literals;
  const std::string text = "[Common]\nTitle\0Old=\"a\"\nTitle=\"b\0c\"\n[Bad\0]\nk=v\n"s;
  const auto sections = platform::ParseIniText(text);
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].entries, (Entries{{"Title", "\"b"}}));
}

TEST(IniProfileTest, ReadsFilesAndReportsMissingOnes) {
  vesk_test::ScopedWorkingDir dir;
  vesk_test::WriteFile("a.ini", "[S]\nk=1\n");
  std::vector<platform::IniSection> sections;
  ASSERT_TRUE(platform::ReadIniFile("a.ini", sections));
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_FALSE(platform::ReadIniFile("missing.ini", sections));
  EXPECT_TRUE(sections.empty());
}

TEST(IniProfileTest, RandomBytesNeverBreakTheParser) {
  std::mt19937 rng(1234);
  const std::string alphabet = "[]=;\r\n\t ab\x81\x5D\x83\xE0\"";
  for (int round = 0; round < 2000; ++round) {
    std::string text(rng() % 200, '\0');
    for (auto& c : text) {
      c = rng() % 2 ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng() & 0xFF);
    }
    for (const auto& section : platform::ParseIniText(text)) {
      for (const auto& [key, value] : section.entries) {
        EXPECT_EQ(key.find('\n'), std::string::npos);
        EXPECT_EQ(value.find('\n'), std::string::npos);
      }
    }
  }
}

}  // namespace
