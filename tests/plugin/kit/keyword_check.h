#pragma once
// The check that every keyword of a command table compiles and runs in each of its
// forms. A keyword's forms are learnt from its own parser: a StatementHost offers it
// the keyword followed by undecided tokens, and each pattern word the parser asks of
// the first of them is decided in turn, until the parser makes a command. Each form
// is then written as a statement, one rule per pattern word (an argument is 1, a
// string names a picture, a label is @next...), in a script of its own:
//
//   @start:
//   local v = 0; button b; sprite s;
//   <the statement>
//   @next:
//   end;
//
// which the caller compiles and plays to its end. A new row is checked the day it is
// added: nothing here lists the keywords, but for the few that need a context or a
// value of their own (kKeywordNeeds in keyword_check.cpp).

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "plugin/entry/registration.h"

namespace vesk_test {

// The pattern words after a keyword.
using KeywordForm = std::vector<std::string>;

// The picture every string names unless its keyword needs another value (the
// caller's draw manager must load it), and the object file that loadobject links
// (the caller writes it).
inline constexpr const char kCheckPicture[] = "picture.png";
inline constexpr const char kCheckObject[] = "part.obj";

// Compiles a script and plays it to its end: "" when it ended, else what went wrong.
using ScriptPlay = std::function<std::string(const std::string& script)>;

// The forms the parser of the row takes for the keyword, in the order of the words
// it asks first (a keyword with a list of items, such as a choice, has a form per
// length). The other rows give the types of keywords in the statements around it.
std::vector<KeywordForm> FormsOf(std::span<const nsWendrick::CommandTypeEntry> rows,
                                 const nsWendrick::CommandTypeEntry& row, const char* keyword);

// What keeps a keyword of the rows from being compiled and run, one line each, naming
// the keyword: a parser that takes no form, or a statement the compiler refuses or
// that does not play to its end. Empty for a sound table.
std::vector<std::string> KeywordFaults(std::span<const nsWendrick::CommandTypeEntry> rows,
                                       const ScriptPlay& play);

}  // namespace vesk_test
