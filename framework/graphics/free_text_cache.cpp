#include "framework/graphics/free_text_cache.h"

#include <cstdio>
#include <new>

#include "platform/debug/debug_sink.h"
#include "platform/font/font.h"
#include "platform/text/cp932.h"

namespace nsZarn::nsGraphics {
namespace {

constexpr std::uint16_t kLineFeed = 0x0A;
constexpr std::uint16_t kSpace = 0x20;
constexpr std::uint16_t kIdeographicSpace = 0x8140;  // "　"

// Textures beyond these make no sense on screen and would exhaust memory.
constexpr std::int64_t kMaxTextureSide = 16384;
constexpr std::int64_t kMaxTextureBytes = std::int64_t{256} << 20;

constexpr const char* kFailedFont = "Failed : ZarnGraphic::DrawFreeText() CreateFontIndirect\n";
constexpr const char* kFailedTexture = "Failed : ZarnGraphic::DrawFreeText() D3DXCreateTexture\n";

std::string_view UpToFirstZero(std::string_view text) {
  const std::size_t end = text.find('\0');
  return end == std::string_view::npos ? text : text.substr(0, end);
}

std::int64_t NextPowerOfTwo(std::int64_t value) {
  std::int64_t p = 1;
  while (p < value) p <<= 1;
  return p;
}

// Writes one glyph's grey bitmap into the texture with its pen at (penX, penY)
// on the cell's top. Overlapping glyphs keep the union of their alpha bits.
void ComposeGlyph(platform::Texture& texture, const platform::GlyphBitmap& glyph, std::int64_t penX,
                  std::int64_t penY, std::int32_t ascent) {
  const platform::GlyphMetrics& m = glyph.metrics;
  const std::int64_t left = penX + m.gmptGlyphOriginX;
  const std::int64_t top = penY + ascent - m.gmptGlyphOriginY;
  for (std::uint32_t row = 0; row < m.gmBlackBoxY; ++row) {
    const std::int64_t y = top + row;
    if (y < 0 || y >= texture.Height()) continue;
    const std::size_t rowStart = static_cast<std::size_t>(row) * glyph.pitch;
    if (rowStart + m.gmBlackBoxX > glyph.levels.size()) break;
    std::uint32_t* dst = texture.Row(static_cast<int>(y));
    for (std::uint32_t col = 0; col < m.gmBlackBoxX; ++col) {
      const std::int64_t x = left + col;
      if (x < 0 || x >= texture.Width()) continue;
      std::uint32_t level = glyph.levels[rowStart + col];
      if (level > 64) level = 64;
      dst[x] |= ((level * 255u / 64u) << 24) | 0xFFFFFFu;
    }
  }
}

}  // namespace

std::vector<std::uint16_t> SplitShiftJisCodes(std::string_view text) {
  text = UpToFirstZero(text);
  std::vector<std::uint16_t> codes;
  std::size_t pos = 0;
  while (const std::size_t length = platform::SjisCharLength(text, pos)) {
    codes.push_back(platform::SjisCharCode(text, pos));
    pos += length;
  }
  return codes;
}

std::string FreeTextKey(std::string_view text, std::string_view face, int size, bool bold, bool italic) {
  const int style = (bold ? 1 : 0) + (italic ? 2 : 0);
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, "_%d_%d", size, style);
  std::string key(UpToFirstZero(text));
  key += '_';
  key += UpToFirstZero(face);
  key += numbers;
  return key;
}

