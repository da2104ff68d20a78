#pragma once
// A picture in memory: 32-bit pixels 0xAARRGGBB with straight (not premultiplied)
// alpha, rows packed one after another. Images, the white fill texel, free-text
// textures and the frame the compositor draws into are all textures.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class Texture {
 public:
  // A texture of the given size with every pixel 0 (transparent black). A size
  // that is not positive gives an empty texture.
  Texture(int width, int height);

  int Width() const { return m_Width; }
  int Height() const { return m_Height; }
  bool IsEmpty() const { return m_Pixels.empty(); }
  std::size_t PitchBytes() const { return static_cast<std::size_t>(m_Width) * 4u; }
  std::size_t SizeBytes() const { return m_Pixels.size() * 4u; }

  std::uint32_t* Pixels() { return m_Pixels.data(); }
  const std::uint32_t* Pixels() const { return m_Pixels.data(); }
  std::uint32_t* Row(int y) { return m_Pixels.data() + static_cast<std::size_t>(y) * Stride(); }
  const std::uint32_t* Row(int y) const {
    return m_Pixels.data() + static_cast<std::size_t>(y) * Stride();
  }

  // The pixel at (x, y); 0 outside the texture.
  std::uint32_t At(int x, int y) const;

 private:
  std::size_t Stride() const { return static_cast<std::size_t>(m_Width); }

  int m_Width;
  int m_Height;
  std::vector<std::uint32_t> m_Pixels;
};

}  // namespace platform
