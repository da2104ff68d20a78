#include "platform/graphics/texture.h"

namespace platform {

Texture::Texture(int width, int height)
    : m_Width(width > 0 && height > 0 ? width : 0), m_Height(width > 0 && height > 0 ? height : 0) {
  m_Pixels.assign(static_cast<std::size_t>(m_Width) * static_cast<std::size_t>(m_Height), 0u);
}

std::uint32_t Texture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_Width || y >= m_Height) return 0;
  return Row(y)[x];
}

}  // namespace platform
