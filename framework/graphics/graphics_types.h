#pragma once
// Values the drawing calls take: colours, rectangles and the blend settings.

#include <cstdint>

namespace nsZarn::nsGraphics {

// A colour 0xAARRGGBB.
using Color = std::uint32_t;

struct Rect {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};

// How the source and the frame combine: result = source x SrcBlend (op) frame x DestBlend.
enum class BlendOp { Add, RevSubtract };
enum class Blend { SrcAlpha, InvSrcAlpha, One };

}  // namespace nsZarn::nsGraphics
