#include "plugin/core/random.h"

namespace nsWendrick {
namespace {

// A linear congruential generator with the classic constants; the state starts as
// the C library's does before any seeding.
constinit std::uint32_t g_RandomState = 1;

}  // namespace

void SeedRandom(std::uint32_t seed) { g_RandomState = seed; }

std::int32_t NextRandom() {
  g_RandomState = g_RandomState * 214013u + 2531011u;
  return static_cast<std::int32_t>((g_RandomState >> 16) & 0x7FFFu);
}

}  // namespace nsWendrick
