#include "tools/script_compiler/script_lexer.h"

#include <cstdio>
#include <cstring>

namespace nsScriptCompiler {
namespace {

bool IsLead(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsWordStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '@' || IsLead(c);
}

bool IsWordChar(char c) { return IsWordStart(c) || (c >= '0' && c <= '9'); }

// The line of the first byte that starts no Shift-JIS character (0x80, 0xA0,
// 0xFD-0xFF, or a lead byte without a trail byte 0x40-0x7E or 0x80-0xFC); 0 when
// the whole source is Shift-JIS.
std::int32_t FirstLineNotShiftJis(const std::string& source) {
  std::int32_t line = 1;
  for (std::size_t pos = 0; pos < source.size(); ++pos) {
    const auto byte = static_cast<unsigned char>(source[pos]);
    if (byte == '\n') ++line;
    if (byte == 0x80 || byte == 0xA0 || byte >= 0xFD) return line;
    if (!IsLead(source[pos])) continue;
    const auto trail = pos + 1 < source.size() ? static_cast<unsigned char>(source[pos + 1]) : 0u;
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return line;
    ++pos;
  }
  return 0;
}

class Lexer {
 public:
  explicit Lexer(const std::string& source) : m_Src(source) {}

  LexResult Run() {
    if (const std::int32_t line = FirstLineNotShiftJis(m_Src); line != 0) {
      m_Line = line;
      Fail("Shift-JISではない文字があります！");
      return std::move(m_Result);
    }
    bool statementStart = true;
    while (SkipSpaceAndComments(), m_Pos < m_Src.size()) {
      const char c = m_Src[m_Pos];
      if (c == '"') {
        if (!ReadString()) break;
        statementStart = false;
      } else if (c == ',' || c == ';' || c == '{' || c == '}') {
        Push(LexKind::kPunct, std::string(1, c));
        ++m_Pos;
        statementStart = c != ',';
      } else if (AssignmentAt(m_Pos) != 0) {
        const std::size_t length = AssignmentAt(m_Pos);
        Push(length == 1 ? LexKind::kPunct : LexKind::kAssign, m_Src.substr(m_Pos, length));
        m_Pos += length;
        statementStart = false;
      } else if (statementStart && IsWordStart(c)) {
        ReadWord();
        statementStart = m_Result.tokens.back().kind == LexKind::kLabel;
      } else {
        ReadArgument();
        statementStart = false;
      }
    }
    return std::move(m_Result);
  }

 private:
  void Push(LexKind kind, std::string text) {
    m_Result.tokens.push_back(LexToken{kind, std::move(text), m_Line});
  }

  void Fail(const char* message) {
    char text[256];
    std::snprintf(text, sizeof text, "エラー（%4d行目）：%s\n", m_Line, message);
    m_Result.error = text;
  }

  void Advance() {
    if (m_Src[m_Pos] == '\n') ++m_Line;
    ++m_Pos;
  }

  void SkipSpaceAndComments() {
    while (m_Pos < m_Src.size()) {
      if (IsSpace(m_Src[m_Pos])) {
        Advance();
      } else if (m_Src.compare(m_Pos, 2, "//") == 0) {
        while (m_Pos < m_Src.size() && m_Src[m_Pos] != '\n') ++m_Pos;
      } else {
        return;
      }
    }
  }

  // Length of an assignment operator or lone "=" at pos, else 0. "==" and the
  // comparisons "<=", ">=", "!=" are parts of expressions.
  std::size_t AssignmentAt(std::size_t pos) const {
    const char c = m_Src[pos];
    const char next = pos + 1 < m_Src.size() ? m_Src[pos + 1] : '\0';
    if (c == '=') return next == '=' ? 0 : 1;
    if (next == '=' && std::strchr("+-*/%|&^", c) != nullptr) return 2;
    return 0;
  }

  bool ReadString() {
    const std::int32_t line = m_Line;
    std::string body;
    ++m_Pos;
    while (m_Pos < m_Src.size() && m_Src[m_Pos] != '"') {
      // A backslash keeps the next byte, so "\"" never ends the string; a lead
      // byte keeps its trail byte, which may be 0x5C.
      const bool pair = (IsLead(m_Src[m_Pos]) || m_Src[m_Pos] == '\\') && m_Pos + 1 < m_Src.size();
      body += m_Src[m_Pos];
      Advance();
      if (pair) {
        body += m_Src[m_Pos];
        Advance();
      }
    }
    if (m_Pos >= m_Src.size()) {
      m_Line = line;
      Fail("文字列が閉じられていません！");
      return false;
    }
    ++m_Pos;
    m_Result.tokens.push_back(LexToken{LexKind::kString, std::move(body), line});
    return true;
  }

  void ReadWord() {
    const std::size_t start = m_Pos;
    while (m_Pos < m_Src.size() && IsWordChar(m_Src[m_Pos])) {
      m_Pos += IsLead(m_Src[m_Pos]) && m_Pos + 1 < m_Src.size() ? 2 : 1;
    }
    std::string word = m_Src.substr(start, m_Pos - start);
    std::size_t after = m_Pos;
    while (after < m_Src.size() && (m_Src[after] == ' ' || m_Src[after] == '\t')) ++after;
    if (after < m_Src.size() && m_Src[after] == ':') {
      m_Pos = after + 1;
      Push(LexKind::kLabel, std::move(word));
    } else {
      Push(LexKind::kWord, std::move(word));
    }
  }

  void ReadArgument() {
    const std::int32_t line = m_Line;
    std::string text;
    while (m_Pos < m_Src.size()) {
      const char c = m_Src[m_Pos];
      if (c == ',' || c == ';' || c == '{' || c == '}' || c == '"') break;
      if (m_Src.compare(m_Pos, 2, "//") == 0) break;
      if (AssignmentAt(m_Pos) != 0) break;
      // Two-character operators stay together ("==" above all, which is no "=").
      const bool pair = IsLead(c) || m_Src.compare(m_Pos, 2, "==") == 0 ||
                        m_Src.compare(m_Pos, 2, "!=") == 0 || m_Src.compare(m_Pos, 2, "<=") == 0 ||
                        m_Src.compare(m_Pos, 2, ">=") == 0;
      text += c;
      Advance();
      if (pair && m_Pos < m_Src.size()) {
        text += m_Src[m_Pos];
        Advance();
      }
    }
    while (!text.empty() && IsSpace(text.back())) text.pop_back();
    m_Result.tokens.push_back(LexToken{LexKind::kArgument, std::move(text), line});
  }

  const std::string& m_Src;
  std::size_t m_Pos = 0;
  std::int32_t m_Line = 1;
  LexResult m_Result;
};

}  // namespace

LexResult Lex(const std::string& source) { return Lexer(source).Run(); }

}  // namespace nsScriptCompiler
