#include "platform/font/face_table.h"

#include <cstddef>

#include "platform/text/cp932.h"

namespace platform {
namespace {

struct FaceAlias {
  const char* sjisFace;  // compiled to Shift-JIS like every literal of the system
  const char* family;
};

constexpr FaceAlias kFaceAliases[] = {
    {"ＭＳ ゴシック", "IPAGothic"},
    {"HG行書体", "IPAMincho"},
    {"HG創英角ﾎﾟｯﾌﾟ体", "IPAGothic"},
    {"Times New Roman", "DejaVu Serif"},
};

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal bytes, except that ASCII letters outside double-byte characters match
// without case.
bool SameFaceName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  bool trail = false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (trail) {
      if (a[i] != b[i]) return false;
      trail = false;
      continue;
    }
    trail = IsSjisLeadByte(a[i]);
    if (trail ? a[i] != b[i] : AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

const char* FixedFamilyFor(std::string_view sjisFace) {
  for (const FaceAlias& alias : kFaceAliases) {
    if (SameFaceName(sjisFace, alias.sjisFace)) return alias.family;
  }
  return nullptr;
}

}  // namespace platform
