#include "tests/plugin/kit/registration_check.h"

#include "engine/api/command.h"

namespace vesk_test {

std::size_t FixedKeywordCount() {
  std::size_t count = 0;
  for (const FixedCommandType& fixed : kFixedCommandTypes) count += fixed.keywords;
  return count;
}

std::vector<std::uint32_t> FixedSystemInputTypes() {
  std::vector<std::uint32_t> types;
  for (const FixedCommandType& fixed : kFixedCommandTypes) {
    if (fixed.systemInput) types.push_back(fixed.type);
  }
  return types;
}

std::vector<std::string> CommandTableFaults(std::span<const nsWendrick::CommandTypeEntry> rows,
                                            const std::map<std::string, unsigned>& hostKeywords) {
  std::vector<std::string> faults;
  std::map<std::string, std::uint32_t> seen;
  for (const nsWendrick::CommandTypeEntry& row : rows) {
    const std::string type = "type " + std::to_string(row.type) + ": ";
    if (row.factory == nullptr) {
      if (row.type != kParserOnlyType) faults.push_back(type + "no factory");
    } else if (row.type == kParserOnlyType) {
      faults.push_back(type + "a factory, though its parser makes another type");
    } else {
      nsTamskLib::ICmd_Base* command = row.factory();
      const std::uint32_t made = command->GetID();
      command->Destroy();
      if (made != row.type) {
        faults.push_back(type + "the factory makes type " + std::to_string(made));
      }
    }
    if (row.parser == nullptr) faults.push_back(type + "no parser");
    const nsWendrick::KeywordList keywords =
        row.keywords != nullptr ? row.keywords() : nsWendrick::KeywordList{};
    if (keywords.empty()) faults.push_back(type + "no keyword");
    for (const char* keyword : keywords) {
      const std::string text = keyword != nullptr ? keyword : "";
      if (text.empty()) {
        faults.push_back(type + "an empty keyword");
        continue;
      }
      const auto [first, added] = seen.emplace(text, row.type);
      if (!added) {
        faults.push_back(type + "\"" + text + "\" is also a keyword of type " +
                         std::to_string(first->second));
      }
      const auto host = hostKeywords.find(text);
      if (host == hostKeywords.end()) {
        faults.push_back(type + "\"" + text + "\" is not registered with the host");
      } else if (host->second != row.type) {
        faults.push_back(type + "\"" + text + "\" is registered with the host under type " +
                         std::to_string(host->second));
      }
    }
  }
  return faults;
}

}  // namespace vesk_test
