#include "plugin/text/text_layout.h"

#include <climits>
#include <cstring>

#include "engine/api/draw_manager.h"
#include "engine/api/novel_engine.h"
#include "plugin/text/expansion.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/text/glyph_metrics.h"
#include "plugin/text/kinsoku.h"
#include "plugin/text/sjis.h"
#include "plugin/text/text_style_state.h"

namespace nsWendrick {
namespace {

using nsTamskLib::RubyTextTokenLine;
using nsTamskLib::RubyToken;
using nsTamskLib::TextToken;
using nsTamskLib::TextTokenLine;

constexpr char kLineFeed = '\x0A';
constexpr char kClickWaitByte = '\x02';

// -1 (or any negative maximum) taken as unsigned never limits.
unsigned Limit(std::int32_t maximum) { return static_cast<unsigned>(maximum); }

std::size_t SkipSpaces(const char* text) {
  std::size_t read = 0;
  while (text[read] == ' ') ++read;
  return read;
}

enum class TagArgument { kNone, kNumber, kColor, kString };

struct TagValues {
  std::int32_t number[3] = {0, 0, 0};
  std::string text;
};

// Matches 0x04, spaces, the word, its argument, spaces and 0x05 at text.
std::size_t MatchTag(const char* text, const char* word, TagArgument argument, TagValues* values) {
  if (text[0] != kTagOpen) return 0;
  std::size_t at = 1;
  at += SkipSpaces(text + at);
  const std::size_t wordLength = std::strlen(word);
  if (std::strncmp(text + at, word, wordLength) != 0) return 0;
  at += wordLength;
  switch (argument) {
    case TagArgument::kNone:
      break;
    case TagArgument::kNumber: {
      const std::size_t read = ParseTagNumber(text + at, &values->number[0]);
      if (read == 0) return 0;
      at += read;
      break;
    }
    case TagArgument::kColor:
      for (int i = 0; i < 3; ++i) {
        if (i > 0) {
          at += SkipSpaces(text + at);
          if (text[at] != ',') return 0;
          ++at;
        }
        const std::size_t read = ParseTagNumber(text + at, &values->number[i]);
        if (read == 0) return 0;
        at += read;
      }
      break;
    case TagArgument::kString: {
      const std::size_t read = ParseTagString(text + at, &values->text);
      if (read == 0) return 0;
      at += read;
      break;
    }
  }
  at += SkipSpaces(text + at);
  if (text[at] != kTagClose) return 0;
  return at + 1;
}

bool InByteRange(std::int32_t value) { return value >= 0 && value <= 255; }

// One tag: its word and argument, whether the values are acceptable, and what it
// does to the style.
struct TagRule {
  const char* word;
  TagArgument argument;
  bool (*accepts)(const TagValues&);
  void (*apply)(const TagValues&, LayoutStyle&);
};

bool AnyValues(const TagValues&) { return true; }
bool ByteValue(const TagValues& v) { return InByteRange(v.number[0]); }
bool ColorValues(const TagValues& v) {
  return InByteRange(v.number[0]) && InByteRange(v.number[1]) && InByteRange(v.number[2]);
}
bool NotNegative(const TagValues& v) { return v.number[0] >= 0; }

std::uint32_t ColorOf(const TagValues& v) {
  return static_cast<std::uint32_t>(v.number[0]) + static_cast<std::uint32_t>(v.number[1]) * 256u +
         static_cast<std::uint32_t>(v.number[2]) * 65536u;
}

// The tags both the text and the ruby know, in their order.
const TagRule kStyleTags[] = {
    {"alpha ", TagArgument::kNumber, ByteValue,
     [](const TagValues& v, LayoutStyle& s) { s.alpha.push(v.number[0]); }},
    {"/alpha", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.alpha.pop(); }},
    {"color ", TagArgument::kColor, ColorValues,
     [](const TagValues& v, LayoutStyle& s) { s.color.push(ColorOf(v)); }},
    {"/color", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.color.pop(); }},
    {"b", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.bold.push(true); }},
    {"/b", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.bold.pop(); }},
    {"i", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.italic.push(true); }},
    {"/i", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.italic.pop(); }},
    {"size ", TagArgument::kNumber, NotNegative,
     [](const TagValues& v, LayoutStyle& s) { s.size.push(v.number[0]); }},
    {"/size", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.size.pop(); }},
};

const TagRule kCspaceTags[] = {
    {"cspace ", TagArgument::kNumber, NotNegative,
     [](const TagValues& v, LayoutStyle& s) { s.cspace.push(v.number[0]); }},
    {"/cspace", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.cspace.pop(); }},
};

