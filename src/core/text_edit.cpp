#include "core/text_edit.h"

#include <cstddef>

namespace vantro::core {

namespace {

bool inRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

// Length of the well-formed UTF-8 sequence starting at `position` (the byte ranges of
// Unicode's table 3-7: no overlong forms, no surrogates, nothing past U+10FFFF), or 1 for a
// byte that starts none, so that every invalid byte counts as one character.
std::size_t characterLength(std::string_view text, std::size_t position) {
  const auto byteAt = [&](std::size_t offset) -> unsigned char {
    return position + offset < text.size() ? static_cast<unsigned char>(text[position + offset])
                                           : 0;
  };
  const unsigned char lead = byteAt(0);
  const auto continuation = [&](std::size_t offset) { return inRange(byteAt(offset), 0x80, 0xBF); };
  unsigned char secondLow = 0x80;
  unsigned char secondHigh = 0xBF;
  std::size_t length = 1;
  if (inRange(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (inRange(lead, 0xE0, 0xEF)) {
    length = 3;
    if (lead == 0xE0) secondLow = 0xA0;
    if (lead == 0xED) secondHigh = 0x9F;
  } else if (inRange(lead, 0xF0, 0xF4)) {
    length = 4;
    if (lead == 0xF0) secondLow = 0x90;
    if (lead == 0xF4) secondHigh = 0x8F;
  }
  if (length == 1) return 1;
  if (!inRange(byteAt(1), secondLow, secondHigh)) return 1;
  for (std::size_t offset = 2; offset < length; ++offset) {
    if (!continuation(offset)) return 1;
  }
  return length;
}

// Byte offset of character `index` (clamped to 0..charCount).
std::size_t byteOffset(std::string_view text, int index) {
  std::size_t position = 0;
  for (int counted = 0; counted < index && position < text.size(); ++counted) {
    position += characterLength(text, position);
  }
  return position;
}

}  // namespace

int charCount(std::string_view text) {
  int count = 0;
  for (std::size_t position = 0; position < text.size(); ++count) {
    position += characterLength(text, position);
  }
  return count;
}

std::string leftChars(std::string_view text, int count) {
  return std::string(text.substr(0, byteOffset(text, count)));
}

std::string charsFrom(std::string_view text, int start) {
  return std::string(text.substr(byteOffset(text, start)));
}

std::string insertAt(std::string_view text, int position, std::string_view insert) {
  const std::size_t offset = byteOffset(text, position);
  std::string result(text.substr(0, offset));
  result += insert;
  result += text.substr(offset);
  return result;
}

}  // namespace vantro::core
