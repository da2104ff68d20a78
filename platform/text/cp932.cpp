#include "platform/text/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <functional>

namespace platform {
namespace {

enum Direction { kCp932ToUtf8, kUtf8ToCp932, kCp932ToUtf32, kUtf32ToCp932, kDirectionCount };

struct Encodings {
  const char* to;
  const char* from;
};
constexpr Encodings kEncodings[kDirectionCount] = {
    {"UTF-8", "CP932"}, {"CP932", "UTF-8"}, {"UTF-32LE", "CP932"}, {"CP932", "UTF-32LE"}};

// One iconv conversion descriptor per direction and thread: iconv_t keeps shift
// state, so it must not be shared between threads. The handles are plain values
// that stay readable for the thread's whole life; the closer closes them when the
// thread (or the program) ends and marks them closed, so that a conversion made
// later, from a destructor, uses a descriptor of its own instead of a closed one.
thread_local iconv_t t_Handles[kDirectionCount] = {};
thread_local bool t_HandlesClosed = false;

class HandleCloser {
 public:
  HandleCloser() = default;
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;
  ~HandleCloser() {
    for (iconv_t& handle : t_Handles) {
      if (handle != nullptr) iconv_close(handle);
      handle = nullptr;
    }
    t_HandlesClosed = true;
  }
};

iconv_t OpenHandle(Direction direction) {
  const iconv_t handle = iconv_open(kEncodings[direction].to, kEncodings[direction].from);
  return handle == reinterpret_cast<iconv_t>(-1) ? nullptr : handle;
}

// The thread's descriptor for the direction, or null when it cannot be opened.
iconv_t ThreadHandle(Direction direction) {
  thread_local HandleCloser closer;
  if (t_Handles[direction] == nullptr) t_Handles[direction] = OpenHandle(direction);
  return t_Handles[direction];
}

// Converts the whole input. Where the input cannot be converted, skipLength tells
// how many input bytes to drop (0 drops the rest) and the replacement is written.
std::string ConvertWith(iconv_t handle, std::string_view input,
                        const std::function<std::size_t(std::string_view rest)>& skipLength,
                        std::string_view replacement) {
  std::string out;
  if (handle == nullptr) return out;
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  std::string buffer(input.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t rc = iconv(handle, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer.data(), buffer.size() - outLeft);
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: an invalid or unmappable sequence at 'in'.
    const std::size_t skip = skipLength(std::string_view(in, inLeft));
    if (skip == 0 || skip >= inLeft) {
      if (skip != 0) out.append(replacement);
      break;
    }
    out.append(replacement);
    in += skip;
    inLeft -= skip;
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

std::string Convert(Direction direction, std::string_view input,
                    const std::function<std::size_t(std::string_view rest)>& skipLength,
                    std::string_view replacement) {
  if (!t_HandlesClosed) return ConvertWith(ThreadHandle(direction), input, skipLength, replacement);
  const iconv_t own = OpenHandle(direction);
  std::string out = ConvertWith(own, input, skipLength, replacement);
  if (own != nullptr) iconv_close(own);
  return out;
}

// A bad CP932 character: a lead byte takes its next byte with it; a lead byte as
// the last byte ends the text.
std::size_t SkipCp932(std::string_view rest) {
  if (IsSjisLeadByte(rest[0])) return rest.size() >= 2 ? 2 : 0;
  return 1;
}

// A bad or unmappable UTF-8 sequence: the whole sequence when it is well formed,
// else the one byte.
std::size_t SkipUtf8(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (length > rest.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

std::size_t SkipUtf32(std::string_view rest) { return rest.size() >= 4 ? 4 : rest.size(); }

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";
constexpr std::string_view kUtf32Replacement{"\xFD\xFF\x00\x00", 4};

std::u32string DecodeUtf32Le(const std::string& bytes) {
  std::u32string out;
  out.reserve(bytes.size() / 4);
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k])); };
    out.push_back(b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
  }
  return out;
}

}  // namespace

std::size_t SjisCharLength(std::string_view text, std::size_t pos) {
  if (pos >= text.size() || text[pos] == '\0') return 0;
  if (IsSjisLeadByte(text[pos])) return pos + 1 < text.size() ? 2 : 0;
  return 1;
}

std::uint16_t SjisCharCode(std::string_view text, std::size_t pos) {
  const std::size_t length = SjisCharLength(text, pos);
  if (length == 0) return 0;
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (length == 1) return lead;
  return static_cast<std::uint16_t>(lead * 256u + static_cast<unsigned char>(text[pos + 1]));
}

std::size_t SjisFind(std::string_view text, char ascii, std::size_t from) {
  std::size_t pos = from;
  while (pos < text.size()) {
    if (IsSjisLeadByte(text[pos])) {
      if (pos + 1 >= text.size()) break;
      pos += 2;
      continue;
    }
    if (text[pos] == ascii) return pos;
    ++pos;
  }
  return std::string_view::npos;
}

std::size_t SjisFindLast(std::string_view text, char ascii) {
  std::size_t found = std::string_view::npos;
  for (std::size_t pos = SjisFind(text, ascii); pos != std::string_view::npos;
       pos = SjisFind(text, ascii, pos + 1)) {
    found = pos;
  }
  return found;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  return Convert(kCp932ToUtf8, cp932, SkipCp932, kUtf8Replacement);
}

std::string Utf8ToCp932(std::string_view utf8) { return Convert(kUtf8ToCp932, utf8, SkipUtf8, "?"); }

std::u32string Cp932ToUcs4(std::string_view cp932) {
  return DecodeUtf32Le(Convert(kCp932ToUtf32, cp932, SkipCp932, kUtf32Replacement));
}

std::string Ucs4ToCp932(std::u32string_view ucs4) {
  std::string bytes;
  bytes.reserve(ucs4.size() * 4);
  for (const char32_t c : ucs4) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((c >> shift) & 0xFF));
  }
  return Convert(kUtf32ToCp932, bytes, SkipUtf32, "?");
}

char32_t Cp932CodeToUcs4(std::uint16_t code) {
  std::string bytes;
  if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
  bytes.push_back(static_cast<char>(code & 0xFF));
  if (bytes.size() == 1 && IsSjisLeadByte(bytes[0])) return 0;
  if (!IsValidCp932(bytes)) return 0;
  const std::u32string ucs4 = Cp932ToUcs4(bytes);
  return ucs4.size() == 1 ? ucs4[0] : 0;
}

bool IsValidCp932(std::string_view cp932) {
  bool valid = true;
  Convert(
      kCp932ToUtf8, cp932,
      [&valid](std::string_view) {
        valid = false;
        return std::size_t{0};
      },
      "");
  return valid;
}

}  // namespace platform
