#include "core/fixed_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
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

namespace {

// |value|·10^places rounded half away from zero, as a whole number, where that can be told
// from one multiplication: below 1e15 every unit is a whole double, and the product, one
// rounding off, lies on the same side of the nearest half unit as the exact value and as the
// 15-digit form (5e-15 relative off) unless it is within 1e-14 of that half.
std::optional<double> unitsByScaling(double magnitude, int places) {
  const double scaled = magnitude * kPowersOfTen[static_cast<std::size_t>(places)];
  if (scaled >= 1e15) return std::nullopt;
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;
  if (std::fabs(fraction - 0.5) <= 1e-14 * scaled) return std::nullopt;
  return fraction > 0.5 ? whole + 1 : whole;
}

// Adds one unit in the last place of a string of decimal digits.
void roundUp(std::string& digits) {
  auto i = digits.rbegin();
  for (; i != digits.rend() && *i == '9'; ++i) *i = '0';
  if (i != digits.rend())
    ++*i;
  else
    digits.insert(digits.begin(), '1');
}

// The 15-digit form of |value| when it stands exactly halfway between two units of the last
// place kept: |value|·10^places rounded away from zero, as decimal digits. A decimal typed
// with 15 digits or fewer is held as a nearby double, 2.675 as 2.67499999999999982...; its
// 15-digit form is the decimal again, which decides the tie as the user sees it.
std::optional<std::string> unitsOfTypedTie(double magnitude, int places) {
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                     std::chars_format::scientific, kSignificantDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
  const auto mark = text.find('e');
  std::string digits;
  for (const char c : text.substr(0, mark))
    if (c != '.') digits += c;
  int exponent = 0;
  const std::string_view exponentText = text.substr(mark + 1);
  std::from_chars(exponentText.data() + (exponentText.front() == '+' ? 1 : 0),
                  exponentText.data() + exponentText.size(), exponent);

  // |value| = 0.d1d2...d15 · 10^(exponent + 1); the first digit dropped is d(kept + 1).
  const int kept = exponent + 1 + places;
  if (kept < 0 || kept >= kSignificantDigits) return std::nullopt;
  const auto first = static_cast<std::size_t>(kept);
  if (digits[first] != '5' || digits.find_first_not_of('0', first + 1) != std::string::npos)
    return std::nullopt;
  std::string units = digits.substr(0, first);
  roundUp(units);
  return units;
}

// |value|·10^places rounded half away from zero, from the value's exact decimal expansion:
// a double of binary exponent e has at most 53 − e fraction digits.
std::string unitsExactly(double magnitude, int places) {
  int exponent = 0;
  std::frexp(magnitude, &exponent);
  const int precision = std::max(places + 1, 53 - exponent);
  std::string buffer(400 + static_cast<std::size_t>(precision), '\0');
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                     std::chars_format::fixed, precision);
  buffer.resize(static_cast<std::size_t>(written.ptr - buffer.data()));
  const auto point = buffer.find('.');
  std::string units = buffer.substr(0, point) + buffer.substr(point + 1, places);
  if (buffer[point + 1 + static_cast<std::size_t>(places)] >= '5') roundUp(units);
  return units;
}

}  // namespace

// Rounded from the value itself, so that an amount of 16 or 17 significant digits keeps the
// decimals it has; only a tie in the 15-digit form, which the binary value hides, is decided by
// that form.
std::string formatFixed(double value, int decimalPlaces) {
  const int places = std::clamp(decimalPlaces, 0, kMaxDecimalPlaces);
  if (!std::isfinite(value)) return "Overflow";

  const double magnitude = std::fabs(value);
  std::string units;  // |result| * 10^places, as decimal digits
  if (const auto scaled = unitsByScaling(magnitude, places)) {
    units = std::to_string(static_cast<std::uint64_t>(*scaled));
  } else if (auto tie = unitsOfTypedTie(magnitude, places)) {
    units = std::move(*tie);
  } else {
    units = unitsExactly(magnitude, places);
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
  // Below 1e15 units, units/10^places is the double nearest the decimal.
  if (const auto units = unitsByScaling(std::fabs(value), places)) {
    if (*units == 0) return 0;
    return std::copysign(*units / kPowersOfTen[static_cast<std::size_t>(places)], value);
  }
  // Near a half, or too large for the fast path: read back what formatFixed writes.
  const std::string text = formatFixed(value, places);
  double rounded = 0;
  std::from_chars(text.data(), text.data() + text.size(), rounded);
  return rounded + 0.0;  // "0.00" has no sign, but keep −0 out whatever the reader does
}

}  // namespace vantro::core
