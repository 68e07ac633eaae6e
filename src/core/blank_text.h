#pragma once
// The blanks around what the user types or pastes into a box or a cell: spaces, tabs and line
// breaks, which never change what the text says.

#include <string_view>

namespace vantro::core {

inline constexpr std::string_view kBlanks = " \t\r\n";

inline std::string_view trimmedBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

inline bool isBlankText(std::string_view text) {
  return text.find_first_not_of(kBlanks) == std::string_view::npos;
}

}  // namespace vantro::core