// The text tags after font and ruby.
const TagRule kLineTags[] = {
    {"lspace ", TagArgument::kNumber, NotNegative,
     [](const TagValues& v, LayoutStyle& s) { s.lspace.push(v.number[0]); }},
    {"/lspace", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.lspace.pop(); }},
    {"rubyoffset ", TagArgument::kNumber, NotNegative,
     [](const TagValues& v, LayoutStyle& s) { s.rubyOffset.push(v.number[0]); }},
    {"/rubyoffset", TagArgument::kNone, AnyValues,
     [](const TagValues&, LayoutStyle& s) { s.rubyOffset.pop(); }},
    {"alignleft", TagArgument::kNone, AnyValues,
     [](const TagValues&, LayoutStyle& s) { s.align.push(kAlignLeft); }},
    {"/alignleft", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.align.pop(); }},
    {"aligncenter", TagArgument::kNone, AnyValues,
     [](const TagValues&, LayoutStyle& s) { s.align.push(kAlignCenter); }},
    {"/aligncenter", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.align.pop(); }},
    {"alignright", TagArgument::kNone, AnyValues,
     [](const TagValues&, LayoutStyle& s) { s.align.push(kAlignRight); }},
    {"/alignright", TagArgument::kNone, AnyValues, [](const TagValues&, LayoutStyle& s) { s.align.pop(); }},
};

template <std::size_t N>
std::size_t TryRules(const TagRule (&rules)[N], const char* text, LayoutStyle& style) {
  for (const TagRule& rule : rules) {
    TagValues values;
    const std::size_t read = MatchTag(text, rule.word, rule.argument, &values);
    if (read != 0 && rule.accepts(values)) {
      rule.apply(values, style);
      return read;
    }
  }
  return 0;
}

std::string DrawManagerRubyFont(INovelEngine* engine) {
  if (engine == nullptr || engine->GetDrawManager() == nullptr) return std::string();
  const char* font = engine->GetDrawManager()->GetRubyFont();
  return font != nullptr ? font : "";
}

std::int32_t DrawManagerRubySize(INovelEngine* engine) {
  if (engine == nullptr || engine->GetDrawManager() == nullptr) return 0;
  return engine->GetDrawManager()->GetRubyFontSize();
}

// One character of the text at `at`: its bytes, the code the line-breaking sets
// use and the code it is measured by. A lead byte before the end is a one-byte
// character; the tag bytes stand for "<" and ">".
struct Character {
  std::string text;
  std::int32_t kinsokuCode = 0;
  std::int32_t glyphCode = 0;
  std::size_t length = 1;
};

Character CharacterAt(const char* at) {
  Character c;
  const unsigned char first = static_cast<unsigned char>(at[0]);
  if (IsSjisLeadByte(first) && at[1] != '\0') {
    const unsigned char second = static_cast<unsigned char>(at[1]);
    c.text.assign(at, 2);
    c.length = 2;
    c.glyphCode = static_cast<std::int32_t>(first) * 256 + second;
    c.kinsokuCode = c.glyphCode;
    return c;
  }
  char byte = at[0];
  if (byte == kTagOpen) byte = '<';
  if (byte == kTagClose) byte = '>';
  c.text.assign(1, byte);
  c.glyphCode = static_cast<unsigned char>(byte);
  c.kinsokuCode = static_cast<signed char>(byte);
  return c;
}

TextToken SpacingToken(std::int32_t advance) {
  TextToken token;
  token.Width = advance;
  return token;
}

// Where the previous glyph of the line being filled is.
struct PreviousGlyph {
  bool present = false;
  std::uint32_t line = 0;
  std::uint32_t index = 0;
  std::int32_t code = 0;
};

class GlyphLoop {
 public:
  GlyphLoop(LayoutStyle& style, std::int32_t maxWidth, std::int32_t maxHeight,
            INovelEngine* engine, const GlyphLoopOptions& options,
            TextTokenSection& section)
      : m_Style(style), m_MaxWidth(maxWidth), m_MaxHeight(maxHeight), m_Engine(engine),
        m_Options(options), m_Section(section) {}

