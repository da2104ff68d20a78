#include "platform/graphics/bilinear_sampler.h"

#include <limits>

#include "platform/graphics/blend_rows.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VESK_HAVE_X86_SAMPLER 1
#endif

namespace platform {
namespace {

// Interpolates two channels held in the low bytes of each 16-bit half of a word:
// each horizontal sum stays below 2^16 per channel.
inline std::uint32_t LerpPair(std::uint32_t c00, std::uint32_t c10, std::uint32_t c01, std::uint32_t c11,
                              std::uint32_t wx, std::uint32_t wy) {
  const std::uint32_t ix = 256u - wx;
  const std::uint32_t iy = 256u - wy;
  const std::uint32_t top = c00 * ix + c10 * wx;
  const std::uint32_t bottom = c01 * ix + c11 * wx;
  const std::uint32_t low = ((top & 0xFFFFu) * iy + (bottom & 0xFFFFu) * wy + 32768u) >> 16;
  const std::uint32_t high = ((top >> 16) * iy + (bottom >> 16) * wy + 32768u) >> 16;
  return low | high << 16;
}

#ifdef VESK_HAVE_X86_SAMPLER
#define VESK_AVX2 __attribute__((target("avx2")))

VESK_AVX2 inline __m256i LerpPair8(__m256i c00, __m256i c10, __m256i c01, __m256i c11, __m256i wx, __m256i wy) {
  const __m256i c256 = _mm256_set1_epi32(256);
  const __m256i low16 = _mm256_set1_epi32(0xFFFF);
  const __m256i half = _mm256_set1_epi32(32768);
  const __m256i ix = _mm256_sub_epi32(c256, wx);
  const __m256i iy = _mm256_sub_epi32(c256, wy);
  const __m256i top = _mm256_add_epi32(_mm256_mullo_epi32(c00, ix), _mm256_mullo_epi32(c10, wx));
  const __m256i bottom = _mm256_add_epi32(_mm256_mullo_epi32(c01, ix), _mm256_mullo_epi32(c11, wx));
  const __m256i low = _mm256_srli_epi32(
      _mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi32(_mm256_and_si256(top, low16), iy),
                                        _mm256_mullo_epi32(_mm256_and_si256(bottom, low16), wy)),
                       half),
      16);
  const __m256i high = _mm256_srli_epi32(
      _mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi32(_mm256_srli_epi32(top, 16), iy),
                                        _mm256_mullo_epi32(_mm256_srli_epi32(bottom, 16), wy)),
                       half),
      16);
  return _mm256_or_si256(low, _mm256_slli_epi32(high, 16));
}

VESK_AVX2 inline __m256i ClampLanes(__m256i i, __m256i max) {
  return _mm256_min_epi32(_mm256_max_epi32(i, _mm256_setzero_si256()), max);
}

// Eight samples a step; positions in 32-bit lanes (the caller checked the range).
VESK_AVX2 void SampleEight(const std::uint32_t* base, int stride, int maxX, int maxY, std::int32_t u,
                           std::int32_t v, std::int32_t du, std::int32_t dv, int count, std::uint32_t* out) {
  const __m256i steps = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  __m256i us = _mm256_add_epi32(_mm256_set1_epi32(u), _mm256_mullo_epi32(steps, _mm256_set1_epi32(du)));
  __m256i vs = _mm256_add_epi32(_mm256_set1_epi32(v), _mm256_mullo_epi32(steps, _mm256_set1_epi32(dv)));
  const __m256i du8 = _mm256_set1_epi32(du * 8);
  const __m256i dv8 = _mm256_set1_epi32(dv * 8);
  const __m256i mx = _mm256_set1_epi32(maxX);
  const __m256i my = _mm256_set1_epi32(maxY);
  const __m256i one = _mm256_set1_epi32(1);
  const __m256i frac = _mm256_set1_epi32(0xFFFF);
  const __m256i round = _mm256_set1_epi32(128);
  const __m256i pairs = _mm256_set1_epi32(0x00FF00FF);
  const __m256i strideV = _mm256_set1_epi32(stride);
  const int* texels = reinterpret_cast<const int*>(base);
  for (int i = 0; i + 8 <= count; i += 8) {
    const __m256i iu = _mm256_srai_epi32(us, 16);
    const __m256i iv = _mm256_srai_epi32(vs, 16);
    const __m256i wx = _mm256_srli_epi32(_mm256_add_epi32(_mm256_and_si256(us, frac), round), 8);
    const __m256i wy = _mm256_srli_epi32(_mm256_add_epi32(_mm256_and_si256(vs, frac), round), 8);
    const __m256i xa = ClampLanes(iu, mx);
    const __m256i xb = ClampLanes(_mm256_add_epi32(iu, one), mx);
    const __m256i rowA = _mm256_mullo_epi32(ClampLanes(iv, my), strideV);
    const __m256i rowB = _mm256_mullo_epi32(ClampLanes(_mm256_add_epi32(iv, one), my), strideV);
    const __m256i c00 = _mm256_i32gather_epi32(texels, _mm256_add_epi32(rowA, xa), 4);
    const __m256i c10 = _mm256_i32gather_epi32(texels, _mm256_add_epi32(rowA, xb), 4);
    const __m256i c01 = _mm256_i32gather_epi32(texels, _mm256_add_epi32(rowB, xa), 4);
    const __m256i c11 = _mm256_i32gather_epi32(texels, _mm256_add_epi32(rowB, xb), 4);
    const __m256i rb = LerpPair8(_mm256_and_si256(c00, pairs), _mm256_and_si256(c10, pairs),
                                 _mm256_and_si256(c01, pairs), _mm256_and_si256(c11, pairs), wx, wy);
    const __m256i ag = LerpPair8(_mm256_and_si256(_mm256_srli_epi32(c00, 8), pairs),
                                 _mm256_and_si256(_mm256_srli_epi32(c10, 8), pairs),
                                 _mm256_and_si256(_mm256_srli_epi32(c01, 8), pairs),
                                 _mm256_and_si256(_mm256_srli_epi32(c11, 8), pairs), wx, wy);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_or_si256(rb, _mm256_slli_epi32(ag, 8)));
    us = _mm256_add_epi32(us, du8);
    vs = _mm256_add_epi32(vs, dv8);
  }
}
#endif  // VESK_HAVE_X86_SAMPLER

