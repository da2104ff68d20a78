#include "platform/graphics/texture.h"

#include <cstring>
#include <new>
#include <utility>

namespace platform {

Texture::Texture(int width, int height)
    : m_Width(width > 0 && height > 0 ? width : 0),
      m_Height(width > 0 && height > 0 ? height : 0),
      m_Count(static_cast<std::size_t>(m_Width) * static_cast<std::size_t>(m_Height)),
      m_Pixels(Allocate(m_Count)) {}

Texture::Texture(const Texture& other)
    : m_Width(other.m_Width), m_Height(other.m_Height), m_Count(other.m_Count), m_Pixels(Allocate(m_Count)) {
  if (m_Count != 0) std::memcpy(m_Pixels.get(), other.m_Pixels.get(), m_Count * sizeof(std::uint32_t));
}

Texture& Texture::operator=(const Texture& other) {
  if (this != &other) *this = Texture(other);
  return *this;
}

Texture::Texture(Texture&& other) noexcept
    : m_Width(std::exchange(other.m_Width, 0)),
      m_Height(std::exchange(other.m_Height, 0)),
      m_Count(std::exchange(other.m_Count, 0)),
      m_Pixels(std::move(other.m_Pixels)) {}

Texture& Texture::operator=(Texture&& other) noexcept {
  m_Width = std::exchange(other.m_Width, 0);
  m_Height = std::exchange(other.m_Height, 0);
  m_Count = std::exchange(other.m_Count, 0);
  m_Pixels = std::move(other.m_Pixels);
  return *this;
}

std::unique_ptr<std::uint32_t[], Texture::Free> Texture::Allocate(std::size_t count) {
  if (count == 0) return nullptr;
  // calloc takes fresh pages from the system as they are, zeroed, without
  // writing them: a large texture costs memory only where it is drawn.
  auto* pixels = static_cast<std::uint32_t*>(std::calloc(count, sizeof(std::uint32_t)));
  if (pixels == nullptr) throw std::bad_alloc();
  return std::unique_ptr<std::uint32_t[], Free>(pixels);
}

std::uint32_t Texture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_Width || y >= m_Height) return 0;
  return Row(y)[x];
}

}  // namespace platform
