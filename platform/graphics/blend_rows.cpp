#include "platform/graphics/blend_rows.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VESK_HAVE_X86_KERNELS 1
#endif

namespace platform {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kAlphaMask = 0xFF000000u;

inline std::uint32_t Mul8(std::uint32_t a, std::uint32_t b) { return (a * b + 127u) / 255u; }
inline std::uint32_t Channel(std::uint32_t c, int shift) { return (c >> shift) & 0xFFu; }

inline std::uint32_t Modulate(std::uint32_t s, std::uint32_t colour) {
  if (colour == kWhite) return s;
  return Mul8(Channel(s, 24), Channel(colour, 24)) << 24 |
         Mul8(Channel(s, 16), Channel(colour, 16)) << 16 |
         Mul8(Channel(s, 8), Channel(colour, 8)) << 8 | Mul8(Channel(s, 0), Channel(colour, 0));
}

void PlainAlpha(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t colour) {
  for (int i = 0; i < count; ++i) {
    const std::uint32_t s = Modulate(src[i], colour);
    const std::uint32_t a = s >> 24;
    if (a == 0) continue;  // the same result as blending, for free
    if (a == 255) {
      dst[i] = s | kAlphaMask;
      continue;
    }
    const std::uint32_t d = dst[i];
    std::uint32_t out = kAlphaMask;
    for (int shift = 0; shift < 24; shift += 8) {
      const std::uint32_t v = (Channel(s, shift) * a + Channel(d, shift) * (255u - a) + 127u) / 255u;
      out |= v << shift;
    }
    dst[i] = out;
  }
}

// Additive and subtractive blending differ only in how the weighted source
// channel meets the frame's: added up to 255, or taken away down to 0.
template <bool kAdd>
void PlainAddOrSubtract(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t colour) {
  for (int i = 0; i < count; ++i) {
    const std::uint32_t s = Modulate(src[i], colour);
    const std::uint32_t a = s >> 24;
    if (a == 0) continue;
    const std::uint32_t d = dst[i];
    std::uint32_t out = kAlphaMask;
    for (int shift = 0; shift < 24; shift += 8) {
      const std::uint32_t dc = Channel(d, shift);
      const std::uint32_t m = Mul8(Channel(s, shift), a);
      out |= (kAdd ? std::min(255u, dc + m) : (dc > m ? dc - m : 0u)) << shift;
    }
    dst[i] = out;
  }
}

constexpr RowBlender PlainAdd = PlainAddOrSubtract<true>;
constexpr RowBlender PlainSubtract = PlainAddOrSubtract<false>;

#ifdef VESK_HAVE_X86_KERNELS

// Eight pixels at a time in 16-bit lanes. Every intermediate value stays below
// 65,408, so (x + 1 + (x >> 8)) >> 8 is exactly x / 255.
#define VESK_AVX2 __attribute__((target("avx2")))

VESK_AVX2 inline __m256i Div255(__m256i x) {
  const __m256i one = _mm256_set1_epi16(1);
  return _mm256_srli_epi16(_mm256_add_epi16(_mm256_add_epi16(x, one), _mm256_srli_epi16(x, 8)), 8);
}

// mul8 of two vectors of 16-bit channels.
VESK_AVX2 inline __m256i Mul8x16(__m256i a, __m256i b) {
  return Div255(_mm256_add_epi16(_mm256_mullo_epi16(a, b), _mm256_set1_epi16(127)));
}

// Copies the alpha channel of each pixel into its four 16-bit lanes.
VESK_AVX2 inline __m256i BroadcastAlpha(__m256i px16) {
  return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(px16, 0xFF), 0xFF);
}

VESK_AVX2 inline __m256i ColourLanes(std::uint32_t colour) {
  const __m128i c = _mm_cvtsi32_si128(static_cast<int>(colour));
  const __m128i c16 = _mm_unpacklo_epi8(c, _mm_setzero_si128());
  return _mm256_broadcastq_epi64(c16);
}

