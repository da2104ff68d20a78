#pragma once
// A drawable image: an image holder drawn through the graphics object with alpha
// blending, additive blending or subtraction.

#include <cstdint>

#include "framework/graphics/draw2d_reader.h"
#include "framework/graphics/graphics_types.h"

namespace nsZarn::nsGraphics {
class ZarnGraphic;
}

namespace nsZarn::nsGraphics::nsIDraw2D {

class IDraw2D {
 public:
  virtual ~IDraw2D() = default;
  // Destroys the image object.
  virtual void Release() = 0;
  virtual const nsIDraw2DReader::IDraw2DReader* GetDraw2DReader() const = 0;
  virtual nsIDraw2DReader::IDraw2DReader* GetDraw2DReader() = 0;
  virtual bool SetDraw2DReader(nsIDraw2DReader::IDraw2DReader* image) = 0;
  // Draw at (x, y) with the given alpha, the source rectangle (the whole image
  // without one), scale and angle in degrees.
  virtual void Draw(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY,
                    float angle) = 0;
  virtual void DrawAdd(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY,
                       float angle) = 0;
  virtual void DrawSub(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY,
                       float angle) = 0;
};

class CDraw2D : public IDraw2D {
 public:
  // With an image, takes it as SetDraw2DReader does.
  CDraw2D(ZarnGraphic* graphic, nsIDraw2DReader::IDraw2DReader* image);
  CDraw2D(const CDraw2D&) = delete;
  CDraw2D& operator=(const CDraw2D&) = delete;
  ~CDraw2D() override;

  void Release() override;
  const nsIDraw2DReader::IDraw2DReader* GetDraw2DReader() const override { return m_Image; }
  nsIDraw2DReader::IDraw2DReader* GetDraw2DReader() override { return m_Image; }
  // Takes ownership of the image in every case. An image that is not loaded is
  // refused (false): it is released and the previous image stays. A loaded image
  // or null replaces the previous one, which is released.
  bool SetDraw2DReader(nsIDraw2DReader::IDraw2DReader* image) override;
  // Without an image these draw nothing.
  void Draw(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY, float angle) override;
  void DrawAdd(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY,
               float angle) override;
  void DrawSub(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY,
               float angle) override;

 private:
  void DrawWith(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY, float angle,
                BlendOp op, Blend destBlend);

  nsIDraw2DReader::IDraw2DReader* m_Image = nullptr;
  ZarnGraphic* m_Graphic;
};

}  // namespace nsZarn::nsGraphics::nsIDraw2D
