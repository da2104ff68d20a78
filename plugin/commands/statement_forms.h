#pragma once
// The script forms of every command type: the patterns a statement's tokens after
// its keyword may take, in the order its parser tries them. Which form a keyword
// may use, and what each argument means, is the command's own business.
//
// Two kinds of statement have no fixed forms: "else" (type 7), which only looks at
// the braces around it, and the choice statements "select" and "selectl" (types 10
// and 49), whose parsers count their texts themselves.

#include <cstdint>
#include <span>

#include "plugin/commands/parser_frame.h"

namespace nsWendrick {

// The forms of a command type; empty for a type without fixed forms or unknown.
std::span<const SyntaxPattern> StatementForms(std::uint32_t type);

}  // namespace nsWendrick
