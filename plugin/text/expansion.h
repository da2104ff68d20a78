#pragma once
// Expansion of string arguments: a command passes each string argument through
// ExpandVariables just before it uses it, which substitutes the values of the
// variables named between backslashes and turns the escapes into characters and
// tag delimiters.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/api/fwd.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// Control bytes of expanded text: the layout reads 0x04 and 0x05 as the brackets
// of an inline tag.
inline constexpr char kTagOpen = '\x04';
inline constexpr char kTagClose = '\x05';

// Names of the declared local and global variables, appended as the script's
// declarations are loaded. A name may appear more than once; the lists are only
// ever appended to.
std::vector<std::string>& LocalVariableNames();
std::vector<std::string>& GlobalVariableNames();

// The source with, in this order: "\\" protected; "\name\" replaced by the value of
// each listed local that the local table holds, then of each listed global;
// "\"" -> '"'; "\n" -> line feed; '<' and '>' -> tag delimiters, while "\<" and
// "\>" stand for the characters themselves; the protected backslashes restored as
// one backslash each; tabs removed. Every pass works on whole Shift-JIS
// characters: the second byte of a two-byte character is never taken for a
// backslash or any other character of its own.
std::string ExpandVariables(const std::string& source, INovelEngine* engine);

// Replaces every occurrence of pattern in target from left to right, bytewise; the
// search resumes behind each inserted replacement.
void ReplaceAll(std::string& target, const std::string& pattern, const std::string& replacement);

// As ReplaceAll, but a match starts only at the beginning of a Shift-JIS character.
void ReplaceAllCharacters(std::string& target, const std::string& pattern,
                          const std::string& replacement);

// The decimal text of a value, with a minus sign when negative.
std::string IntToString(std::int32_t value);

}  // namespace nsWendrick
