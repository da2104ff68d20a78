#include "platform/message_box/box_painting.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/graphics/compositor.h"

namespace platform {
namespace {

const Texture& WhiteTexel() {
  static const Texture texel = [] {
    Texture t(1, 1);
    t.Pixels()[0] = 0xFFFFFFFFu;
    return t;
  }();
  return texel;
}

// The exclamation icon: a yellow warning triangle with a dark rim and a dark "!".
// Each pixel is the average of 4x4 samples, so the edges are smooth.
struct Point {
  double x;
  double y;
};

// How far p lies inside the triangle (negative outside): the least distance to
// its three edges, which run clockwise on the screen.
double DepthInTriangle(const Point (&corners)[3], Point p) {
  double depth = 1e9;
  for (int i = 0; i < 3; ++i) {
    const Point a = corners[i];
    const Point b = corners[(i + 1) % 3];
    const double ex = b.x - a.x;
    const double ey = b.y - a.y;
    const double distance = (ex * (p.y - a.y) - ey * (p.x - a.x)) / std::hypot(ex, ey);
    depth = std::min(depth, distance);
  }
  return depth;
}

std::optional<std::uint32_t> ExclamationSample(Point p) {
  constexpr Point kTriangle[3] = {{16.0, 2.0}, {30.5, 29.0}, {1.5, 29.0}};
  constexpr std::uint32_t kRim = 0xFFB8860Bu;
  constexpr std::uint32_t kYellow = 0xFFFFCC33u;
  constexpr std::uint32_t kMark = 0xFF202020u;
  const double depth = DepthInTriangle(kTriangle, p);
  if (depth < 0.0) return std::nullopt;
  // The stroke narrows from 4 pixels at its top to 2.5 at its foot.
  if (p.y >= 10.0 && p.y <= 21.0) {
    const double halfWidth = 2.0 - 0.75 * (p.y - 10.0) / 11.0;
    if (std::abs(p.x - 16.0) <= halfWidth) return kMark;
  }
  if (std::hypot(p.x - 16.0, p.y - 24.8) <= 1.9) return kMark;
  return depth < 1.5 ? kRim : kYellow;
}

Texture PaintExclamation() {
  Texture icon(kBoxIconSize, kBoxIconSize);
  constexpr int kSamples = 4;
  for (int y = 0; y < kBoxIconSize; ++y) {
    for (int x = 0; x < kBoxIconSize; ++x) {
      std::uint32_t r = 0, g = 0, b = 0, covered = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Point p{x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples};
          const std::optional<std::uint32_t> colour = ExclamationSample(p);
          if (!colour) continue;
          r += (*colour >> 16) & 0xFFu;
          g += (*colour >> 8) & 0xFFu;
          b += *colour & 0xFFu;
          ++covered;
        }
      }
      if (covered == 0) continue;
      const std::uint32_t alpha = (covered * 255u + kSamples * kSamples / 2) / (kSamples * kSamples);
      icon.Row(y)[x] = alpha << 24 | (r / covered) << 16 | (g / covered) << 8 | (b / covered);
    }
  }
  return icon;
}

}  // namespace

void FillBox(Texture& picture, const BoxRect& rect, std::uint32_t colour) {
  if (rect.width <= 0 || rect.height <= 0) return;
  Affine stretch;
  stretch.m11 = rect.width;
  stretch.m22 = rect.height;
  stretch.dx = rect.x;
  stretch.dy = rect.y;
  DrawSprite(picture, WhiteTexel(), SourceRect{0, 0, 1, 1}, stretch, colour, BlendMode::Alpha);
}

void OutlineBox(Texture& picture, const BoxRect& rect, int thickness, std::uint32_t colour) {
  const int t = thickness;
  FillBox(picture, {rect.x, rect.y, rect.width, t}, colour);
  FillBox(picture, {rect.x, rect.y + rect.height - t, rect.width, t}, colour);
  FillBox(picture, {rect.x, rect.y + t, t, rect.height - 2 * t}, colour);
  FillBox(picture, {rect.x + rect.width - t, rect.y + t, t, rect.height - 2 * t}, colour);
}

const Texture& IconPicture(MessageBoxIcon icon) {
  static const Texture none(0, 0);
  static const Texture exclamation = PaintExclamation();
  return icon == MessageBoxIcon::Exclamation ? exclamation : none;
}

}  // namespace platform
