#pragma once
// The INI profile reader that stands in for the Windows profile functions. Text is
// Shift-JIS bytes. The line rules:
// - lines end with LF or CRLF and are trimmed of spaces and tabs at both ends;
// - a line starting with ';' is a comment;
// - "[name]" starts a section; the name runs to the first ']' that is not the trail
//   byte of a two-byte character, and is trimmed; text after the ']' is ignored;
// - any other line is an entry when it has a '=': it splits at the first '=', and
//   key and value are trimmed of spaces and tabs (the value keeps its quotes);
//   lines without '=' and lines before the first section are skipped;
// - the first of a repeated section or key wins; names are case-sensitive;
// - a section or key name holding a NUL byte is skipped, with a section's entries;
//   a value ends at a NUL byte (as in a C string).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

struct IniSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> entries;  // key, raw value; file order
};

// The sections of an INI text in the order they first appear.
std::vector<IniSection> ParseIniText(std::string_view text);

// Reads and parses a file named in Shift-JIS. False when it cannot be read.
bool ReadIniFile(std::string_view cp932Path, std::vector<IniSection>& sections);

}  // namespace platform
