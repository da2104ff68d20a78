#pragma once
// Fonts as the game uses them: a font is made from a face name, a cell height, a
// weight and an italic flag, and answers three questions: the text metrics, the
// metrics of one glyph, and the glyph as a grey bitmap of 65 levels (0..64) with
// rows padded to a multiple of 4 bytes. Characters are 16-bit Shift-JIS codes
// (a single byte, or lead byte * 256 + trail byte).
//
// The program and the plug-in both measure text through this module, so both
// see the same metrics. A test installs a glyph source of its own.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FontRequest {
  std::string face;         // Shift-JIS face name, at most 31 bytes are used
  std::int32_t height = 0;  // cell height in pixels
  std::int32_t weight = 0;  // 0 normal, 700 bold
  bool italic = false;
};

struct TextMetrics {
  std::int32_t tmHeight = 0;   // cell height: ascent + descent
  std::int32_t tmAscent = 0;   // baseline distance from the cell's top
  std::int32_t tmDescent = 0;  // below the baseline
};

struct GlyphMetrics {
  std::uint32_t gmBlackBoxX = 0;  // inked width in pixels
  std::uint32_t gmBlackBoxY = 0;  // inked height in pixels
  std::int32_t gmptGlyphOriginX = 0;  // left of the ink from the pen position
  std::int32_t gmptGlyphOriginY = 0;  // top of the ink above the baseline
  std::int16_t gmCellIncX = 0;    // horizontal advance
  std::int16_t gmCellIncY = 0;    // vertical advance (0 for horizontal text)
};

// A grey glyph: gmBlackBoxY rows of `pitch` bytes, each byte a level 0..64.
struct GlyphBitmap {
  GlyphMetrics metrics;
  std::uint32_t pitch = 0;  // gmBlackBoxX rounded up to a multiple of 4
  std::vector<std::uint8_t> levels;
};

class Font {
 public:
  virtual ~Font() = default;
  virtual TextMetrics GetTextMetrics() const = 0;
  // False when the glyph cannot be read.
  virtual bool GetGlyphMetrics(std::uint16_t code, GlyphMetrics& out) = 0;
  virtual bool GetGlyphGray8(std::uint16_t code, GlyphBitmap& out) = 0;
};

// Makes fonts; the system's fonts unless a test has installed another source.
class GlyphSource {
 public:
  virtual ~GlyphSource() = default;
  // Null when no font can be made for the request.
  virtual std::unique_ptr<Font> CreateFont(const FontRequest& request) = 0;
};

// Creates a font through the installed glyph source.
std::unique_ptr<Font> CreateFont(const FontRequest& request);

// Installs a glyph source in place of the system's fonts (not owned); null
// restores the system's fonts.
void SetGlyphSourceForTest(GlyphSource* source);

// The system's fonts (FreeType and fontconfig), created on first use.
GlyphSource& SystemGlyphSource();

// A face name cut to its first 31 bytes without splitting a double-byte character.
std::string CutFaceName(std::string_view face);

// Rows of a grey glyph bitmap are padded to a multiple of 4 bytes.
inline std::uint32_t Gray8Pitch(std::uint32_t width) { return (width + 3u) & ~3u; }

}  // namespace platform
