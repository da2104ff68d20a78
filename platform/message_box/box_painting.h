#pragma once
// What a message box is painted with, besides its text: plain rectangles drawn
// through the compositor, and the icons, painted here rather than read from files.

#include <cstdint>

#include "platform/graphics/texture.h"
#include "platform/message_box/message_box.h"

namespace platform {

struct BoxRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

inline constexpr int kBoxIconSize = 32;

void FillBox(Texture& picture, const BoxRect& rect, std::uint32_t colour);
// A frame of the given thickness just inside the rectangle.
void OutlineBox(Texture& picture, const BoxRect& rect, int thickness, std::uint32_t colour);

// The icon's picture, kBoxIconSize square with straight alpha; empty for None.
const Texture& IconPicture(MessageBoxIcon icon);

}  // namespace platform
