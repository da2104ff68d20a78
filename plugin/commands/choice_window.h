#pragma once
// What the two choice commands, select and the timed selectl, share: the choices
// at the head of their statements, their stored form, and the choice window laid
// out from them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/api/fwd.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/core/engine_names.h"

namespace nsTamskLib { struct CommandParam; }

namespace nsWendrick {

// The most choices a statement may give.
inline constexpr std::size_t kMaxChoices = 10;

// Reads the `string ","` choices after the keyword token and checks that `end`
// follows them: Int[0] is the count and Str[1..count] the choices; at is left at
// the first token of `end`. Returns the count, or -1 after the error (more than
// kMaxChoices, none, or another end).
int ParseChoices(std::uint32_t keyword, const SyntaxPattern& end, std::uint32_t& at,
                 CommandParam& param);

// The choices of parse results: Str[1..Int[0]], at most kMaxChoices.
std::vector<std::string> ChoicesOf(const CommandParam& param);

// The count and the choices, as a compiled script and a save slot hold them.
void SaveChoices(IIOStream* stream, const std::vector<std::string>& choices);
// Stops the program at a count of none (the script would wait forever) or one no
// file can sensibly hold.
std::vector<std::string> LoadChoices(IIOStream* stream);

// Lays out each choice in the choice window's font and the choice style, and opens
// the window for the variable.
void StartChoiceWindow(INovelEngine* engine, const std::string& variable,
                       const std::vector<std::string>& choices);

}  // namespace nsWendrick