  void Run(const std::string& text) {
    const char* bytes = text.c_str();
    std::size_t at = 0;
    while (bytes[at] != '\0') {
      const char byte = bytes[at];
      const bool singleByte = !IsSjisLeadByte(static_cast<unsigned char>(byte)) || bytes[at + 1] == '\0';
      if (singleByte && byte == kTagOpen && m_Options.dispatchTag) {
        const std::size_t read = m_Options.dispatchTag(bytes + at, m_Style, m_Section);
        if (read != 0) {
          at += read;
          continue;
        }
      }
      if (singleByte && byte == kLineFeed) {
        NewLineAtLineFeed();
        ++at;
        continue;
      }
      if (singleByte && byte == kClickWaitByte && m_Options.clickWaits) {
        TextToken marker;
        marker.Text = "ClickWait";
        m_Section.back().push_back(marker);
        ++at;
        continue;
      }
      const Character character = CharacterAt(bytes + at);
      LayOutGlyph(character);
      at += character.length;
    }
  }

 private:
  TextToken OpenLineHead() const { return LineHeadToken(m_Style.align.top(), m_Style.size.top()); }

  void AppendSpacingLine() {
    if (m_Style.lspace.top() == 0) return;
    TextTokenLine spacing;
    TextToken head;
    head.Height = m_Style.lspace.top();
    spacing.push_back(head);
    m_Section.push_back(spacing);
  }

  void NewLineAtLineFeed() {
    AppendSpacingLine();
    TextTokenLine line;
    line.push_back(OpenLineHead());
    TextToken feed;
    feed.Text = "\n";
    line.push_back(feed);
    m_Section.push_back(line);
    // A hard break ends the run: the next glyph neither carries nor slants
    // against the last glyph of the line before.
    m_Previous = PreviousGlyph{};
  }

  TextToken* PreviousToken() {
    if (!m_Previous.present || m_Previous.line >= m_Section.size()) return nullptr;
    TextTokenLine& line = m_Section.at(m_Previous.line);
    if (m_Previous.index >= line.size()) return nullptr;
    return &line.at(m_Previous.index);
  }

  TextToken MakeGlyph(const Character& character) {
    TextToken token;
    token.Text = character.text.c_str();
    token.Size = m_Style.size.top();
    token.Colour = m_Style.color.top();
    token.FontFace = m_Style.font.top().c_str();
    token.Alpha = static_cast<std::uint8_t>(m_Style.alpha.top());
    token.Flag1 = m_Style.bold.top() ? 1 : 0;
    token.Flag2 = m_Style.italic.top() ? 1 : 0;
    if (m_Style.rubyPending) {
      token.Ruby = m_Style.pendingRuby;
      m_Style.pendingRuby.clear();
      m_Style.rubyPending = false;
    }
    GetGlyphMetrics(&token.Width, &token.Height, character.glyphCode, m_Style.font.top(),
                    token.Size, m_Style.bold.top(), m_Style.italic.top());
    return token;
  }

  // Whether a glyph stands on the last line before the previous glyph.
  bool PreviousGlyphHasGlyphBefore() const {
    const TextTokenLine& line = m_Section.back();
    for (std::uint32_t i = 0; i < m_Previous.index && i < line.size(); ++i) {
      const nsTamskLib::mystr& text = line.at(i).Text;
      if (text != "" && text != "\n" && text != "ClickWait" && text != "TagCmd") return true;
    }
    return false;
  }

  bool Carries(std::int32_t code) const {
    if (!m_Previous.present || m_Previous.line + 1 != m_Section.size()) return false;
    // Carrying the first glyph of a line would leave the line empty, and the
    // glyph would only meet the same rule again on the next line.
    if (!PreviousGlyphHasGlyphBefore()) return false;
    const std::int32_t previous = m_Previous.code;
    if (IsFollowingWeakCh(previous) && IsFollowingWeakCh(code)) return false;
    return IsLeadingCh(previous) || IsFollowingCh(code);
  }

  void LayOutGlyph(const Character& character) {
    const TextToken glyph = MakeGlyph(character);
    // Only the last glyph of an italic run keeps its slant allowance.
    std::int32_t slantTaken = 0;
    TextToken* previous = PreviousToken();
    if (glyph.Flag2 != 0 && previous != nullptr && previous->Flag2 != 0) {
      slantTaken = previous->Size / 4;
      previous->Width -= slantTaken;
    }
    if (!m_Section.back().push_back(glyph, Limit(m_MaxWidth))) {
      BreakLineBefore(glyph, character.kinsokuCode, slantTaken);
    }
    m_Previous.present = true;
    m_Previous.line = m_Section.size() - 1;
    m_Previous.index = m_Section.back().size() - 1;
    m_Previous.code = character.kinsokuCode;
    if (m_Style.cspace.top() != 0) m_Section.back().push_back(SpacingToken(m_Style.cspace.top()));
  }

