#include "platform/graphics/compositor.h"

#include "platform/graphics/bilinear_sampler.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {
namespace {

constexpr std::uint32_t kAlphaMask = 0xFF000000u;

bool IsWholeNumber(double v) { return v == std::floor(v) && std::fabs(v) < 1e9; }

// Whole-pixel placement: each texel lands on exactly one frame pixel.
void DrawTranslated(Texture& frame, const Texture& texture, const SourceRect& source, int x, int y,
                    std::uint32_t colour, RowBlender blend) {
  // Texels outside the texture are transparent, so they are clipped like the frame.
  const int left = std::max(source.left, 0);
  const int top = std::max(source.top, 0);
  const int right = std::min(source.right, texture.Width());
  const int bottom = std::min(source.bottom, texture.Height());
  // Frame coordinates of the visible texels.
  int x0 = x + (left - source.left);
  int y0 = y + (top - source.top);
  int x1 = x0 + (right - left);
  int y1 = y0 + (bottom - top);
  const int cx0 = std::max(x0, 0);
  const int cy0 = std::max(y0, 0);
  const int cx1 = std::min(x1, frame.Width());
  const int cy1 = std::min(y1, frame.Height());
  if (cx0 >= cx1 || cy0 >= cy1) return;
  const int u0 = left + (cx0 - x0);
  const int v0 = top + (cy0 - y0);
  for (int row = cy0; row < cy1; ++row) {
    blend(frame.Row(row) + cx0, texture.Row(v0 + (row - cy0)) + u0, cx1 - cx0, colour);
  }
}

// Any other transform: scan the covered pixels of each frame row and sample.
void DrawTransformed(Texture& frame, const Texture& texture, const SourceRect& source, const Affine& m,
                     std::uint32_t colour, RowBlender blend) {
  const double det = m.m11 * m.m22 - m.m12 * m.m21;
  if (!(std::fabs(det) > 1e-12) || !std::isfinite(det)) return;
  const double w = source.right - source.left;
  const double h = source.bottom - source.top;

  // Bounding box of the transformed rectangle, clipped to the frame.
  const double xs[4] = {0.0, w, 0.0, w};
  const double ys[4] = {0.0, 0.0, h, h};
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (int i = 0; i < 4; ++i) {
    const double fx = xs[i] * m.m11 + ys[i] * m.m21 + m.dx;
    const double fy = xs[i] * m.m12 + ys[i] * m.m22 + m.dy;
    minX = std::min(minX, fx);
    maxX = std::max(maxX, fx);
    minY = std::min(minY, fy);
    maxY = std::max(maxY, fy);
  }
  if (!std::isfinite(minX) || !std::isfinite(maxX) || !std::isfinite(minY) || !std::isfinite(maxY)) return;
  const double frameW = frame.Width();
  const double frameH = frame.Height();
  const int bx0 = static_cast<int>(std::clamp(std::floor(minX), 0.0, frameW));
  const int by0 = static_cast<int>(std::clamp(std::floor(minY), 0.0, frameH));
  const int bx1 = static_cast<int>(std::clamp(std::ceil(maxX), 0.0, frameW));
  const int by1 = static_cast<int>(std::clamp(std::ceil(maxY), 0.0, frameH));
  if (bx0 >= bx1 || by0 >= by1) return;

  // Inverse transform: u = (X - dx) * i11 + (Y - dy) * i21, v = (X - dx) * i12 + (Y - dy) * i22.
  const double i11 = m.m22 / det;
  const double i12 = -m.m12 / det;
  const double i21 = -m.m21 / det;
  const double i22 = m.m11 / det;
  // A sprite shrunk below a ten-millionth of a texel per pixel covers nothing
  // visible; refusing it keeps the fixed-point positions far from overflow.
  constexpr double kMaxTexelsPerPixel = 1e7;
  if (!(std::fabs(i11) + std::fabs(i12) + std::fabs(i21) + std::fabs(i22) <= kMaxTexelsPerPixel)) return;
  auto mapU = [&](double px, double py) { return (px - m.dx) * i11 + (py - m.dy) * i21; };
  auto mapV = [&](double px, double py) { return (px - m.dx) * i12 + (py - m.dy) * i22; };

  const BilinearSampler sampler(texture, source);
  // A one-texel source (a filled rectangle) samples the same value everywhere.
  const bool constant = w == 1.0 && h == 1.0;
  const std::uint32_t constantTexel = constant ? texture.At(source.left, source.top) : 0u;
  if (constant && (constantTexel & kAlphaMask) == 0) return;

  std::vector<std::uint32_t> span(static_cast<std::size_t>(bx1 - bx0));
  for (int row = by0; row < by1; ++row) {
    const double py = row + 0.5;
    auto inside = [&](int col) {
      const double u = mapU(col + 0.5, py);
      const double v = mapV(col + 0.5, py);
      return u >= 0.0 && u < w && v >= 0.0 && v < h;
    };
    // The covered pixels of a row form one run (the sprite is convex): solve for
    // it, then settle each end on exact tests.
    double lo = bx0, hi = bx1 - 1;
    const double uBase = mapU(0.5, py), vBase = mapV(0.5, py);
    auto narrow = [&](double base, double slope, double limit) {
      if (std::fabs(slope) < 1e-15) {
        if (!(base >= 0.0 && base < limit)) hi = lo - 1;
        return;
      }
      double a = (0.0 - base) / slope;
      double b = (limit - base) / slope;
      if (a > b) std::swap(a, b);
      lo = std::max(lo, std::floor(a) - 1.0);
      hi = std::min(hi, std::ceil(b) + 1.0);
    };
    narrow(uBase, i11, w);
    narrow(vBase, i12, h);
    if (lo > hi) continue;
    int first = static_cast<int>(lo);
    int last = static_cast<int>(hi);
    while (first <= last && !inside(first)) ++first;
    while (last >= first && !inside(last)) --last;
    if (first > last) continue;
    const int count = last - first + 1;
    if (constant) {
      std::fill(span.begin(), span.begin() + count, constantTexel);
    } else {
      const double startX = first + 0.5;
      const std::int64_t u = std::llround((mapU(startX, py) - 0.5) * 65536.0);
      const std::int64_t v = std::llround((mapV(startX, py) - 0.5) * 65536.0);
      const std::int64_t du = std::llround(i11 * 65536.0);
      const std::int64_t dv = std::llround(i12 * 65536.0);
      sampler.SampleRun(u, v, du, dv, count, span.data());
    }
    blend(frame.Row(row) + first, span.data(), count, colour);
  }
}

}  // namespace

