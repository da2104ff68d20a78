#pragma once
// A glyph source with fixed, predictable metrics for tests. Every font has
// tmHeight = the requested height and tmAscent = height - height / 4. Unless a
// test sets a glyph of its own, a one-byte code is height / 2 wide and a
// two-byte code height wide, and its bitmap fills its cell at level 64. A test
// installs it with platform::SetGlyphSourceForTest.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/font/font.h"

namespace vesk_test {

class FakeGlyphSource final : public platform::GlyphSource {
 public:
  std::unique_ptr<platform::Font> CreateFont(const platform::FontRequest& request) override;

  // Replaces the glyph of one code in every font of this source. levels holds
  // metrics.gmBlackBoxY rows of Gray8Pitch(metrics.gmBlackBoxX) bytes.
  void SetGlyph(std::uint16_t code, const platform::GlyphBitmap& glyph) { m_Glyphs[code] = glyph; }

  // While set, CreateFont fails.
  void SetCreateFails(bool fails) { m_CreateFails = fails; }

  // The requests of every CreateFont call, in order.
  const std::vector<platform::FontRequest>& requests() const { return m_Requests; }

  // The glyph a font of the given height shows for a code.
  platform::GlyphBitmap GlyphFor(std::uint16_t code, std::int32_t height) const;
  // Its metrics alone (measuring a text makes no bitmaps).
  platform::GlyphMetrics MetricsFor(std::uint16_t code, std::int32_t height) const;

 private:
  std::map<std::uint16_t, platform::GlyphBitmap> m_Glyphs;
  std::vector<platform::FontRequest> m_Requests;
  bool m_CreateFails = false;
};

}  // namespace vesk_test
