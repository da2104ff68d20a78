#pragma once
// The script parsers of the flow commands, for a script compiler host: the static
// Parse of each flow class (flow_commands.h) is defined in flow_parsers.cpp with the
// forms it takes, and "else", which has a parser and a keyword but no command class,
// is declared here. Each takes the index of its statement's keyword token and
// returns the number of tokens it used, or -1 after printing an error through the
// compiler's error output.
//
// The block statements count commands, that is keyword tokens, between their
// braces or loop partners, and store the offsets the commands move by at run time.

#include "plugin/commands/keyword_list.h"

namespace nsWendrick {

int ParseElse(unsigned keyword);
KeywordList ElseKeywords();

}  // namespace nsWendrick
