#include "tools/script_compiler/expression_parser.h"

#include <cstdint>

namespace nsScriptCompiler {
namespace {

// Operator codes of the engine's evaluator.
enum Code : std::int32_t {
  kAdd = 1, kNegate = 2, kSubtract = 3, kDivide = 4, kMultiply = 5, kRemainder = 6,
  kBitOr = 7, kBitAnd = 8, kBitXor = 9, kBitNot = 10, kLogicalNot = 11,
  kLogicalOr = 14, kLogicalAnd = 15, kEqual = 16, kGreater = 17, kLess = 18,
  kNotEqual = 19, kGreaterEqual = 20, kLessEqual = 21,
};

struct BinaryOperator {
  const char* text;
  Code code;
};

// Binary operators by precedence level, loosest first; longer texts first in a level.
const BinaryOperator kLevels[][4] = {
    {{"||", kLogicalOr}},
    {{"&&", kLogicalAnd}},
    {{"|", kBitOr}},
    {{"^", kBitXor}},
    {{"&", kBitAnd}},
    {{"==", kEqual}, {"!=", kNotEqual}},
    {{"<=", kLessEqual}, {">=", kGreaterEqual}, {"<", kLess}, {">", kGreater}},
    {{"+", kAdd}, {"-", kSubtract}},
    {{"*", kMultiply}, {"/", kDivide}, {"%", kRemainder}},
};
constexpr int kLevelCount = sizeof kLevels / sizeof kLevels[0];

bool IsLead(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0;
}

bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '@' || IsLead(c);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class Parser {
 public:
  Parser(const std::string& text, nsTamskLib::Expression& out) : m_Text(text), m_Out(out) {}

  bool Run() {
    if (!Binary(0)) return false;
    SkipSpace();
    return m_Pos == m_Text.size();
  }

 private:
  void SkipSpace() {
    while (m_Pos < m_Text.size() && (m_Text[m_Pos] == ' ' || m_Text[m_Pos] == '\t' ||
                                     m_Text[m_Pos] == '\r' || m_Text[m_Pos] == '\n')) {
      ++m_Pos;
    }
  }

  void EmitOperator(std::int32_t code) {
    nsTamskLib::ExpressionToken token;
    token.Type = nsTamskLib::kTokenOperator;
    token.SubType = code;
    m_Out.push_back(token);
  }

  // The operator of the level at the current position, without taking "|" of "||"
  // or "&" of "&&" for the tighter level.
  const BinaryOperator* OperatorAt(int level) const {
    for (const BinaryOperator& op : kLevels[level]) {
      if (op.text == nullptr) break;
      const std::string text = op.text;
      if (m_Text.compare(m_Pos, text.size(), text) != 0) continue;
      const char next = m_Pos + text.size() < m_Text.size() ? m_Text[m_Pos + text.size()] : '\0';
      if (text.size() == 1 && (next == text[0] || ((text == "<" || text == ">") && next == '='))) {
        continue;
      }
      return &op;
    }
    return nullptr;
  }

  bool Binary(int level) {
    if (level == kLevelCount) return Unary();
    if (!Binary(level + 1)) return false;
    for (;;) {
      SkipSpace();
      const BinaryOperator* op = OperatorAt(level);
      if (op == nullptr) return true;
      m_Pos += std::string(op->text).size();
      if (!Binary(level + 1)) return false;
      EmitOperator(op->code);
    }
  }

  bool Unary() {
    SkipSpace();
    if (m_Pos >= m_Text.size()) return false;
    const char c = m_Text[m_Pos];
    const Code code = c == '-' ? kNegate : c == '~' ? kBitNot : c == '!' ? kLogicalNot : kAdd;
    if (c == '-' || c == '~' || c == '!' || c == '+') {
      ++m_Pos;
      if (!Unary()) return false;
      if (code != kAdd) EmitOperator(code);
      return true;
    }
    return Primary();
  }

  bool Primary() {
    const char c = m_Text[m_Pos];
    if (c == '(') {
      ++m_Pos;
      if (!Binary(0)) return false;
      SkipSpace();
      if (m_Pos >= m_Text.size() || m_Text[m_Pos] != ')') return false;
      ++m_Pos;
      return true;
    }
    if (IsDigit(c)) return Number();
    if (IsNameStart(c)) return Name();
    return false;
  }

  bool Number() {
    std::uint64_t value = 0;
    std::uint64_t base = 10;
    if (m_Text.compare(m_Pos, 2, "0x") == 0 || m_Text.compare(m_Pos, 2, "0X") == 0) {
      base = 16;
      m_Pos += 2;
    }
    std::size_t digits = 0;
    for (; m_Pos < m_Text.size(); ++m_Pos, ++digits) {
      const char d = m_Text[m_Pos];
      std::uint64_t digit = 0;
      if (IsDigit(d)) {
        digit = static_cast<std::uint64_t>(d - '0');
      } else if (base == 16 && d >= 'a' && d <= 'f') {
        digit = static_cast<std::uint64_t>(d - 'a' + 10);
      } else if (base == 16 && d >= 'A' && d <= 'F') {
        digit = static_cast<std::uint64_t>(d - 'A' + 10);
      } else {
        break;
      }
      value = value * base + digit;
      if (value > 0xFFFFFFFFull) return false;
    }
    if (digits == 0 || (m_Pos < m_Text.size() && IsNameStart(m_Text[m_Pos]))) return false;
    nsTamskLib::ExpressionToken token;
    token.Type = nsTamskLib::kTokenNumber;
    token.Value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    m_Out.push_back(token);
    return true;
  }

  bool Name() {
    const std::size_t start = m_Pos;
    while (m_Pos < m_Text.size() && (IsNameStart(m_Text[m_Pos]) || IsDigit(m_Text[m_Pos]))) {
      m_Pos += IsLead(m_Text[m_Pos]) && m_Pos + 1 < m_Text.size() ? 2 : 1;
    }
    nsTamskLib::ExpressionToken token;
    token.Type = nsTamskLib::kTokenSymbol;
    token.Name = m_Text.substr(start, m_Pos - start).c_str();
    m_Out.push_back(token);
    return true;
  }

  const std::string& m_Text;
  nsTamskLib::Expression& m_Out;
  std::size_t m_Pos = 0;
};

}  // namespace

bool ParseExpression(const std::string& text, nsTamskLib::Expression& out) {
  out = nsTamskLib::Expression();
  return Parser(text, out).Run();
}

}  // namespace nsScriptCompiler
