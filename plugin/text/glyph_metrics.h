#pragma once
// Glyph metrics of the plug-in's text layout: the advance and the cell height of
// one character in a face, size and style, measured through the platform's fonts
// (the same fonts the program draws with) and cached for the life of the library.

#include <cstddef>
#include <cstdint>
#include <string>

namespace nsWendrick {

// Style bits of a cached entry.
inline constexpr std::int32_t kGlyphBold = 1;
inline constexpr std::int32_t kGlyphItalic = 2;

// The advance and height of the character code (a single byte, or lead byte * 256
// + trail byte) in the face at the size. An italic glyph's advance includes a slant
// allowance of size / 4. Both are 0 for size 0, and both stay 0 when no font can
// be made; a character the font cannot measure advances by 0. Face names are cut
// to 31 bytes at a character boundary.
void GetGlyphMetrics(std::int32_t* advance, std::int32_t* height, std::int32_t code,
                     const std::string& face, std::int32_t size, bool bold, bool italic);

// The key of a cache entry: code, face, size and style bits.
std::string GlyphMetricsKey(std::int32_t code, const std::string& face, std::int32_t size,
                            bool bold, bool italic);

// Entries measured so far; forgetting them is for tests that change the font source.
std::size_t GlyphMetricsCacheSize();
void ClearGlyphMetricsCache();

}  // namespace nsWendrick
