#include "core/fixed_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace vantro::core {

namespace {
constexpr int kSignificantDigits = 15;
}

std::string numberFormatPattern(int decimalPlaces) {
  if (decimalPlaces <= 0) return "0";
  return "0." + std::string(static_cast<std::size_t>(decimalPlaces), '0');
}

int decimalPlacesOf(const std::string& pattern) {
  const auto point = pattern.find('.');
  return point == std::string::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
}

std::string formatFixed(double value, int decimalPlaces) {
  const int places = std::clamp(decimalPlaces, 0, kMaxDecimalPlaces);
  if (!std::isfinite(value)) return "Overflow";

  // The value's decimal form at 15 significant digits: |value| = 0.d1d2...d15 * 10^(exponent+1).
  std::string digits;
  int exponent = 0;
  if (value != 0) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const auto mark = text.find('e');
    for (const char c : text.substr(0, mark))
      if (c != '.') digits += c;
    const std::string_view exponentText = text.substr(mark + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);
  }

  // Keep the digits down to the place 10^-places and round half away from zero on the next.
  const int kept = value == 0 ? 0 : exponent + 1 + places;
  std::string units;  // |result| * 10^places, as decimal digits
  if (kept >= static_cast<int>(digits.size())) {
    units = digits + std::string(static_cast<std::size_t>(kept) - digits.size(), '0');
  } else if (kept >= 0) {
    units = digits.substr(0, static_cast<std::size_t>(kept));
    if (digits[static_cast<std::size_t>(kept)] >= '5') {
      int i = kept - 1;
      for (; i >= 0 && units[static_cast<std::size_t>(i)] == '9'; --i)
        units[static_cast<std::size_t>(i)] = '0';
      if (i >= 0)
        ++units[static_cast<std::size_t>(i)];
      else
        units.insert(units.begin(), '1');
    }
  }
  const bool zero = units.find_first_not_of('0') == std::string::npos;
  if (units.size() < static_cast<std::size_t>(places) + 1)
    units.insert(0, static_cast<std::size_t>(places) + 1 - units.size(), '0');
  const std::size_t integerDigits = units.size() - static_cast<std::size_t>(places);
  std::string text;
  if (value < 0 && !zero) text += '-';
  text.append(units, 0, integerDigits);
  if (places > 0) {
    text += '.';
    text.append(units, integerDigits);
  }
  return text;
}

}  // namespace vantro::core
