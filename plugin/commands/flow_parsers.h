#pragma once
// The script parsers of the flow commands, for a script compiler host. Each takes
// the index of its statement's keyword token and returns the number of tokens it
// used, or -1 after printing an error through the compiler's error output.
//
// The block statements count commands, that is keyword tokens, between their
// braces or loop partners, and store the offsets the commands move by at run time.

#include "plugin/commands/keyword_list.h"

namespace nsWendrick {

int ParseIf(unsigned keyword);
// "else" has a parser and a keyword but no command class.
int ParseElse(unsigned keyword);
KeywordList ElseKeywords();
int ParseEnd(unsigned keyword);
int ParseSet(unsigned keyword);
int ParseCalc(unsigned keyword);
int ParseGoto(unsigned keyword);
int ParseWait(unsigned keyword);
int ParseGosub(unsigned keyword);
int ParseReturn(unsigned keyword);
int ParseJump(unsigned keyword);
int ParseRand(unsigned keyword);
// beginloop and endloop.
int ParseLoop(unsigned keyword);
int ParseBreak(unsigned keyword);
int ParseLoadObject(unsigned keyword);
int ParseGotod(unsigned keyword);
int ParseGosubd(unsigned keyword);

}  // namespace nsWendrick
