#include "platform/graphics/letterbox.h"

#include <cstdint>

#include "platform/graphics/graphics_device.h"

namespace platform {
namespace {

// n / d rounded towards minus infinity (d > 0).
int FloorDiv(std::int64_t n, std::int64_t d) {
  const std::int64_t q = n / d;
  return static_cast<int>(q * d > n ? q - 1 : q);
}

}  // namespace

FrameRect LetterboxFrame(int outputWidth, int outputHeight) {
  if (outputWidth <= 0 || outputHeight <= 0) return {0, 0, outputWidth, outputHeight};
  FrameRect rect;
  if (static_cast<std::int64_t>(outputWidth) * kFrameHeight >= static_cast<std::int64_t>(outputHeight) * kFrameWidth) {
    // Wider than the frame: full height, bars left and right.
    rect.height = outputHeight;
    rect.width = FloorDiv(static_cast<std::int64_t>(outputHeight) * kFrameWidth, kFrameHeight);
  } else {
    rect.width = outputWidth;
    rect.height = FloorDiv(static_cast<std::int64_t>(outputWidth) * kFrameHeight, kFrameWidth);
  }
  rect.x = (outputWidth - rect.width) / 2;
  rect.y = (outputHeight - rect.height) / 2;
  return rect;
}

void OutputPointToFrame(int outputWidth, int outputHeight, int x, int y, int& frameX, int& frameY) {
  const FrameRect rect = LetterboxFrame(outputWidth, outputHeight);
  if (rect.width <= 0 || rect.height <= 0) {
    frameX = x;
    frameY = y;
    return;
  }
  frameX = FloorDiv(static_cast<std::int64_t>(x - rect.x) * kFrameWidth, rect.width);
  frameY = FloorDiv(static_cast<std::int64_t>(y - rect.y) * kFrameHeight, rect.height);
}

}  // namespace platform
