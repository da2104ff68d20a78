#include "engine/api/token_containers.h"

#include <algorithm>

namespace nsTamskLib {

std::uint32_t RubyTextTokenLine::GetWidth() const {
  std::uint32_t width = 0;
  for (std::uint32_t i = 0; i < size(); ++i) width += static_cast<std::uint32_t>(at(i).Width);
  return width;
}

std::uint32_t RubyTextTokenLine::GetHeight() const {
  std::uint32_t height = 0;
  for (std::uint32_t i = 0; i < size(); ++i) {
    height = std::max(height, static_cast<std::uint32_t>(at(i).Height));
  }
  return height;
}

std::uint32_t TextToken::GetLineWidth() const {
  return std::max(static_cast<std::uint32_t>(Width), Ruby.GetWidth());
}

std::uint32_t TextTokenLine::GetWidth() const {
  std::uint32_t width = 0;
  for (std::uint32_t i = 0; i < size(); ++i) width += at(i).GetLineWidth();
  return width;
}

std::uint32_t TextTokenLine::GetHeight() const {
  std::uint32_t height = 0;
  for (std::uint32_t i = 0; i < size(); ++i) {
    const TextToken& token = at(i);
    height = std::max(height, static_cast<std::uint32_t>(token.Height) + token.Ruby.GetHeight());
  }
  return height;
}

bool TextTokenLine::push_back(const TextToken& token, unsigned maxWidth) {
  if (GetWidth() + token.GetLineWidth() > maxWidth) return false;
  push_back(token);
  return true;
}

std::uint32_t TextTokenSection::GetWidth() const {
  std::uint32_t width = 0;
  for (std::uint32_t i = 0; i < size(); ++i) width = std::max(width, at(i).GetWidth());
  return width;
}

std::uint32_t TextTokenSection::GetHeight() const {
  std::uint32_t height = 0;
  for (std::uint32_t i = 0; i < size(); ++i) height += at(i).GetHeight();
  return height;
}

bool TextTokenSection::push_back(const TextTokenLine& line, unsigned maxWidth, unsigned maxHeight) {
  if (line.GetWidth() > maxWidth) return false;
  if (GetHeight() + line.GetHeight() > maxHeight) return false;
  push_back(line);
  return true;
}

Expression NumberExpression(std::int32_t value) {
  ExpressionToken number;
  number.Type = kTokenNumber;
  number.Value = value;
  Expression expr;
  expr.push_back(number);
  return expr;
}

void ResetElement(ExpressionToken& token) {
  token.Type = -1;
  token.SubType = -1;
  token.Extra = -1;
  token.Value = 0;
  token.Name = "";
  token.Sub.clear();
}

void ResetElement(RubyToken& token) {
  token.Text = "";
  token.Size = 0;
  token.Colour = 0;
  token.FontFace = "";
  token.Alpha = 0;
  token.Flag1 = 0;
  token.Flag2 = 0;
  token.Width = 0;
  token.Height = 0;
}

void ResetElement(TextToken& token) {
  token.Text = "";
  token.Size = 0;
  token.Colour = 0;
  token.FontFace = "";
  token.Alpha = 0;
  token.Flag1 = 0;
  token.Flag2 = 0;
  token.Width = 0;
  token.Height = 0;
  token.Ruby.clear();
}

void ResetElement(TextTokenLine& line) { line.clear(); }

}  // namespace nsTamskLib