bool FitsInt32(std::int64_t v) {
  return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

BilinearSampler::BilinearSampler(const Texture& texture, const SourceRect& source)
    : m_Texture(texture),
      m_Left(source.left),
      m_Top(source.top),
      m_MaxX(source.right - source.left - 1),
      m_MaxY(source.bottom - source.top - 1),
      m_Inside(source.left >= 0 && source.top >= 0 && source.right <= texture.Width() &&
               source.bottom <= texture.Height()) {}

std::uint32_t BilinearSampler::Sample(std::int64_t u, std::int64_t v) const {
  const std::int64_t iu = u >> 16;  // floor
  const std::int64_t iv = v >> 16;
  const auto wx = static_cast<std::uint32_t>(((u & 0xFFFF) + 128) >> 8);  // 0..256
  const auto wy = static_cast<std::uint32_t>(((v & 0xFFFF) + 128) >> 8);
  const int xa = Clamp(iu, m_MaxX);
  const int xb = Clamp(iu + 1, m_MaxX);
  const int ya = Clamp(iv, m_MaxY);
  const int yb = Clamp(iv + 1, m_MaxY);
  std::uint32_t c00, c10, c01, c11;
  if (m_Inside) {
    const std::uint32_t* rowA = m_Texture.Row(m_Top + ya) + m_Left;
    const std::uint32_t* rowB = m_Texture.Row(m_Top + yb) + m_Left;
    c00 = rowA[xa];
    c10 = rowA[xb];
    c01 = rowB[xa];
    c11 = rowB[xb];
  } else {
    c00 = m_Texture.At(m_Left + xa, m_Top + ya);
    c10 = m_Texture.At(m_Left + xb, m_Top + ya);
    c01 = m_Texture.At(m_Left + xa, m_Top + yb);
    c11 = m_Texture.At(m_Left + xb, m_Top + yb);
  }
  // Four equal texels give that texel exactly; the arithmetic below agrees.
  if (c00 == c10 && c00 == c01 && c00 == c11) return c00;
  constexpr std::uint32_t kPairs = 0x00FF00FFu;
  const std::uint32_t rb = LerpPair(c00 & kPairs, c10 & kPairs, c01 & kPairs, c11 & kPairs, wx, wy);
  const std::uint32_t ag =
      LerpPair((c00 >> 8) & kPairs, (c10 >> 8) & kPairs, (c01 >> 8) & kPairs, (c11 >> 8) & kPairs, wx, wy);
  return rb | ag << 8;
}

void BilinearSampler::SampleRunPlain(std::int64_t u, std::int64_t v, std::int64_t du, std::int64_t dv, int count,
                                     std::uint32_t* out) const {
  for (int i = 0; i < count; ++i) {
    out[i] = Sample(u, v);
    u += du;
    v += dv;
  }
}

void BilinearSampler::SampleRun(std::int64_t u, std::int64_t v, std::int64_t du, std::int64_t dv, int count,
                                std::uint32_t* out) const {
  if (!SampleRunAvx2(u, v, du, dv, count, out)) SampleRunPlain(u, v, du, dv, count, out);
}

bool BilinearSampler::SampleRunAvx2(std::int64_t u, std::int64_t v, std::int64_t du, std::int64_t dv, int count,
                                    std::uint32_t* out) const {
#ifdef VESK_HAVE_X86_SAMPLER
  // Needs every position of the run, every step of eight and every texel index
  // in 32-bit lanes.
  if (!RowBlendersUseAvx2() || !m_Inside || count < 8) return false;
  const std::int64_t last = count - 1;
  const std::int64_t end = count + 8;
  if (!FitsInt32(u) || !FitsInt32(v) || !FitsInt32(u + du * end) || !FitsInt32(v + dv * end) ||
      !FitsInt32(du * 8) || !FitsInt32(dv * 8) || !FitsInt32(u + du * last) || !FitsInt32(v + dv * last)) {
    return false;
  }
  const std::int64_t stride = m_Texture.Width();
  if (static_cast<std::int64_t>(m_MaxY + 1) * stride + m_MaxX + 1 > std::numeric_limits<std::int32_t>::max()) {
    return false;
  }
  const int whole = count / 8 * 8;
  SampleEight(m_Texture.Row(m_Top) + m_Left, static_cast<int>(stride), m_MaxX, m_MaxY, static_cast<std::int32_t>(u),
              static_cast<std::int32_t>(v), static_cast<std::int32_t>(du), static_cast<std::int32_t>(dv), whole,
              out);
  SampleRunPlain(u + du * whole, v + dv * whole, du, dv, count - whole, out + whole);
  return true;
#else
  (void)u, (void)v, (void)du, (void)dv, (void)count, (void)out;
  return false;
#endif
}

}  // namespace platform
