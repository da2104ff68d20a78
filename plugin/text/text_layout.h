#pragma once
// Tagged text layout: a script string with inline tags (between the bytes 0x04 and
// 0x05) becomes a TextTokenSection of lines of glyph tokens, each with its
// character, font, size, colour, transparency, bold and italic flags, measured
// advance and height, and the ruby laid over it.
//
// Every line starts with an empty head token. While the layout runs, the head's
// advance holds the line's alignment (0 left, 1 centre, 2 right) and its height
// the font size when the line was opened; the last pass makes the advance the
// line's x offset and raises the height to the line's height. With a maximum
// width, the section starts with a width line: a head token whose advance is that
// width. A maximum of -1 means no limit.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/api/fwd.h"
#include "engine/api/token_containers.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// The longest text the layout takes after expansion, in bytes.
inline constexpr std::size_t kMaxLayoutTextBytes = 65534;

// A style value that tags push and pop; popping never removes the first entry.
template <typename T>
class StyleStack {
 public:
  explicit StyleStack(T bottom) : m_Values{bottom} {}
  T top() const { return m_Values.back(); }
  void push(const T& value) { m_Values.push_back(value); }
  void pop() {
    if (m_Values.size() > 1) m_Values.pop_back();
  }
  std::size_t depth() const { return m_Values.size(); }

 private:
  std::vector<T> m_Values;
};

// The ten style stacks of a layout, and the ruby waiting for the next glyph.
struct LayoutStyle {
  LayoutStyle(const std::string& baseFont, std::int32_t baseSize, std::uint32_t baseColor,
              std::int32_t baseCspace, std::int32_t baseRubyOffset, std::int32_t baseLspace,
              std::int32_t baseAlign)
      : font(baseFont), size(baseSize), color(baseColor), cspace(baseCspace),
        rubyOffset(baseRubyOffset), lspace(baseLspace), align(baseAlign) {}

  StyleStack<std::string> font;
  StyleStack<std::int32_t> size;
  StyleStack<std::uint32_t> color;
  StyleStack<std::int32_t> alpha{255};
  StyleStack<bool> bold{false};
  StyleStack<bool> italic{false};
  StyleStack<std::int32_t> cspace;
  StyleStack<std::int32_t> rubyOffset;
  StyleStack<std::int32_t> lspace;
  StyleStack<std::int32_t> align;

  bool rubyPending = false;
  nsTamskLib::RubyTextTokenLine pendingRuby;
};

// Reads a number: spaces, an optional '-', then at least one decimal digit.
// Returns the bytes read (spaces and sign included), 0 when there is no number.
// Values beyond the 32-bit range stop at its ends.
std::size_t ParseTagNumber(const char* text, std::int32_t* value);
// Reads a quoted string: spaces, a single quote, the bytes up to the next single
// quote. Returns the bytes read (both quotes included), 0 when a quote is missing
// or a NUL or line feed comes first.
std::size_t ParseTagString(const char* text, std::string* value);

// At a tag-opening byte: carries out the first of the text tags that matches and
// returns the bytes it took (0: no tag here). The ruby tag needs the engine's draw
// manager for the ruby font.
std::size_t DispatchTextTag(const char* text, LayoutStyle& style,
                            INovelEngine* engine);
// The same for the tags that ruby text knows (alpha, colour, bold, italic, size,
// character spacing).
std::size_t DispatchRubyTag(const char* text, LayoutStyle& style);

// Lays the text out into section (cleared first). The text goes through string
// argument expansion first.
void LayoutTaggedText(const std::string& text, const std::string& font, std::int32_t size,
                      std::uint32_t color, std::int32_t cspace, std::int32_t rubyOffset,
                      std::int32_t lspace, std::int32_t align, std::int32_t maxWidth,
                      std::int32_t maxHeight, INovelEngine* engine,
                      TextTokenSection& section);

// Lays ruby text out into one line of ruby tokens (cleared first): no line
// breaking; each token's height grows by the offset and its advance by the
// character spacing.
void LayoutRubyText(const std::string& text, const std::string& font, std::int32_t size,
                    std::uint32_t color, std::int32_t cspace, std::int32_t offset,
                    INovelEngine* engine,
                    nsTamskLib::RubyTextTokenLine& line);

// The glyph loop that the tagged layout and the text-window layout share.
struct GlyphLoopOptions {
  // A byte 0x02 marks a click-wait point.
  bool clickWaits = false;
  // Tries the tags at a tag-opening byte; returns the bytes taken (0: no tag). May
  // append marker tokens to the section's last line.
  std::function<std::size_t(const char* text, LayoutStyle& style,
                            TextTokenSection& section)>
      dispatchTag;
};

// Lays out the bytes of text (up to its end or a NUL) onto the section, which
// already holds its first line, then runs the last pass. firstLine is the index of
// the first line the last pass aligns (a width line before it stays as it is).
void RunGlyphLoop(const std::string& text, LayoutStyle& style, std::int32_t maxWidth,
                  std::int32_t maxHeight, INovelEngine* engine,
                  const GlyphLoopOptions& options, TextTokenSection& section,
                  std::uint32_t firstLine);

// A line head token: the alignment code as its advance, the size as its height.
nsTamskLib::TextToken LineHeadToken(std::int32_t align, std::int32_t size);

// The expanded text cut to the layout's limit at a character boundary (with a
// warning when it was longer).
std::string ExpandForLayout(const std::string& text, INovelEngine* engine);

}  // namespace nsWendrick
