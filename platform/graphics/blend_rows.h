#pragma once
// The compositor's inner loops: blend one row of source pixels onto one row of the
// frame. Source pixels are straight ARGB; each is first modulated by a colour
// (channel by channel, mul8), then blended with the frame pixel by one of three
// equations. Frame pixels keep alpha 0xFF.
//
//   mul8(a, b) = (a * b + 127) / 255
//   alpha:     d = (s * a + d * (255 - a) + 127) / 255
//   add:       d = min(255, d + mul8(s, a))
//   subtract:  d = max(0, d - mul8(s, a))
//
// There is a plain version and, on x86-64 processors that have it, an AVX2 version
// chosen at run time; both give exactly the same pixels.

#include <cstdint>

namespace platform {

enum class BlendMode { Alpha, Add, Subtract };

using RowBlender = void (*)(std::uint32_t* dst, const std::uint32_t* src, int count,
                            std::uint32_t colour);

struct RowBlenders {
  RowBlender alpha;
  RowBlender add;
  RowBlender subtract;

  RowBlender For(BlendMode mode) const {
    switch (mode) {
      case BlendMode::Add: return add;
      case BlendMode::Subtract: return subtract;
      case BlendMode::Alpha: break;
    }
    return alpha;
  }
};

// The plain loops, the reference for every other version.
const RowBlenders& PlainRowBlenders();
// The fastest loops this processor runs.
const RowBlenders& ActiveRowBlenders();
// Whether ActiveRowBlenders() uses AVX2.
bool RowBlendersUseAvx2();

}  // namespace platform
