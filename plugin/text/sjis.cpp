#include "plugin/text/sjis.h"

namespace nsWendrick {

std::int32_t CharacterCodeAt(const char* text, std::size_t* length) {
  const auto first = static_cast<unsigned char>(text[0]);
  if (IsSjisLeadByte(first)) {
    const auto second = static_cast<unsigned char>(text[1]);
    if (second == 0) {
      *length = 0;
      return 0;
    }
    *length = 2;
    return static_cast<std::int32_t>(first) * 256 + static_cast<std::int32_t>(second);
  }
  *length = 1;
  return static_cast<std::int32_t>(static_cast<std::int8_t>(first));
}

}  // namespace nsWendrick
