#include "core/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace vantro::core {

namespace {

// More digits than a double carries (17) would only print its binary noise.
constexpr int kMostSignificantDigits = 17;

struct RoundedDecimal {
  std::string digits;  // significant digits without trailing zeros, the first one nonzero
  int exponent = 0;    // value = d.ddd * 10^exponent
};

// Rounds |value| (finite, nonzero) to `significantDigits` digits. std::to_chars rounds
// correctly and, unlike printf, never writes the locale's decimal point.
RoundedDecimal roundToDigits(double magnitude, int significantDigits) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, significantDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  // text is "d.ddde+XX" or "de+XX"
  const std::size_t exponentMark = text.find('e');
  RoundedDecimal rounded;
  for (const char c : text.substr(0, exponentMark)) {
    if (c != '.') rounded.digits.push_back(c);
  }
  while (rounded.digits.size() > 1 && rounded.digits.back() == '0') rounded.digits.pop_back();
  const std::string_view exponentText = text.substr(exponentMark + 1);
  const bool negativeExponent = exponentText.front() == '-';
  int exponent = 0;
  std::from_chars(exponentText.data() + 1, exponentText.data() + exponentText.size(), exponent);
  rounded.exponent = negativeExponent ? -exponent : exponent;
  return rounded;
}

// d.dddE+XX: a point only when more digits follow, the exponent's sign always, two digits
// at least.
std::string exponentForm(const RoundedDecimal& rounded) {
  std::string text(1, rounded.digits.front());
  if (rounded.digits.size() > 1) {
    text += '.';
    text.append(rounded.digits, 1);
  }
  text += rounded.exponent < 0 ? "E-" : "E+";
  const int exponentMagnitude = std::abs(rounded.exponent);
  if (exponentMagnitude < 10) text += '0';
  text += std::to_string(exponentMagnitude);
  return text;
}

// Plain digits with the point where the exponent puts it; the caller guarantees
// -5 < exponent < significantDigits, so the zeros added stay few.
std::string fixedForm(const RoundedDecimal& rounded) {
  const int digitCount = static_cast<int>(rounded.digits.size());
  if (rounded.exponent < 0) {
    return "0." + std::string(static_cast<std::size_t>(-rounded.exponent - 1), '0') +
           rounded.digits;
  }
  const int integerDigits = rounded.exponent + 1;
  if (digitCount <= integerDigits) {
    return rounded.digits + std::string(static_cast<std::size_t>(integerDigits - digitCount), '0');
  }
  return rounded.digits.substr(0, static_cast<std::size_t>(integerDigits)) + "." +
         rounded.digits.substr(static_cast<std::size_t>(integerDigits));
}

}  // namespace

std::string formatGeneral(double value, int significantDigits) {
  if (!std::isfinite(value)) return "Overflow";
  if (value == 0) return "0";  // also -0
  significantDigits = std::clamp(significantDigits, 1, kMostSignificantDigits);

  const RoundedDecimal rounded = roundToDigits(std::fabs(value), significantDigits);
  // After rounding the magnitude lies in [10^exponent, 10^(exponent+1)).
  const bool useExponent = rounded.exponent >= significantDigits || rounded.exponent < -4;
  const std::string text = useExponent ? exponentForm(rounded) : fixedForm(rounded);
  return value < 0 ? "-" + text : text;
}

std::string localeNumberText(std::string_view plain, const NumberLocale& locale) {
  const std::size_t digitsStart = plain.find_first_of("0123456789");
  const std::size_t digitsEnd = digitsStart == std::string_view::npos
                                    ? digitsStart
                                    : plain.find_first_not_of("0123456789", digitsStart);
  const bool exponentForm = plain.find_first_of("eE") != std::string_view::npos;
  std::string text(
      plain.substr(0, digitsStart == std::string_view::npos ? plain.size() : digitsStart));
  if (digitsStart == std::string_view::npos) return text;
  const std::string_view integer =
      plain.substr(digitsStart, digitsEnd == std::string_view::npos ? std::string_view::npos
                                                                    : digitsEnd - digitsStart);
  for (std::size_t i = 0; i < integer.size(); ++i) {
    const std::size_t left = integer.size() - i;
    if (i > 0 && left % 3 == 0 && !exponentForm) text += locale.thousandsSeparator;
    text += integer[i];
  }
  if (digitsEnd == std::string_view::npos) return text;
  std::string_view rest = plain.substr(digitsEnd);
  if (!rest.empty() && rest.front() == '.') {
    text += locale.decimalPoint;
    rest.remove_prefix(1);
  }
  text += rest;
  return text;
}

}  // namespace vantro::core
