#pragma once
// The engine's containers of strings, parsed expressions and laid-out story text.
// All share the behaviour of PointerArray; the text containers add their widths,
// heights and the limited appends of the text layout. Widths, heights and limits
// are unsigned 32-bit numbers.

#include <cstdint>

#include "engine/api/mystr.h"
#include "engine/api/pointer_array.h"

namespace nsTamskLib {

inline constexpr const char* kVectorMystrName = "vector_mystr";
inline constexpr const char* kExpressionName = "Expression";
inline constexpr const char* kRubyTextTokenLineName = "RubyTextTokenLine";
inline constexpr const char* kTextTokenLineName = "TextTokenLine";
inline constexpr const char* kTextTokenSectionName = "TextTokenSection";

class vector_mystr : public PointerArray<mystr, &kVectorMystrName> {};

// Token types of an expression as the evaluator reads them.
enum ExpressionTokenType : std::int32_t {
  kTokenNumber = 0,
  kTokenOperator = 3,
  kTokenSymbol = 4,
};

struct ExpressionToken;

// A parsed expression: tokens in postfix order.
class Expression : public PointerArray<ExpressionToken, &kExpressionName> {};

struct ExpressionToken {
  std::int32_t Type = -1;
  std::int32_t SubType = -1;  // operator code
  std::int32_t Extra = -1;    // only set to -1 and copied by the engine
  std::int32_t Value = 0;
  mystr Name;                 // symbol name
  Expression Sub;
};

// An expression of one number: what a parser stores for a fixed argument.
Expression NumberExpression(std::int32_t value);

// One glyph of ruby text.
struct RubyToken {
  mystr Text;
  std::int32_t Size = 0;
  std::uint32_t Colour = 0;
  mystr FontFace;
  std::uint8_t Alpha = 0;
  std::uint8_t Flag1 = 0;
  std::uint8_t Flag2 = 0;
  std::int32_t Width = 0;   // the advance
  std::int32_t Height = 0;  // the ascent
};

class RubyTextTokenLine : public PointerArray<RubyToken, &kRubyTextTokenLineName> {
 public:
  // Sum of the ruby tokens' widths.
  std::uint32_t GetWidth() const;
  // Largest ruby token height.
  std::uint32_t GetHeight() const;
};

// One glyph of story text with the ruby glyphs over it.
struct TextToken {
  mystr Text;
  std::int32_t Size = 0;
  std::uint32_t Colour = 0;
  mystr FontFace;
  std::uint8_t Alpha = 0;
  std::uint8_t Flag1 = 0;
  std::uint8_t Flag2 = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  RubyTextTokenLine Ruby;

  // The width the token takes in a line: the larger of its advance and its ruby.
  std::uint32_t GetLineWidth() const;
};

class TextTokenLine : public PointerArray<TextToken, &kTextTokenLineName> {
 public:
  using PointerArray::push_back;

  // Sum over the tokens of the larger of the token's width and its ruby width.
  std::uint32_t GetWidth() const;
  // Largest token height plus the tallest of its ruby tokens.
  std::uint32_t GetHeight() const;
  // Appends unless the line would become wider than maxWidth; false when refused.
  bool push_back(const TextToken& token, unsigned maxWidth);
};

class TextTokenSection : public PointerArray<TextTokenLine, &kTextTokenSectionName> {
 public:
  using PointerArray::push_back;

  // The widest line.
  std::uint32_t GetWidth() const;
  // Sum of the line heights.
  std::uint32_t GetHeight() const;
  // Appends unless the line is wider than maxWidth or the section would become
  // higher than maxHeight; false when refused.
  bool push_back(const TextTokenLine& line, unsigned maxWidth, unsigned maxHeight);
};

// Empty states of the elements (what a new or cleared element holds).
void ResetElement(ExpressionToken& token);
void ResetElement(RubyToken& token);
void ResetElement(TextToken& token);
void ResetElement(TextTokenLine& line);

}  // namespace nsTamskLib
