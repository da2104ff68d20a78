#pragma once
// Bilinear sampling of a source rectangle for transformed sprites. Positions are
// 16.16 fixed point in source-local texels minus 0.5 (so that texel centres fall
// on whole numbers); the weights have 8 bits; both neighbours are clamped into the
// source rectangle, and texels of the rectangle outside the texture read as 0.
//
// For each channel c, with wx, wy in 0..256:
//   top    = c00 * (256 - wx) + c10 * wx
//   bottom = c01 * (256 - wx) + c11 * wx
//   c      = (top * (256 - wy) + bottom * wy + 32768) >> 16
//
// A whole run of pixels is sampled at once, stepping the position by (du, dv).
// Processors with AVX2 sample eight pixels at a time, with exactly the same result.

#include <cstdint>

#include "platform/graphics/compositor.h"
#include "platform/graphics/texture.h"

namespace platform {

class BilinearSampler {
 public:
  BilinearSampler(const Texture& texture, const SourceRect& source);

  // One sample.
  std::uint32_t Sample(std::int64_t u, std::int64_t v) const;
  // count samples from (u, v), stepping by (du, dv), into out.
  void SampleRun(std::int64_t u, std::int64_t v, std::int64_t du, std::int64_t dv, int count,
                 std::uint32_t* out) const;
  // The same without the AVX2 loop (the reference for tests).
  void SampleRunPlain(std::int64_t u, std::int64_t v, std::int64_t du, std::int64_t dv, int count,
                      std::uint32_t* out) const;

 private:
  static int Clamp(std::int64_t i, int max) { return static_cast<int>(i < 0 ? 0 : (i > max ? max : i)); }
  bool SampleRunAvx2(std::int64_t u, std::int64_t v, std::int64_t du, std::int64_t dv, int count,
                     std::uint32_t* out) const;

  const Texture& m_Texture;
  int m_Left;
  int m_Top;
  int m_MaxX;
  int m_MaxY;
  bool m_Inside;  // the source rectangle lies within the texture
};

}  // namespace platform
