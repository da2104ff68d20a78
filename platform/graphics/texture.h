#pragma once
// A picture in memory: 32-bit pixels 0xAARRGGBB with straight (not premultiplied)
// alpha, rows packed one after another. Images, the white fill texel, free-text
// textures and the frame the compositor draws into are all textures.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace platform {

class Texture {
 public:
  // A texture of the given size with every pixel 0 (transparent black). A size
  // that is not positive gives an empty texture. The pixels come zeroed from the
  // system and are touched only as they are written: a decoder stopped part way
  // has cost only the rows it wrote. Throws std::bad_alloc without the memory.
  Texture(int width, int height);
  Texture(const Texture& other);
  Texture& operator=(const Texture& other);
  // A texture moved from is empty.
  Texture(Texture&& other) noexcept;
  Texture& operator=(Texture&& other) noexcept;
  ~Texture() = default;

  int Width() const { return m_Width; }
  int Height() const { return m_Height; }
  bool IsEmpty() const { return m_Count == 0; }
  std::size_t PitchBytes() const { return static_cast<std::size_t>(m_Width) * 4u; }
  std::size_t SizeBytes() const { return m_Count * 4u; }

  std::uint32_t* Pixels() { return m_Pixels.get(); }
  const std::uint32_t* Pixels() const { return m_Pixels.get(); }
  std::uint32_t* Row(int y) { return m_Pixels.get() + static_cast<std::size_t>(y) * Stride(); }
  const std::uint32_t* Row(int y) const { return m_Pixels.get() + static_cast<std::size_t>(y) * Stride(); }

  // The pixel at (x, y); 0 outside the texture.
  std::uint32_t At(int x, int y) const;

 private:
  std::size_t Stride() const { return static_cast<std::size_t>(m_Width); }

  struct Free {
    void operator()(std::uint32_t* pixels) const { std::free(pixels); }
  };
  // Zeroed pixels of m_Count entries, or null for an empty texture.
  static std::unique_ptr<std::uint32_t[], Free> Allocate(std::size_t count);

  int m_Width;
  int m_Height;
  std::size_t m_Count;
  std::unique_ptr<std::uint32_t[], Free> m_Pixels;
};

}  // namespace platform
