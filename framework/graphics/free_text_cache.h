#pragma once
// Free text: a whole string rendered once into an alpha texture with a font and
// kept in a cache keyed by text, face, size and style, so that later frames only
// draw the cached texture. The cache is trimmed, oldest first, while its textures
// take more bytes than its limit.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/texture.h"

namespace nsZarn::nsGraphics {

// The 16-bit character codes of a Shift-JIS text up to its first 0 byte: a byte
// from 0x81 to 0x9F or 0xE0 to 0xFF and the byte after it make one code (lead x
// 256 + trail); a lead byte as the last byte ends the text; every other byte is a
// code of its own (0x80 and the half-width katakana 0xA0 to 0xDF included).
std::vector<std::uint16_t> SplitShiftJisCodes(std::string_view text);

// The cache key: "<text>_<face>_<size>_<style>" with style = bold 1 + italic 2.
// Texts and faces count up to their first 0 byte. Keys have no length limit, so
// two long texts never share an entry.
std::string FreeTextKey(std::string_view text, std::string_view face, int size, bool bold, bool italic);

// Renders a text as white pixels whose alpha is the glyphs' coverage, the texture
// rounded up to powers of two. Null when the font or the texture cannot be made;
// failureLine then names the failed step's debug line.
std::unique_ptr<platform::Texture> RenderFreeText(std::string_view text, std::string_view face, int size,
                                                  bool bold, bool italic, const char** failureLine);

struct FreeTextEntry {
  std::uint32_t lastUse = 0;  // milliseconds of the last draw
  std::uint32_t size = 0;     // texture bytes: width x height x 4
  std::unique_ptr<platform::Texture> texture;
};

class FreeTextCache {
 public:
  explicit FreeTextCache(std::uint32_t limit = 0) : m_Limit(limit) {}

  void SetLimit(std::uint32_t limit) { m_Limit = limit; }
  std::uint32_t Limit() const { return m_Limit; }
  std::uint32_t TotalBytes() const { return m_Total; }
  std::size_t EntryCount() const { return m_Entries.size(); }
  const FreeTextEntry* Find(const std::string& key) const;

  // The entry of a text, rendered on first use. A text whose font or texture
  // cannot be made is not kept (a debug line names the step), so that a later
  // frame tries again; null then. An empty text has no entry.
  FreeTextEntry* Acquire(std::string_view text, std::string_view face, int size, bool bold, bool italic);

  // Removes entries while the textures take more bytes than the limit: the
  // oldest first (now - last use, unsigned), among equally old ones the larger,
  // then the first in key order.
  void Trim(std::uint32_t now);

  // Releases every texture; the entries stay, without textures (the device is gone).
  void ReleaseTextures();

 private:
  std::map<std::string, FreeTextEntry> m_Entries;
  std::uint32_t m_Total = 0;
  std::uint32_t m_Limit;
};

}  // namespace nsZarn::nsGraphics