  void BreakLineBefore(const TextToken& glyph, std::int32_t code, std::int32_t slantTaken) {
    TextToken* previous = PreviousToken();
    if (previous != nullptr) previous->Width += slantTaken;
    TextTokenLine line;
    line.push_back(OpenLineHead());
    TextToken feed;
    feed.Text = "\n";
    line.push_back(feed);
    if (Carries(code)) {
      if (previous != nullptr) previous->Width -= slantTaken;
      TextTokenLine& last = m_Section.back();
      const std::uint32_t from = m_Previous.index;
      for (std::uint32_t i = from; i < last.size(); ++i) line.push_back(last.at(i));
      while (last.size() > from) last.pop_back();
    }
    if (!line.push_back(glyph, Limit(m_MaxWidth))) {
      HostRuntimeWarning(OwnerWindow(m_Engine), "横幅が最大を超過しています！");
      line.push_back(glyph);
    }
    AppendSpacingLine();
    if (!m_Section.push_back(line, Limit(m_MaxWidth), Limit(m_MaxHeight))) {
      if (m_Section.GetHeight() + line.GetHeight() > Limit(m_MaxHeight)) {
        HostRuntimeWarning(OwnerWindow(m_Engine), "縦幅が最大を超過しています！");
        m_MaxHeight = -1;
      }
      m_Section.push_back(line);
    }
  }

  LayoutStyle& m_Style;
  std::int32_t m_MaxWidth;
  std::int32_t m_MaxHeight;
  INovelEngine* m_Engine;
  const GlyphLoopOptions& m_Options;
  TextTokenSection& m_Section;
  PreviousGlyph m_Previous;
};

// The last pass: heads raised to their line's height and given their x offset.
void AlignLines(TextTokenSection& section, std::int32_t maxWidth, std::uint32_t firstLine) {
  for (std::uint32_t i = firstLine; i < section.size(); ++i) {
    TextTokenLine& line = section.at(i);
    if (line.empty()) continue;
    TextToken& head = line.at(0);
    const std::uint32_t height = line.GetHeight();
    if (static_cast<std::uint32_t>(head.Height) < height) head.Height = static_cast<std::int32_t>(height);
    const std::uint32_t width = line.GetWidth();  // counts the alignment code in the head
    if (maxWidth == -1 || width >= static_cast<std::uint32_t>(maxWidth)) {
      head.Width = 0;
      continue;
    }
    const std::uint32_t room = static_cast<std::uint32_t>(maxWidth) - width;
    if (head.Width == kAlignCenter) {
      head.Width = static_cast<std::int32_t>(room >> 1);
    } else if (head.Width == kAlignRight) {
      head.Width = static_cast<std::int32_t>(room);
    } else {
      head.Width = 0;
    }
  }
}

}  // namespace

std::size_t ParseTagNumber(const char* text, std::int32_t* value) {
  std::size_t at = SkipSpaces(text);
  bool negative = false;
  if (text[at] == '-') {
    negative = true;
    ++at;
  }
  if (text[at] < '0' || text[at] > '9') return 0;
  long long magnitude = 0;
  while (text[at] >= '0' && text[at] <= '9') {
    if (magnitude <= static_cast<long long>(INT_MAX) + 1) magnitude = magnitude * 10 + (text[at] - '0');
    ++at;
  }
  long long signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT_MAX) signedValue = INT_MAX;
  if (signedValue < INT_MIN) signedValue = INT_MIN;
  *value = static_cast<std::int32_t>(signedValue);
  return at;
}

std::size_t ParseTagString(const char* text, std::string* value) {
  std::size_t at = SkipSpaces(text);
  if (text[at] != '\'') return 0;
  ++at;
  const std::size_t start = at;
  while (text[at] != '\'') {
    if (text[at] == '\0' || text[at] == kLineFeed) return 0;
    ++at;
  }
  value->assign(text + start, at - start);
  return at + 1;
}

std::size_t DispatchTextTag(const char* text, LayoutStyle& style,
                            INovelEngine* engine) {
  if (const std::size_t read = TryRules(kStyleTags, text, style)) return read;
  TagValues values;
  if (const std::size_t read = MatchTag(text, "font ", TagArgument::kString, &values)) {
    style.font.push(values.text);
    return read;
  }
  if (const std::size_t read = MatchTag(text, "/font", TagArgument::kNone, &values)) {
    style.font.pop();
    return read;
  }
  if (const std::size_t read = MatchTag(text, "ruby ", TagArgument::kString, &values)) {
    LayoutRubyText(values.text, DrawManagerRubyFont(engine), DrawManagerRubySize(engine),
                   style.color.top(), TextStyle().ruby.cspace.current, style.rubyOffset.top(),
                   engine, style.pendingRuby);
    style.rubyPending = true;
    return read;
  }
  if (const std::size_t read = TryRules(kCspaceTags, text, style)) return read;
  return TryRules(kLineTags, text, style);
}

