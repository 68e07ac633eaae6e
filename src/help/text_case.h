#pragma once
// Case folding for paths and search words: ASCII letters only, other bytes (UTF-8) as they are.

#include <string>
#include <string_view>

namespace vantro::help {

inline std::string foldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

}  // namespace vantro::help
