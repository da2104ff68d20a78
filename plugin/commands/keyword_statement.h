#pragma once
// Parsing of statements whose form depends on the keyword: each keyword of a class
// has exactly one form, its kind, an optional fixed name ahead of the statement's
// strings (the "all" keywords take "/") and an optional second integer (an
// alignment keyword's value). A keyword written in another form, even one that
// another keyword of the class takes, is a syntax error.

#include <cstdint>
#include <span>

#include "engine/api/plugin_api.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

struct KeywordStatement {
  const char* keyword;
  std::int32_t kind;
  SyntaxPattern form;  // the tokens after the keyword
  const char* fixedName = nullptr;
  std::int32_t extra = 0;  // goes into Int[1]
};

// The keyword's entry, or null when the token is none of them.
const KeywordStatement* FindKeywordStatement(std::uint32_t keyword,
                                             std::span<const KeywordStatement> statements);

// The keyword of the first statement of the kind, as a dump writes it back; null
// when no statement has the kind.
const char* KeywordOfKind(std::int32_t kind, std::span<const KeywordStatement> statements);

// Matches the statement at the keyword token against its keyword's own form and
// fills param in the statement's order: Int[0] (kind), Int[1] (extra), the fixed
// name and the strings into Str, the arguments into Expr. Null after the syntax
// error (or without the compiler host's parser services).
const KeywordStatement* MatchKeywordStatement(std::uint32_t keyword,
                                              std::span<const KeywordStatement> statements,
                                              CommandParam& param);

// MatchKeywordStatement, then hands a new command from the factory, with the
// filled parameters, to the compiler host. Returns 1 + the form's length, or -1 after the
// syntax error.
int ParseKeywordStatement(std::uint32_t keyword, std::span<const KeywordStatement> statements,
                          nsTamskLib::CmdFactory factory);

}  // namespace nsWendrick