std::size_t DispatchRubyTag(const char* text, LayoutStyle& style) {
  if (const std::size_t read = TryRules(kStyleTags, text, style)) return read;
  return TryRules(kCspaceTags, text, style);
}

nsTamskLib::TextToken LineHeadToken(std::int32_t align, std::int32_t size) {
  TextToken head;
  head.Width = align;
  head.Height = size;
  return head;
}

std::string ExpandForLayout(const std::string& text, INovelEngine* engine) {
  std::string expanded = ExpandVariables(text, engine);
  const std::size_t end = expanded.find('\0');
  if (end != std::string::npos) expanded.resize(end);
  if (expanded.size() <= kMaxLayoutTextBytes) return expanded;
  std::size_t cut = 0;
  while (cut < kMaxLayoutTextBytes) {
    const std::size_t length = IsSjisLeadByte(static_cast<unsigned char>(expanded[cut])) ? 2 : 1;
    if (cut + length > kMaxLayoutTextBytes) break;
    cut += length;
  }
  HostRuntimeWarning(OwnerWindow(engine), "テキストが長すぎます！（%u バイト）",
                     static_cast<unsigned>(expanded.size()));
  expanded.resize(cut);
  return expanded;
}

void RunGlyphLoop(const std::string& text, LayoutStyle& style, std::int32_t maxWidth,
                  std::int32_t maxHeight, INovelEngine* engine,
                  const GlyphLoopOptions& options, TextTokenSection& section,
                  std::uint32_t firstLine) {
  GlyphLoop loop(style, maxWidth, maxHeight, engine, options, section);
  loop.Run(text);
  AlignLines(section, maxWidth, firstLine);
}

void LayoutTaggedText(const std::string& text, const std::string& font, std::int32_t size,
                      std::uint32_t color, std::int32_t cspace, std::int32_t rubyOffset,
                      std::int32_t lspace, std::int32_t align, std::int32_t maxWidth,
                      std::int32_t maxHeight, INovelEngine* engine,
                      TextTokenSection& section) {
  section.clear();
  const std::string expanded = ExpandForLayout(text, engine);
  LayoutStyle style(font, size, color, cspace, rubyOffset, lspace, align);
  std::uint32_t firstLine = 0;
  if (maxWidth != -1) {
    TextTokenLine widthLine;
    widthLine.push_back(LineHeadToken(maxWidth, 0));
    section.push_back(widthLine);
    firstLine = 1;
  }
  TextTokenLine first;
  first.push_back(LineHeadToken(align, size));
  section.push_back(first);
  GlyphLoopOptions options;
  options.dispatchTag = [engine](const char* at, LayoutStyle& s, TextTokenSection&) {
    return DispatchTextTag(at, s, engine);
  };
  RunGlyphLoop(expanded, style, maxWidth, maxHeight, engine, options, section, firstLine);
}

void LayoutRubyText(const std::string& text, const std::string& font, std::int32_t size,
                    std::uint32_t color, std::int32_t cspace, std::int32_t offset,
                    INovelEngine* /*engine*/, RubyTextTokenLine& line) {
  line.clear();
  LayoutStyle style(font, size, color, cspace, 0, 0, kAlignLeft);
  const char* bytes = text.c_str();
  std::size_t at = 0;
  bool previousItalic = false;
  while (bytes[at] != '\0') {
    if (bytes[at] == kTagOpen) {
      if (const std::size_t read = DispatchRubyTag(bytes + at, style)) {
        at += read;
        continue;
      }
    }
    const Character character = CharacterAt(bytes + at);
    at += character.length;
    RubyToken token;
    token.Text = character.text.c_str();
    token.Size = style.size.top();
    token.Colour = style.color.top();
    token.FontFace = style.font.top().c_str();
    token.Alpha = static_cast<std::uint8_t>(style.alpha.top());
    token.Flag1 = style.bold.top() ? 1 : 0;
    token.Flag2 = style.italic.top() ? 1 : 0;
    GetGlyphMetrics(&token.Width, &token.Height, character.glyphCode, style.font.top(), token.Size,
                    style.bold.top(), style.italic.top());
    if (offset != 0) token.Height += offset;
    if (style.cspace.top() != 0) token.Width += style.cspace.top();
    if (token.Flag2 != 0 && previousItalic) {
      RubyToken& previous = line.back();
      previous.Width -= previous.Size / 4;
    }
    previousItalic = token.Flag2 != 0;
    line.push_back(token);
  }
}

}  // namespace nsWendrick
