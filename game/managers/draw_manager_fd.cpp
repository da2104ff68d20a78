#include "game/managers/draw_manager_fd.h"

#include <string_view>

#include "game/core/program_objects.h"

namespace nsVesk::nsDrawManagerfD {

using nsZarn::nsGraphics::Rect;
using nsZarn::nsGraphics::nsIDraw2D::CDraw2D;

std::uint32_t ToGraphicColor(std::uint32_t engineColor) {
  return (engineColor & 0xFF00FF00u) | (engineColor & 0xFFu) << 16 | (engineColor >> 16 & 0xFFu);
}

std::uint32_t ToGraphicColor(std::uint32_t engineColor, std::uint8_t alpha) {
  return static_cast<std::uint32_t>(alpha) << 24 | (ToGraphicColor(engineColor) & 0x00FFFFFFu);
}

std::int32_t DrawManagerfD::GetScreenWidth() { return g_Graphic.GetWidth(); }

std::int32_t DrawManagerfD::GetScreenHeight() { return g_Graphic.GetHeight(); }

bool DrawManagerfD::IsFullScreen() { return g_Graphic.IsFullScreen(); }

void DrawManagerfD::SetFullScreen(bool fullScreen) { (void)g_Graphic.SetFullScreen(fullScreen); }

void DrawManagerfD::Present() { g_Graphic.Present(); }

bool DrawManagerfD::LoadImage(const char* name) {
  if (name == nullptr || m_Images.Find(name) != nullptr) return false;
  // The holder is tested before it is handed to an image object, which would
  // refuse it and leave no holder to ask.
  auto* reader = ReadArchiveImage(name);
  if (!reader->IsLoaded()) {
    reader->Release();
    return false;
  }
  return m_Images.Insert(name, new CDraw2D(&g_Graphic, reader));
}

bool DrawManagerfD::ReleaseImage(const char* name) {
  if (name != nullptr) m_Images.Release(name);
  return true;
}

void DrawManagerfD::Clear(std::uint32_t color) { g_Graphic.Clear(ToGraphicColor(color)); }

void DrawManagerfD::Blit(BlitMode mode, const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y,
                         std::uint8_t alpha, nsTamskLib::TRect src) {
  auto* image = m_Images.Find(name.c_str());
  if (image == nullptr) return;
  const Rect source{src.left, src.top, src.right, src.bottom};
  switch (mode) {
    case BlitMode::Alpha:
      image->Draw(x, y, alpha, &source, 1.0f, 1.0f, 0.0f);
      break;
    case BlitMode::Add:
      image->DrawAdd(x, y, alpha, &source, 1.0f, 1.0f, 0.0f);
      break;
    case BlitMode::Sub:
      image->DrawSub(x, y, alpha, &source, 1.0f, 1.0f, 0.0f);
      break;
  }
}

void DrawManagerfD::Blt0(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                         nsTamskLib::TRect src) {
  Blit(BlitMode::Alpha, name, x, y, alpha, src);
}

void DrawManagerfD::Blt1(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                         nsTamskLib::TRect src) {
  Blit(BlitMode::Add, name, x, y, alpha, src);
}

void DrawManagerfD::Blt2(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                         nsTamskLib::TRect src) {
  Blit(BlitMode::Sub, name, x, y, alpha, src);
}

void DrawManagerfD::Blt4(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                         nsTamskLib::TRect src) {
  Blit(BlitMode::Alpha, name, x, y, alpha, src);
}

void DrawManagerfD::Blt5(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                         nsTamskLib::TRect src) {
  Blit(BlitMode::Add, name, x, y, alpha, src);
}

void DrawManagerfD::Blt6(const nsTamskLib::mystr& name, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                         nsTamskLib::TRect src) {
  Blit(BlitMode::Sub, name, x, y, alpha, src);
}

void DrawManagerfD::DrawText(const nsTamskLib::mystr& text, std::int32_t x, std::int32_t y, std::uint8_t alpha,
                             const nsTamskLib::mystr& fontFace, std::int32_t size, std::uint32_t color,
                             std::uint8_t flag1, std::uint8_t flag2) {
  g_Graphic.DrawFreeText(std::string_view(text.c_str()), x, y, ToGraphicColor(color, alpha),
                         std::string_view(fontFace.c_str()), size, flag1 != 0, flag2 != 0, 0.0f);
}

void DrawManagerfD::FillRect(nsTamskLib::TRect rect, std::uint32_t color, std::uint8_t alpha) {
  g_Graphic.DrawFillRect(rect.left, rect.top, rect.right, rect.bottom, ToGraphicColor(color, alpha), 0.0f);
}

}  // namespace nsVesk::nsDrawManagerfD
