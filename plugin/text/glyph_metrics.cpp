#include "plugin/text/glyph_metrics.h"

#include <cstdio>
#include <unordered_map>

#include "platform/font/font.h"

namespace nsWendrick {
namespace {

struct CachedGlyph {
  std::int32_t advance = 0;
  std::int32_t height = 0;
};

std::unordered_map<std::string, CachedGlyph>& Cache() {
  static std::unordered_map<std::string, CachedGlyph> cache;
  return cache;
}

constexpr std::int32_t kBoldWeight = 700;

}  // namespace

std::string GlyphMetricsKey(std::int32_t code, const std::string& face, std::int32_t size,
                            bool bold, bool italic) {
  const std::int32_t style = (bold ? kGlyphBold : 0) | (italic ? kGlyphItalic : 0);
  const int length = std::snprintf(nullptr, 0, "%d_%s_%d_%d", code, face.c_str(), size, style);
  std::string key(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  std::snprintf(key.data(), key.size() + 1, "%d_%s_%d_%d", code, face.c_str(), size, style);
  return key;
}

void GetGlyphMetrics(std::int32_t* advance, std::int32_t* height, std::int32_t code,
                     const std::string& face, std::int32_t size, bool bold, bool italic) {
  *advance = 0;
  *height = 0;
  if (size == 0) return;
  const std::string faceName = platform::CutFaceName(face);
  const std::string key = GlyphMetricsKey(code, faceName, size, bold, italic);
  auto& cache = Cache();
  if (const auto it = cache.find(key); it != cache.end()) {
    *advance = it->second.advance;
    *height = it->second.height;
    return;
  }
  platform::FontRequest request;
  request.face = faceName;
  request.height = size;
  request.weight = bold ? kBoldWeight : 0;
  request.italic = italic;
  const std::unique_ptr<platform::Font> font = platform::CreateFont(request);
  if (font == nullptr) return;

  CachedGlyph measured;
  platform::GlyphMetrics glyph;
  if (font->GetGlyphMetrics(static_cast<std::uint16_t>(code), glyph)) {
    measured.advance = glyph.gmCellIncX;
  }
  if (italic) measured.advance += size / 4;
  measured.height = font->GetTextMetrics().tmHeight;
  cache.emplace(key, measured);
  *advance = measured.advance;
  *height = measured.height;
}

std::size_t GlyphMetricsCacheSize() { return Cache().size(); }

void ClearGlyphMetricsCache() { Cache().clear(); }

}  // namespace nsWendrick
