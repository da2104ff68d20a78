#pragma once
// The software compositor: draws textures into a frame texture the way a sprite
// renderer does. A sprite is a source rectangle of a texture, placed by an affine
// transform, modulated by a colour and blended by one of three equations
// (blend_rows.h).
//
// A frame pixel (X, Y) is covered when the inverse transform maps its centre
// (X + 0.5, Y + 0.5) into [0, w) x [0, h) of the source rectangle. When the
// transform is a whole-pixel translation the texels are copied exactly; otherwise
// they are sampled bilinearly, clamped to the source rectangle so that neighbouring
// pictures of an atlas never bleed in. Texels of the source rectangle that lie
// outside the texture are transparent black. Everything outside the frame is
// clipped. Source coordinates beyond +-16,777,216 draw nothing.

#include <cstdint>

#include "platform/graphics/blend_rows.h"
#include "platform/graphics/texture.h"

namespace platform {

struct SourceRect {
  int left;
  int top;
  int right;
  int bottom;
};

// Row-vector affine transform: X = x * m11 + y * m21 + dx, Y = x * m12 + y * m22 + dy.
struct Affine {
  double m11 = 1.0;
  double m12 = 0.0;
  double m21 = 0.0;
  double m22 = 1.0;
  double dx = 0.0;
  double dy = 0.0;
};

// Fills the frame with the colour; the frame keeps no alpha (it is stored as 0xFF).
void ClearFrame(Texture& frame, std::uint32_t colour);

// Draws the source rectangle of the texture into the frame. An empty or inverted
// source rectangle, a colour with alpha 0 or a transform that collapses the sprite
// draws nothing.
void DrawSprite(Texture& frame, const Texture& texture, const SourceRect& source, const Affine& transform,
                std::uint32_t colour, BlendMode mode);

}  // namespace platform
