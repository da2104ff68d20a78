#pragma once
// Text formatting with the rules of the Windows user-interface formatter that the
// file writer's fprintf is defined by: the conversions c, d, i, u, x, X, p, s and
// %%, with the flags '-', '0' and '#', a width, a precision, and the size prefixes
// h, l and I64; no floating point and no '*'. The result holds at most 1,023
// characters (the formatter's 1,024-byte buffer with its terminator).

#include <cstdarg>
#include <cstddef>
#include <string>

namespace nsZarn::nsFile {

constexpr std::size_t kUserFormatLimit = 1023;

std::string FormatUserText(const char* format, std::va_list args);

}  // namespace nsZarn::nsFile
