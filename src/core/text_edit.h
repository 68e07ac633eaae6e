#pragma once
// Character-position helpers for UTF-8 text. Caret positions in the window logic count
// characters (code points), as the text boxes do; these keep multi-byte characters whole.

#include <string>
#include <string_view>

namespace vantro::core {

int charCount(std::string_view text);
// The first `count` characters (all of them when count exceeds the length; none when < 0).
std::string leftChars(std::string_view text, int count);
// The characters from position `start` (0-based) to the end.
std::string charsFrom(std::string_view text, int start);
// `text` with `insert` placed before character `position` (clamped to 0..length).
std::string insertAt(std::string_view text, int position, std::string_view insert);

}  // namespace vantro::core
