#pragma once
// The script compiler's expression parser: C-like infix text into the postfix
// expression the engine evaluates. Integers (decimal or 0x hexadecimal, taken as
// 32-bit with wrap-around), names (letters, digits, '_', '@' and Shift-JIS
// characters), parentheses, unary - ~ ! +, and the binary operators with C's
// precedence: * / %, + -, < > <= >=, == !=, &, ^, |, &&, ||.

#include <string>

#include "engine/api/token_containers.h"

namespace nsScriptCompiler {

// Parses text into out (emptied first). False for a malformed expression.
bool ParseExpression(const std::string& text, nsTamskLib::Expression& out);

}  // namespace nsScriptCompiler
