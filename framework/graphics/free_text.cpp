// ZarnGraphic::DrawFreeText: a text is rendered once into the free-text cache,
// then drawn like any image. The cache is trimmed in AppIdle.

#include "framework/graphics/free_text_cache.h"
#include "framework/graphics/zarn_graphic.h"
#include "platform/clock/clock.h"

namespace nsZarn::nsGraphics {

void ZarnGraphic::DrawFreeText(std::string_view text, int x, int y, Color colour, std::string_view face, int size,
                               bool bold, bool italic, float angle) {
  FreeTextEntry* entry = m_FreeText.Acquire(text, face, size, bold, italic);
  if (entry == nullptr) return;
  // Rotated about the text's top-left corner: no source rectangle.
  DrawSpriteEx(entry->texture.get(), x, y, colour, nullptr, BlendOp::Add, Blend::SrcAlpha, Blend::InvSrcAlpha, 1.0f,
               1.0f, angle);
  entry->lastUse = platform::NowMs();
}

}  // namespace nsZarn::nsGraphics
