#include "platform/message_box/message_box_dialog.h"

#include <algorithm>

#include "platform/graphics/compositor.h"
#include "platform/text/cp932.h"

namespace platform {
namespace {

// The face of the game's own text (mapped to IPA Gothic), so the box can show
// every character the game can.
constexpr char kFace[] = "ＭＳ ゴシック";
constexpr std::int32_t kFontHeight = 16;
constexpr int kLineGap = 4;
constexpr int kMaxTextWidth = 420;
// A longer text is cut (it is whole on standard error): the box stays on the screen.
constexpr std::size_t kMaxLines = 24;
constexpr char kEllipsis[] = "…";

constexpr int kMargin = 16;
constexpr int kIconGap = 12;
constexpr int kMinWidth = 220;
constexpr int kBandPadding = 10;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 28;
constexpr int kButtonPadding = 12;  // beside a label wider than the button
constexpr int kButtonGap = 8;

constexpr std::uint32_t kGround = 0xFFFFFFFFu;
constexpr std::uint32_t kBand = 0xFFF0F0F0u;
constexpr std::uint32_t kBandEdge = 0xFFDCDCDCu;
constexpr std::uint32_t kInk = 0xFF000000u;
constexpr std::uint32_t kButtonFace = 0xFFE1E1E1u;
constexpr std::uint32_t kButtonEdge = 0xFFADADADu;
constexpr std::uint32_t kHoverFace = 0xFFE5F1FBu;
constexpr std::uint32_t kPressedFace = 0xFFCCE4F7u;
constexpr std::uint32_t kAccent = 0xFF0078D7u;

Affine Translation(int x, int y) {
  Affine t;
  t.dx = x;
  t.dy = y;
  return t;
}

// A grey glyph as white ink whose alpha is its level (0..64).
Texture InkOf(const GlyphBitmap& glyph) {
  const int width = static_cast<int>(glyph.metrics.gmBlackBoxX);
  const int height = static_cast<int>(glyph.metrics.gmBlackBoxY);
  if (static_cast<std::size_t>(glyph.pitch) * glyph.metrics.gmBlackBoxY > glyph.levels.size() ||
      glyph.pitch < glyph.metrics.gmBlackBoxX) {
    return Texture(0, 0);
  }
  Texture ink(width, height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* levels = glyph.levels.data() + static_cast<std::size_t>(y) * glyph.pitch;
    std::uint32_t* row = ink.Row(y);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t level = std::min<std::uint32_t>(levels[x], 64u);
      row[x] = ((level * 255u + 32u) / 64u) << 24 | 0xFFFFFFu;
    }
  }
  return ink;
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(std::string_view text, MessageBoxButtons buttons, MessageBoxIcon icon)
    : m_Icon(icon) {
  if (buttons == MessageBoxButtons::YesNo) {
    m_Buttons.push_back({"はい", MessageBoxAnswer::Yes, {}});
    m_Buttons.push_back({"いいえ", MessageBoxAnswer::No, {}});
  } else {
    m_Buttons.push_back({"OK", MessageBoxAnswer::Ok, {}});
  }
  m_Font = CreateFont(FontRequest{kFace, kFontHeight, 0, false});
  if (!m_Font) return;
  m_Metrics = m_Font->GetTextMetrics();
  WrapText(text, kMaxTextWidth);
  PlaceEverything();
}

MessageBoxDialog::~MessageBoxDialog() = default;

const MessageBoxDialog::Glyph& MessageBoxDialog::GlyphOf(std::uint16_t code) {
  auto it = m_Glyphs.find(code);
  if (it != m_Glyphs.end()) return it->second;
  Glyph glyph;
  GlyphBitmap bitmap;
  if (m_Font->GetGlyphGray8(code, bitmap)) {
    glyph.ink = InkOf(bitmap);
    glyph.left = bitmap.metrics.gmptGlyphOriginX;
    glyph.top = bitmap.metrics.gmptGlyphOriginY;
    glyph.advance = std::max<int>(bitmap.metrics.gmCellIncX, 0);
  }
  return m_Glyphs.emplace(code, std::move(glyph)).first->second;
}

int MessageBoxDialog::TextWidth(std::string_view text) {
  int width = 0;
  for (std::size_t pos = 0, length = 0; (length = SjisCharLength(text, pos)) != 0; pos += length) {
    width += GlyphOf(SjisCharCode(text, pos)).advance;
  }
  return width;
}

// Lines end at the text's own line breaks and wherever the next character would
// pass the width: after the line's last space when it has one (so that words
// stay whole), else before that character (Japanese has no spaces).
void MessageBoxDialog::WrapText(std::string_view text, int maxWidth) {
  std::string line;
  int width = 0;
  std::size_t afterSpace = std::string::npos;
  auto endLine = [&] {
    m_Lines.push_back(line);
    line.clear();
    width = 0;
    afterSpace = std::string::npos;
  };
  for (std::size_t pos = 0, length = 0; (length = SjisCharLength(text, pos)) != 0; pos += length) {
    const std::string_view character = text.substr(pos, length);
    if (character == "\n") {
      endLine();
      continue;
    }
    if (character == "\r") continue;
    const int advance = GlyphOf(SjisCharCode(text, pos)).advance;
    if (width + advance > maxWidth && !line.empty()) {
      if (afterSpace != std::string::npos && afterSpace < line.size()) {
        const std::string word = line.substr(afterSpace);
        line.resize(afterSpace);
        endLine();
        line = word;
        width = TextWidth(line);
      } else {
        endLine();
      }
    }
    line += character;
    width += advance;
    if (character == " ") afterSpace = line.size();
  }
  m_Lines.push_back(line);
  while (m_Lines.size() > 1 && m_Lines.back().empty()) m_Lines.pop_back();
  if (m_Lines.size() > kMaxLines) {
    m_Lines.resize(kMaxLines - 1);
    m_Lines.push_back(kEllipsis);
  }
}

void MessageBoxDialog::PlaceEverything() {
  const bool hasIcon = !IconPicture(m_Icon).IsEmpty();
  m_LineHeight = m_Metrics.tmHeight + kLineGap;
  int textWidth = 0;
  for (const std::string& line : m_Lines) textWidth = std::max(textWidth, TextWidth(line));
  const int textHeight = static_cast<int>(m_Lines.size()) * m_LineHeight - kLineGap;
  const int contentHeight = std::max(textHeight, hasIcon ? kBoxIconSize : 0);
  int textLeft = kMargin;
  if (hasIcon) {
    m_IconArea = {kMargin, kMargin, kBoxIconSize, kBoxIconSize};
    textLeft += kBoxIconSize + kIconGap;
  }
  // A text shorter than the icon stands beside its middle.
  m_TextArea = {textLeft, kMargin + (contentHeight - textHeight) / 2, textWidth, textHeight};

  int rowWidth = 0;
  for (Button& button : m_Buttons) {
    button.area.width = std::max(kButtonWidth, TextWidth(button.label) + 2 * kButtonPadding);
    button.area.height = kButtonHeight;
    rowWidth += button.area.width;
  }
  rowWidth += kButtonGap * (ButtonCount() - 1);
  m_Width = std::max({textLeft + textWidth + kMargin, rowWidth + 2 * kMargin, kMinWidth});
  m_Band = {0, kMargin + contentHeight + kMargin, m_Width, kButtonHeight + 2 * kBandPadding};
  m_Height = m_Band.y + m_Band.height;
  int x = m_Width - kMargin - rowWidth;
  for (Button& button : m_Buttons) {
    button.area.x = x;
    button.area.y = m_Band.y + kBandPadding;
    x += button.area.width + kButtonGap;
  }
}

int MessageBoxDialog::ButtonAt(int x, int y) const {
  for (int i = 0; i < ButtonCount(); ++i) {
    if (ButtonArea(i).Contains(x, y)) return i;
  }
  return -1;
}

void MessageBoxDialog::Handle(const MessageBoxInput& input) {
  if (m_Answer) return;
  const int last = ButtonCount() - 1;
  using Kind = MessageBoxInput::Kind;
  switch (input.kind) {
    case Kind::KeyDown:
      switch (input.key) {
        case MessageBoxKey::Enter:
          m_HeldKey = input.key;
          m_KeyChoice = m_Focus;
          break;
        case MessageBoxKey::Escape:
          m_HeldKey = input.key;
          m_KeyChoice = last;
          break;
        case MessageBoxKey::Left: m_Focus = std::max(m_Focus - 1, 0); break;
        case MessageBoxKey::Right: m_Focus = std::min(m_Focus + 1, last); break;
        case MessageBoxKey::Tab: m_Focus = m_Focus == last ? 0 : m_Focus + 1; break;
        case MessageBoxKey::BackTab: m_Focus = m_Focus == 0 ? last : m_Focus - 1; break;
      }
      break;
    case Kind::KeyUp:
      if (m_HeldKey == input.key) m_Answer = m_Buttons[static_cast<std::size_t>(m_KeyChoice)].answer;
      break;
    case Kind::PointerMove: m_Hover = ButtonAt(input.x, input.y); break;
    case Kind::PointerLeave: m_Hover = -1; break;
    case Kind::PointerDown:
      m_Hover = m_Pressed = ButtonAt(input.x, input.y);
      if (m_Pressed >= 0) m_Focus = m_Pressed;
      break;
    case Kind::PointerUp:
      m_Hover = ButtonAt(input.x, input.y);
      if (m_Pressed >= 0 && m_Pressed == m_Hover) m_Answer = m_Buttons[static_cast<std::size_t>(m_Pressed)].answer;
      m_Pressed = -1;
      break;
    case Kind::CloseButton: m_Answer = m_Buttons.back().answer; break;
  }
}

void MessageBoxDialog::DrawText(Texture& picture, std::string_view text, int x, int top) {
  int pen = x;
  for (std::size_t pos = 0, length = 0; (length = SjisCharLength(text, pos)) != 0; pos += length) {
    const Glyph& glyph = GlyphOf(SjisCharCode(text, pos));
    if (!glyph.ink.IsEmpty()) {
      DrawSprite(picture, glyph.ink, SourceRect{0, 0, glyph.ink.Width(), glyph.ink.Height()},
                 Translation(pen + glyph.left, top + m_Metrics.tmAscent - glyph.top), kInk, BlendMode::Alpha);
    }
    pen += glyph.advance;
  }
}

// A lit face under the pointer, a darker one while pressed, and a thick accent
// frame round the focused button.
void MessageBoxDialog::DrawButton(Texture& picture, int index) {
  const Button& button = m_Buttons[static_cast<std::size_t>(index)];
  const bool lit = index == m_Hover;
  const bool pressed = lit && index == m_Pressed;
  FillBox(picture, button.area, pressed ? kPressedFace : lit ? kHoverFace : kButtonFace);
  OutlineBox(picture, button.area, index == m_Focus ? 2 : 1, lit || index == m_Focus ? kAccent : kButtonEdge);
  const int labelWidth = TextWidth(button.label);
  DrawText(picture, button.label, button.area.x + (button.area.width - labelWidth) / 2,
           button.area.y + (button.area.height - m_Metrics.tmHeight) / 2);
}

void MessageBoxDialog::Draw(Texture& picture) {
  ClearFrame(picture, kGround);
  if (!CanShow()) return;
  FillBox(picture, m_Band, kBand);
  FillBox(picture, {m_Band.x, m_Band.y, m_Band.width, 1}, kBandEdge);
  const Texture& icon = IconPicture(m_Icon);
  if (!icon.IsEmpty()) {
    DrawSprite(picture, icon, SourceRect{0, 0, icon.Width(), icon.Height()}, Translation(m_IconArea.x, m_IconArea.y),
               0xFFFFFFFFu, BlendMode::Alpha);
  }
  for (std::size_t i = 0; i < m_Lines.size(); ++i) {
    DrawText(picture, m_Lines[i], m_TextArea.x, m_TextArea.y + static_cast<int>(i) * m_LineHeight);
  }
  for (int i = 0; i < ButtonCount(); ++i) DrawButton(picture, i);
}

}  // namespace platform
