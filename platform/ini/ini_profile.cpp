#include "platform/ini/ini_profile.h"

#include <cstdio>
#include <memory>
#include <set>

#include "platform/files/files.h"
#include "platform/text/cp932.h"

namespace platform {
namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// A name that a C string would cut short collides with the shorter name.
bool HoldsNul(std::string_view name) { return name.find('\0') != std::string_view::npos; }

}  // namespace

std::vector<IniSection> ParseIniText(std::string_view text) {
  std::vector<IniSection> sections;
  IniSection* current = nullptr;  // null before the first section, and in a repeated one
  std::set<std::string, std::less<>> sectionNames;
  std::set<std::string, std::less<>> currentKeys;
  std::size_t lineStart = 0;
  while (lineStart < text.size()) {
    std::size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == ';') continue;

    if (line.front() == '[') {
      const std::size_t close = SjisFind(line, ']', 1);
      if (close == std::string_view::npos) continue;
      const std::string_view name = Trim(line.substr(1, close - 1));
      if (HoldsNul(name) || !sectionNames.emplace(name).second) {
        current = nullptr;
      } else {
        sections.push_back(IniSection{std::string(name), {}});
        current = &sections.back();
        currentKeys.clear();
      }
      continue;
    }

    if (current == nullptr) continue;
    const std::size_t equals = SjisFind(line, '=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, equals));
    std::string_view value = line.substr(equals + 1);
    value = Trim(value.substr(0, value.find('\0')));
    if (HoldsNul(key) || !currentKeys.emplace(key).second) continue;
    current->entries.emplace_back(std::string(key), std::string(value));
  }
  return sections;
}

bool ReadIniFile(std::string_view cp932Path, std::vector<IniSection>& sections) {
  sections.clear();
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFile(cp932Path, "rb"), std::fclose);
  if (!file) return false;
  std::string text;
  char buffer[8192];
  for (;;) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    text.append(buffer, n);
    if (n < sizeof buffer) break;
  }
  if (std::ferror(file.get()) != 0) return false;
  sections = ParseIniText(text);
  return true;
}

}  // namespace platform
