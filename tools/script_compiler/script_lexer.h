#pragma once
// The script compiler's lexer: splits Shift-JIS script text into the tokens the
// parsers see. A word at the start of a statement is a keyword (or, followed by
// ':', a label definition); string literals keep their bodies verbatim; the
// punctuation is ", ; { } =" and the assignment operators "+= -= *= /= %= |= &= ^=";
// everything else up to the next of these is one argument (an expression).

#include <cstdint>
#include <string>
#include <vector>

namespace nsScriptCompiler {

enum class LexKind {
  kWord,        // the first word of a statement
  kLabel,       // a label definition "name:"
  kString,      // a string literal, without its quotes
  kPunct,       // , ; { } =
  kAssign,      // += -= *= /= %= |= &= ^=
  kArgument,    // an expression
};

struct LexToken {
  LexKind kind;
  std::string text;
  std::int32_t line;
};

struct LexResult {
  std::vector<LexToken> tokens;
  // The first lexical error, empty when none ("エラー（%4d行目）：..." form).
  std::string error;
};

// Splits the Shift-JIS source. Lines count line feeds, from 1.
LexResult Lex(const std::string& source);

}  // namespace nsScriptCompiler
