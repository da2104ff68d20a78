#pragma once
// Pictures kept by name: what a board needs of an image table to show its chips.

#include <cstdint>
#include <string>

#include "framework/graphics/graphics_types.h"

namespace nsVesk::nsGame {

class IPictureTable {
 public:
  virtual ~IPictureTable() = default;
  // Loads the picture file and keeps it under the name, unless the name is present
  // already: then the first picture stays. An empty file name keeps an entry that
  // draws nothing.
  virtual void Load(const std::string& name, const std::string& file) = 0;
  // Draws the source rectangle of the named picture with its top-left corner at
  // (x, y), scaled, rotated by the angle in degrees about the scaled rectangle's
  // centre, at the given alpha. A name without a picture draws nothing.
  virtual void Draw(const std::string& name, int x, int y, std::uint8_t alpha,
                    const nsZarn::nsGraphics::Rect& source, float scaleX, float scaleY, float angle) = 0;
  // The area the pictures are drawn on: nothing drawn wholly outside it shows.
  virtual nsZarn::nsGraphics::Rect DrawArea() const = 0;
};

}  // namespace nsVesk::nsGame
