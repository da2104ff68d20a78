#include "framework/file/user_format.h"

#include <cstdint>

namespace nsZarn::nsFile {
namespace {

enum class Size { Int, Short, Long, Int64 };

// One conversion of the format: its flags, width, precision and size prefix.
struct Conversion {
  bool leftAlign = false;
  bool zeroPad = false;
  bool alternate = false;
  std::size_t width = 0;
  bool hasPrecision = false;
  std::size_t precision = 0;
  Size size = Size::Int;
};

std::size_t ReadNumber(const char*& p) {
  std::size_t n = 0;
  while (*p >= '0' && *p <= '9') {
    if (n < 100000) n = n * 10 + static_cast<std::size_t>(*p - '0');
    ++p;
  }
  return n;
}

void Pad(std::string& out, const Conversion& conversion, const std::string& prefix, std::string body, bool numeric) {
  if (numeric && conversion.hasPrecision && body.size() < conversion.precision) {
    body.insert(0, conversion.precision - body.size(), '0');
  }
  const std::size_t length = prefix.size() + body.size();
  const std::size_t fill = conversion.width > length ? conversion.width - length : 0;
  if (conversion.leftAlign) {
    out += prefix + body;
    out.append(fill, ' ');
  } else if (conversion.zeroPad && numeric) {
    out += prefix;
    out.append(fill, '0');
    out += body;
  } else {
    out.append(fill, ' ');
    out += prefix + body;
  }
}

std::string Digits(std::uint64_t value, unsigned base, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string s;
  do {
    s.insert(s.begin(), digits[value % base]);
    value /= base;
  } while (value != 0);
  return s;
}

std::int64_t SignedArgument(Size size, std::va_list& args) {
  switch (size) {
    case Size::Int64: return va_arg(args, long long);
    case Size::Long: return va_arg(args, long);
    case Size::Short: return static_cast<short>(va_arg(args, int));
    case Size::Int: break;
  }
  return va_arg(args, int);
}

std::uint64_t UnsignedArgument(Size size, std::va_list& args) {
  switch (size) {
    case Size::Int64: return va_arg(args, unsigned long long);
    case Size::Long: return va_arg(args, unsigned long);
    case Size::Short: return static_cast<unsigned short>(va_arg(args, unsigned int));
    case Size::Int: break;
  }
  return va_arg(args, unsigned int);
}

}  // namespace

std::string FormatUserText(const char* format, std::va_list args) {
  std::string out;
  if (format == nullptr) return out;
  std::va_list ap;
  va_copy(ap, args);
  const char* p = format;
  while (*p != '\0' && out.size() < kUserFormatLimit) {
    if (*p != '%') {
      out += *p++;
      continue;
    }
    ++p;
    Conversion conversion;
    for (;; ++p) {
      if (*p == '-') conversion.leftAlign = true;
      else if (*p == '0') conversion.zeroPad = true;
      else if (*p == '#') conversion.alternate = true;
      else break;
    }
    conversion.width = ReadNumber(p);
    if (*p == '.') {
      ++p;
      conversion.hasPrecision = true;
      conversion.precision = ReadNumber(p);
    }
    if (*p == 'h') {
      conversion.size = Size::Short;
      ++p;
    } else if (*p == 'l') {
      conversion.size = Size::Long;
      ++p;
    } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
      conversion.size = Size::Int64;
      p += 3;
    }
    const char type = *p;
    if (type == '\0') break;
    ++p;
    switch (type) {
      case 'd':
      case 'i': {
        const std::int64_t v = SignedArgument(conversion.size, ap);
        const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
        Pad(out, conversion, v < 0 ? "-" : "", Digits(magnitude, 10, false), true);
        break;
      }
      case 'u': Pad(out, conversion, "", Digits(UnsignedArgument(conversion.size, ap), 10, false), true); break;
      case 'x':
      case 'X': {
        const std::uint64_t v = UnsignedArgument(conversion.size, ap);
        const std::string prefix = conversion.alternate && v != 0 ? (type == 'x' ? "0x" : "0X") : "";
        Pad(out, conversion, prefix, Digits(v, 16, type == 'X'), true);
        break;
      }
      case 'p': {
        const auto v = reinterpret_cast<std::uintptr_t>(va_arg(ap, void*));
        Conversion pointer = conversion;
        pointer.hasPrecision = true;
        pointer.precision = sizeof(void*) * 2;
        Pad(out, pointer, "", Digits(v, 16, true), true);
        break;
      }
      case 'c':
      case 'C': Pad(out, conversion, "", std::string(1, static_cast<char>(va_arg(ap, int))), false); break;
      case 's':
      case 'S': {
        const char* s = va_arg(ap, const char*);
        std::string text = s != nullptr ? s : "(null)";
        if (conversion.hasPrecision && text.size() > conversion.precision) text.resize(conversion.precision);
        Pad(out, conversion, "", text, false);
        break;
      }
      default: out += type; break;  // "%%" and unknown conversions print the character
    }
  }
  va_end(ap);
  if (out.size() > kUserFormatLimit) out.resize(kUserFormatLimit);
  return out;
}

}  // namespace nsZarn::nsFile
