#include "core/fixed_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace vantro::core {

namespace {
constexpr int kSignificantDigits = 15;

constexpr std::array<double, kMaxDecimalPlaces + 1> kPowersOfTen = {
    1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
}  // namespace

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

double roundToPlaces(double value, int decimalPlaces) {
  if (!std::isfinite(value)) return value;
  const int places = std::clamp(decimalPlaces, 0, kMaxDecimalPlaces);
  const double scale = kPowersOfTen[static_cast<std::size_t>(places)];
  // Fast path: |value|·10^places, one rounding off, and the 15-digit form, 5e-15 relative off,
  // lie on the same side of the nearest half unit unless they are within 1e-14 of it; below
  // 1e15 every unit is a whole double, so units/10^places is the double nearest the decimal.
  const double scaled = std::fabs(value) * scale;
  if (scaled < 1e15) {
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) > 1e-14 * scaled) {
      const double units = fraction > 0.5 ? whole + 1 : whole;
      if (units == 0) return 0;
      return std::copysign(units / scale, value);
    }
  }
  // Near a half, or too large for the fast path: read back what formatFixed writes.
  const std::string text = formatFixed(value, places);
  double rounded = 0;
  std::from_chars(text.data(), text.data() + text.size(), rounded);
  return rounded + 0.0;  // "0.00" has no sign, but keep −0 out whatever the reader does
}

}  // namespace vantro::core