std::unique_ptr<platform::Texture> RenderFreeText(std::string_view text, std::string_view face, int size,
                                                  bool bold, bool italic, const char** failureLine) {
  const std::vector<std::uint16_t> codes = SplitShiftJisCodes(text);

  platform::FontRequest request;
  request.face = platform::CutFaceName(UpToFirstZero(face));
  request.height = size;
  request.weight = bold ? 700 : 0;
  request.italic = italic;
  std::unique_ptr<platform::Font> font = platform::CreateFont(request);
  if (!font) {
    *failureLine = kFailedFont;
    return nullptr;
  }
  const platform::TextMetrics tm = font->GetTextMetrics();

  // Measure: line feeds add a line; the width is the sum over the whole text.
  std::int64_t height = tm.tmHeight;
  std::int64_t width = 0;
  for (std::uint16_t code : codes) {
    if (code == kLineFeed) {
      height += tm.tmHeight;
      continue;
    }
    platform::GlyphMetrics gm;
    if (font->GetGlyphMetrics(code, gm)) width += gm.gmCellIncX;
  }
  if (italic) width += size / 4;

  const std::int64_t textureWidth = NextPowerOfTwo(width);
  const std::int64_t textureHeight = NextPowerOfTwo(height);
  if (textureWidth > kMaxTextureSide || textureHeight > kMaxTextureSide ||
      textureWidth * textureHeight * 4 > kMaxTextureBytes) {
    *failureLine = kFailedTexture;
    return nullptr;
  }
  std::unique_ptr<platform::Texture> texture;
  try {
    texture = std::make_unique<platform::Texture>(static_cast<int>(textureWidth), static_cast<int>(textureHeight));
  } catch (const std::bad_alloc&) {
    *failureLine = kFailedTexture;
    return nullptr;
  }

  // Compose: each glyph at the pen, its baseline tmAscent below the line's top.
  std::int64_t penX = 0;
  std::int64_t penY = 0;
  platform::GlyphBitmap glyph;
  for (std::uint16_t code : codes) {
    if (code == kLineFeed) {
      penX = 0;
      penY += tm.tmHeight;
      continue;
    }
    platform::GlyphMetrics gm;
    if (!font->GetGlyphMetrics(code, gm)) continue;
    if (code != kSpace && code != kIdeographicSpace && font->GetGlyphGray8(code, glyph)) {
      ComposeGlyph(*texture, glyph, penX, penY, tm.tmAscent);
    }
    penX += gm.gmCellIncX;
  }
  return texture;
}

const FreeTextEntry* FreeTextCache::Find(const std::string& key) const {
  auto it = m_Entries.find(key);
  return it == m_Entries.end() ? nullptr : &it->second;
}

FreeTextEntry* FreeTextCache::Acquire(std::string_view text, std::string_view face, int size, bool bold,
                                      bool italic) {
  if (UpToFirstZero(text).empty()) return nullptr;
  std::string key = FreeTextKey(text, face, size, bold, italic);
  if (auto it = m_Entries.find(key); it != m_Entries.end()) return &it->second;

  const char* failureLine = nullptr;
  std::unique_ptr<platform::Texture> texture =
      RenderFreeText(UpToFirstZero(text), face, size, bold, italic, &failureLine);
  if (!texture) {
    platform::WriteDebugLine(failureLine);
    return nullptr;
  }
  FreeTextEntry entry;
  entry.size = static_cast<std::uint32_t>(texture->SizeBytes());
  entry.texture = std::move(texture);
  // A text larger than the whole budget raises the budget for good.
  if (entry.size > m_Limit) m_Limit = entry.size;
  m_Total += entry.size;
  return &m_Entries.emplace(std::move(key), std::move(entry)).first->second;
}

void FreeTextCache::Trim(std::uint32_t now) {
  while (m_Total > m_Limit && !m_Entries.empty()) {
    auto victim = m_Entries.begin();
    std::uint32_t victimAge = now - victim->second.lastUse;
    for (auto it = std::next(m_Entries.begin()); it != m_Entries.end(); ++it) {
      const std::uint32_t age = now - it->second.lastUse;
      if (age > victimAge || (age == victimAge && it->second.size > victim->second.size)) {
        victim = it;
        victimAge = age;
      }
    }
    m_Total -= victim->second.size;
    m_Entries.erase(victim);
  }
}

void FreeTextCache::ReleaseTextures() {
  for (auto& [key, entry] : m_Entries) entry.texture.reset();
}

}  // namespace nsZarn::nsGraphics
