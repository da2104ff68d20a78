#pragma once
// The script keywords of a command class, as the plug-in registers them with the
// host under the class's type. Each keyword is written once, in the table of
// statements its class parses (or, for a class that parses one keyword by its
// structure, in the class itself); every class lists them with a static Keywords().

#include <span>
#include <type_traits>
#include <vector>

namespace nsWendrick {

using KeywordList = std::span<const char* const>;

// The keyword column of a table of rows that have a `keyword` member, in row order,
// collected on the first call. Rows is the table itself or the function that returns it.
template <const auto& Rows>
KeywordList KeywordsOf() {
  static const std::vector<const char*> keywords = [] {
    std::vector<const char*> column;
    const auto& rows = [] () -> decltype(auto) {
      if constexpr (std::is_function_v<std::remove_reference_t<decltype(Rows)>>) {
        return Rows();
      } else {
        return (Rows);
      }
    }();
    for (const auto& row : rows) column.push_back(row.keyword);
    return column;
  }();
  return keywords;
}

}  // namespace nsWendrick
