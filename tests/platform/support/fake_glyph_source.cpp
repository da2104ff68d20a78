#include "tests/platform/support/fake_glyph_source.h"

namespace vesk_test {

using platform::Font;
using platform::FontRequest;
using platform::GlyphBitmap;
using platform::GlyphMetrics;
using platform::Gray8Pitch;
using platform::TextMetrics;

namespace {

class FakeFont final : public Font {
 public:
  FakeFont(const FakeGlyphSource& source, std::int32_t height) : m_Source(source), m_Height(height) {}

  TextMetrics GetTextMetrics() const override {
    TextMetrics m;
    m.tmHeight = m_Height;
    m.tmDescent = m_Height / 4;
    m.tmAscent = m_Height - m.tmDescent;
    return m;
  }

  bool GetGlyphMetrics(std::uint16_t code, GlyphMetrics& out) override {
    out = m_Source.MetricsFor(code, m_Height);
    return true;
  }

  bool GetGlyphGray8(std::uint16_t code, GlyphBitmap& out) override {
    out = m_Source.GlyphFor(code, m_Height);
    return true;
  }

 private:
  const FakeGlyphSource& m_Source;
  std::int32_t m_Height;
};

}  // namespace

std::unique_ptr<Font> FakeGlyphSource::CreateFont(const FontRequest& request) {
  m_Requests.push_back(request);
  if (m_CreateFails || request.height <= 0) return nullptr;
  return std::make_unique<FakeFont>(*this, request.height);
}

GlyphMetrics FakeGlyphSource::MetricsFor(std::uint16_t code, std::int32_t height) const {
  if (auto it = m_Glyphs.find(code); it != m_Glyphs.end()) return it->second.metrics;
  const std::int32_t width = code > 0xFF ? height : height / 2;
  GlyphMetrics metrics;
  metrics.gmBlackBoxX = static_cast<std::uint32_t>(width);
  metrics.gmBlackBoxY = static_cast<std::uint32_t>(height);
  metrics.gmptGlyphOriginX = 0;
  metrics.gmptGlyphOriginY = height - height / 4;
  metrics.gmCellIncX = static_cast<std::int16_t>(width);
  return metrics;
}

GlyphBitmap FakeGlyphSource::GlyphFor(std::uint16_t code, std::int32_t height) const {
  if (auto it = m_Glyphs.find(code); it != m_Glyphs.end()) return it->second;
  GlyphBitmap glyph;
  glyph.metrics = MetricsFor(code, height);
  glyph.pitch = Gray8Pitch(glyph.metrics.gmBlackBoxX);
  glyph.levels.assign(static_cast<std::size_t>(glyph.pitch) * glyph.metrics.gmBlackBoxY, 0);
  for (std::uint32_t row = 0; row < glyph.metrics.gmBlackBoxY; ++row) {
    for (std::uint32_t col = 0; col < glyph.metrics.gmBlackBoxX; ++col) {
      glyph.levels[static_cast<std::size_t>(row) * glyph.pitch + col] = 64;
    }
  }
  return glyph;
}

}  // namespace vesk_test