void ClearFrame(Texture& frame, std::uint32_t colour) {
  std::fill(frame.Pixels(), frame.Pixels() + static_cast<std::size_t>(frame.Width()) * frame.Height(),
            colour | kAlphaMask);
}

void DrawSprite(Texture& frame, const Texture& texture, const SourceRect& source, const Affine& transform,
                std::uint32_t colour, BlendMode mode) {
  if (source.right <= source.left || source.bottom <= source.top) return;
  // Coordinates this far out lie beyond any texture; they would only overflow.
  constexpr int kLimit = 1 << 24;
  for (int v : {source.left, source.top, source.right, source.bottom}) {
    if (v > kLimit || v < -kLimit) return;
  }
  if ((colour & kAlphaMask) == 0 || texture.IsEmpty() || frame.IsEmpty()) return;
  const RowBlender blend = ActiveRowBlenders().For(mode);
  const Affine& m = transform;
  if (m.m11 == 1.0 && m.m12 == 0.0 && m.m21 == 0.0 && m.m22 == 1.0 && IsWholeNumber(m.dx) &&
      IsWholeNumber(m.dy)) {
    DrawTranslated(frame, texture, source, static_cast<int>(m.dx), static_cast<int>(m.dy), colour, blend);
    return;
  }
  DrawTransformed(frame, texture, source, m, colour, blend);
}

}  // namespace platform