// Modulates two halves (16-bit lanes) of eight source pixels by the colour.
VESK_AVX2 inline void ModulateHalves(__m256i& lo, __m256i& hi, __m256i colour16) {
  lo = Mul8x16(lo, colour16);
  hi = Mul8x16(hi, colour16);
}

enum class Kind { Alpha, Add, Subtract };

template <Kind kKind, bool kModulate>
VESK_AVX2 void Avx2Row(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t colour) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(kAlphaMask));
  const __m256i c255 = _mm256_set1_epi16(255);
  const __m256i colour16 = ColourLanes(colour);
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
    if (!kModulate) {
      // Exact shortcuts: eight transparent pixels leave the frame alone, eight
      // opaque ones are a copy (alpha blending only).
      if (_mm256_testz_si256(s, alphaMask)) continue;
      if (kKind == Kind::Alpha &&
          _mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_and_si256(s, alphaMask), alphaMask)) == -1) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), s);
        continue;
      }
    }
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
    __m256i sLo = _mm256_unpacklo_epi8(s, zero);
    __m256i sHi = _mm256_unpackhi_epi8(s, zero);
    if (kModulate) ModulateHalves(sLo, sHi, colour16);
    const __m256i aLo = BroadcastAlpha(sLo);
    const __m256i aHi = BroadcastAlpha(sHi);
    __m256i out;
    if (kKind == Kind::Alpha) {
      const __m256i dLo = _mm256_unpacklo_epi8(d, zero);
      const __m256i dHi = _mm256_unpackhi_epi8(d, zero);
      const __m256i bias = _mm256_set1_epi16(127);
      const __m256i rLo = Div255(_mm256_add_epi16(
          _mm256_add_epi16(_mm256_mullo_epi16(sLo, aLo), _mm256_mullo_epi16(dLo, _mm256_sub_epi16(c255, aLo))),
          bias));
      const __m256i rHi = Div255(_mm256_add_epi16(
          _mm256_add_epi16(_mm256_mullo_epi16(sHi, aHi), _mm256_mullo_epi16(dHi, _mm256_sub_epi16(c255, aHi))),
          bias));
      out = _mm256_packus_epi16(rLo, rHi);
    } else {
      const __m256i m = _mm256_packus_epi16(Mul8x16(sLo, aLo), Mul8x16(sHi, aHi));
      out = kKind == Kind::Add ? _mm256_adds_epu8(d, m) : _mm256_subs_epu8(d, m);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), _mm256_or_si256(out, alphaMask));
  }
  if (i < count) {
    const int rest = count - i;
    if (kKind == Kind::Alpha) PlainAlpha(dst + i, src + i, rest, colour);
    if (kKind == Kind::Add) PlainAdd(dst + i, src + i, rest, colour);
    if (kKind == Kind::Subtract) PlainSubtract(dst + i, src + i, rest, colour);
  }
}

template <Kind kKind>
void Avx2Blend(std::uint32_t* dst, const std::uint32_t* src, int count, std::uint32_t colour) {
  if (colour == kWhite) {
    Avx2Row<kKind, false>(dst, src, count, colour);
  } else {
    Avx2Row<kKind, true>(dst, src, count, colour);
  }
}

bool CpuHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}

#endif  // VESK_HAVE_X86_KERNELS

const RowBlenders kPlain{PlainAlpha, PlainAdd, PlainSubtract};

}  // namespace

const RowBlenders& PlainRowBlenders() { return kPlain; }

bool RowBlendersUseAvx2() {
#ifdef VESK_HAVE_X86_KERNELS
  static const bool has = CpuHasAvx2();
  return has;
#else
  return false;
#endif
}

const RowBlenders& ActiveRowBlenders() {
#ifdef VESK_HAVE_X86_KERNELS
  static const RowBlenders avx2{Avx2Blend<Kind::Alpha>, Avx2Blend<Kind::Add>, Avx2Blend<Kind::Subtract>};
  if (RowBlendersUseAvx2()) return avx2;
#endif
  return kPlain;
}

}  // namespace platform
