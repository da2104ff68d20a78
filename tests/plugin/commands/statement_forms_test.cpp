// The script forms of the command types: which types have them and how many
// tokens each form takes after the keyword.

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/commands/statement_forms.h"

namespace {

using nsWendrick::StatementForms;

std::vector<std::size_t> Lengths(std::uint32_t type) {
  std::vector<std::size_t> lengths;
  for (const nsWendrick::SyntaxPattern& form : StatementForms(type)) lengths.push_back(form.size());
  return lengths;
}

TEST(StatementFormsTest, EveryTypeWithKeywordsButElseAndTheChoicesHasForms) {
  const std::set<std::uint32_t> withoutForms = {7, 10, 49};
  for (std::uint32_t type = 1; type <= 57; ++type) {
    if (type == 44) continue;
    EXPECT_EQ(StatementForms(type).empty(), withoutForms.count(type) == 1) << type;
  }
  EXPECT_TRUE(StatementForms(44).empty());
  EXPECT_TRUE(StatementForms(58).empty());
}

TEST(StatementFormsTest, FormsHaveTheirLengthsInTheOrderTried) {
  EXPECT_EQ(Lengths(1), (std::vector<std::size_t>{2}));
  EXPECT_EQ(Lengths(2), (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(Lengths(5), (std::vector<std::size_t>{2, 4}));
  EXPECT_EQ(Lengths(11), (std::vector<std::size_t>{1, 2, 2, 4, 6}));
  EXPECT_EQ(Lengths(19), (std::vector<std::size_t>{14, 18}));
  EXPECT_EQ(Lengths(23), (std::vector<std::size_t>{1, 2, 4, 6, 10, 38}));
  EXPECT_EQ(Lengths(24), (std::vector<std::size_t>{1, 2, 10, 14, 14}));
  EXPECT_EQ(Lengths(28), (std::vector<std::size_t>{4, 6, 8, 10}));
  EXPECT_EQ(Lengths(38), (std::vector<std::size_t>{16, 24}));
  EXPECT_EQ(Lengths(41), (std::vector<std::size_t>{2, 28, 42}));
  EXPECT_EQ(Lengths(50), (std::vector<std::size_t>{2, 20, 22, 24, 26}));
  EXPECT_EQ(Lengths(52), (std::vector<std::size_t>{2, 3, 5, 6}));
}

TEST(StatementFormsTest, FormsSpellTheirWords) {
  const auto words = [](std::uint32_t type, std::size_t form) {
    const nsWendrick::SyntaxPattern& pattern = StatementForms(type)[form];
    return std::vector<std::string>(pattern.begin(), pattern.end());
  };
  EXPECT_EQ(words(6, 0), (std::vector<std::string>{"変数", "演算子", "引数", ";"}));
  EXPECT_EQ(words(23, 3), (std::vector<std::string>{"ボタン", ",", "文字列", ",", "文字列", ";"}));
  EXPECT_EQ(words(52, 3),
            (std::vector<std::string>{"引数", ",", "変数", "演算子", "引数", ";"}));
  EXPECT_EQ(words(19, 0).back(), ";");
  EXPECT_EQ(words(5, 1), (std::vector<std::string>{"未定義変数", "=", "引数", ";"}));
}

}  // namespace
