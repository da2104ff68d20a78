#include "framework/graphics/draw2d.h"

#include "framework/graphics/zarn_graphic.h"
#include "platform/debug/debug_sink.h"

namespace nsZarn::nsGraphics::nsIDraw2D {

CDraw2D::CDraw2D(ZarnGraphic* graphic, nsIDraw2DReader::IDraw2DReader* image) : m_Graphic(graphic) {
  if (image != nullptr) SetDraw2DReader(image);
}

CDraw2D::~CDraw2D() {
  if (m_Image != nullptr) m_Image->Release();
}

void CDraw2D::Release() { delete this; }

bool CDraw2D::SetDraw2DReader(nsIDraw2DReader::IDraw2DReader* image) {
  if (image == m_Image) return true;
  if (image != nullptr && !image->IsLoaded()) {
    platform::WriteDebugLine(
        "Failed : CDraw2D::SetReader() "
        "指定されたグラフィックデータ読み込みクラス（2D）は読み込み済みではありません！\n");
    image->Release();
    return false;
  }
  if (m_Image != nullptr) m_Image->Release();
  m_Image = image;
  return true;
}

void CDraw2D::DrawWith(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY,
                       float angle, BlendOp op, Blend destBlend) {
  if (m_Image == nullptr || m_Graphic == nullptr) return;
  const Color colour = static_cast<Color>(alpha) << 24 | 0xFFFFFFu;
  m_Graphic->DrawSpriteEx(m_Image->GetTexture(), x, y, colour, source, op, Blend::SrcAlpha, destBlend, scaleX, scaleY,
                          angle);
}

void CDraw2D::Draw(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY, float angle) {
  DrawWith(x, y, alpha, source, scaleX, scaleY, angle, BlendOp::Add, Blend::InvSrcAlpha);
}

void CDraw2D::DrawAdd(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY,
                      float angle) {
  DrawWith(x, y, alpha, source, scaleX, scaleY, angle, BlendOp::Add, Blend::One);
}

void CDraw2D::DrawSub(int x, int y, std::uint8_t alpha, const Rect* source, float scaleX, float scaleY,
                      float angle) {
  DrawWith(x, y, alpha, source, scaleX, scaleY, angle, BlendOp::RevSubtract, Blend::One);
}

}  // namespace nsZarn::nsGraphics::nsIDraw2D
