#include "core/number_text.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace vantro::core {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a text with spaces, tabs and line feeds left out, wherever they stand.
class SkippingReader {
 public:
  explicit SkippingReader(std::string_view text) : text_(text) {}

  // The next character that is not skipped, or '\0' at the end (a NUL byte in the text ends
  // the number as any other non-number character does).
  char peek() {
    while (pos_ < text_.size() && isSkipped(text_[pos_])) ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void next() { ++pos_; }

 private:
  static bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Significant digits kept for the conversion. A halfway point between two doubles has at
// most 767 significant digits, so none lies strictly between the first 800 digits and the
// next 800-digit number; one nonzero "sticky" digit standing for whatever nonzero digits were
// dropped keeps the value inside that gap, and the rounding stays the same.
constexpr std::size_t kKeptDigits = 800;

// Decimal exponents beyond these bounds overflow or underflow whatever the digits are:
// value = 0.d1d2... * 10^exponent with d1 != 0 lies in [10^(exponent-1), 10^exponent).
constexpr std::int64_t kOverflowExponent = 310;
constexpr std::int64_t kUnderflowExponent = -330;
// Keeps exponent arithmetic far from int64 overflow; anything past it is decided already.
constexpr std::int64_t kExponentClamp = 1'000'000'000;

struct DecimalDigits {
  std::string digits;         // significant digits, the first one nonzero, at most kKeptDigits+1
  std::int64_t exponent = 0;  // value = 0.digits * 10^exponent
  bool sawDigit = false;
};

void addDigit(DecimalDigits& number, char digit, bool beforePoint) {
  number.sawDigit = true;
  if (number.digits.empty() && digit == '0') {
    // A leading zero: after the point it scales the value down.
    if (!beforePoint && number.exponent > -kExponentClamp) --number.exponent;
    return;
  }
  if (beforePoint && number.exponent < kExponentClamp) ++number.exponent;
  if (number.digits.size() < kKeptDigits) {
    number.digits.push_back(digit);
  } else if (number.digits.size() == kKeptDigits && digit != '0') {
    number.digits.push_back('1');  // sticky digit
  }
}

double convert(const DecimalDigits& number, bool negative) {
  const double sign = negative ? -1.0 : 1.0;
  if (number.digits.empty()) return sign * 0.0;
  if (number.exponent > kOverflowExponent) return sign * std::numeric_limits<double>::infinity();
  if (number.exponent < kUnderflowExponent) return sign * 0.0;

  std::string text = "0.";
  text += number.digits;
  text += 'e';
  text += std::to_string(number.exponent);
  double magnitude = 0;
  // std::from_chars reads the "C" format whatever the process locale is.
  const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    magnitude = number.exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return sign * magnitude;
}

// Reads an exponent's digits (after the letter and sign) into a clamped value.
std::int64_t readExponentDigits(SkippingReader& reader) {
  std::int64_t value = 0;
  while (isDigit(reader.peek())) {
    if (value < kExponentClamp) value = value * 10 + (reader.peek() - '0');
    reader.next();
  }
  return value;
}

}  // namespace

double leadingNumberValue(std::string_view text) {
  SkippingReader reader(text);
  bool negative = false;
  if (reader.peek() == '+' || reader.peek() == '-') {
    negative = reader.peek() == '-';
    reader.next();
  }

  DecimalDigits number;
  while (isDigit(reader.peek())) {
    addDigit(number, reader.peek(), true);
    reader.next();
  }
  if (reader.peek() == '.') {
    reader.next();
    while (isDigit(reader.peek())) {
      addDigit(number, reader.peek(), false);
      reader.next();
    }
  }
  if (!number.sawDigit) return 0.0;

  const char letter = reader.peek();
  if (letter == 'E' || letter == 'e' || letter == 'D' || letter == 'd') {
    reader.next();
    bool negativeExponent = false;
    if (reader.peek() == '+' || reader.peek() == '-') {
      negativeExponent = reader.peek() == '-';
      reader.next();
    }
    // Without digits ("1e", "1e+") the letter is not part of the number.
    const std::int64_t exponent = readExponentDigits(reader);
    number.exponent += negativeExponent ? -exponent : exponent;
  }
  return convert(number, negative);
}

}  // namespace vantro::core
