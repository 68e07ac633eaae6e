// The numeric test of number_text.h, and the plain number a text that passes it stands for.
//
// Accepted, after white space around the text is left out:
//   [currency] [sign] [currency] integer-digits [point fraction-digits] [exponent] [currency]
// with at least one digit before or after the point and the currency symbol at most once.
// A thousands separator may stand between two integer digits (so never first, last or
// doubled); it is not checked for groups of three, as users type "1,00" by mistake and the
// value is still plain. Spaces and tabs may stand next to the currency symbol ("100 kr",
// "$ 5") but nowhere else inside the number. An empty separator or symbol is a feature the
// locale does not have. Where the decimal point and the thousands separator are the same
// text, it is read as the decimal point.

#include <cstddef>
#include <optional>
#include <string>

#include "core/number_text.h"

namespace vantro::core {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

class NumericScanner {
 public:
  NumericScanner(std::string_view text, const NumberLocale& locale)
      : text_(text), locale_(locale) {}

  // The plain form of the number (sign, digits, ".", exponent) when the whole text is one.
  std::optional<std::string> scan() {
    takeCurrency();
    if (at('+') || at('-')) plain_ += text_[pos_++];
    takeCurrency();

    std::size_t digits = 0;
    while (pos_ < text_.size()) {
      if (isDigit(text_[pos_])) {
        plain_ += text_[pos_++];
        ++digits;
      } else if (digits > 0 && !startsWith(locale_.decimalPoint) &&
                 startsWith(locale_.thousandsSeparator) &&
                 isDigitAt(pos_ + locale_.thousandsSeparator.size())) {
        pos_ += locale_.thousandsSeparator.size();
      } else {
        break;
      }
    }
    if (startsWith(locale_.decimalPoint)) {
      pos_ += locale_.decimalPoint.size();
      plain_ += '.';
      while (isDigitAt(pos_)) {
        plain_ += text_[pos_++];
        ++digits;
      }
    }
    if (digits == 0) return std::nullopt;

    takeExponent();
    takeCurrency();
    if (pos_ != text_.size()) return std::nullopt;
    return plain_;
  }

 private:
  bool at(char c) const { return pos_ < text_.size() && text_[pos_] == c; }
  bool isDigitAt(std::size_t position) const {
    return position < text_.size() && isDigit(text_[position]);
  }
  bool startsWithAt(std::size_t position, std::string_view piece) const {
    return !piece.empty() && text_.substr(position).starts_with(piece);
  }
  bool startsWith(std::string_view piece) const { return startsWithAt(pos_, piece); }

  std::size_t skipBlanks(std::size_t position) const {
    while (position < text_.size() && (text_[position] == ' ' || text_[position] == '\t')) {
      ++position;
    }
    return position;
  }

  // The symbol with any blanks around it, once per text.
  void takeCurrency() {
    if (currencyTaken_) return;
    const std::size_t symbol = skipBlanks(pos_);
    if (!startsWithAt(symbol, locale_.currencySymbol)) return;
    pos_ = skipBlanks(symbol + locale_.currencySymbol.size());
    currencyTaken_ = true;
  }

  // "E", an optional sign and at least one digit; anything less is not an exponent and is
  // left for the currency symbol or to fail the test.
  void takeExponent() {
    if (!at('E') && !at('e')) return;
    std::size_t position = pos_ + 1;
    if (position < text_.size() && (text_[position] == '+' || text_[position] == '-')) {
      ++position;
    }
    if (!isDigitAt(position)) return;
    while (isDigitAt(position)) ++position;
    plain_ += 'E';
    plain_.append(text_.substr(pos_ + 1, position - pos_ - 1));
    pos_ = position;
  }

  std::string_view text_;
  const NumberLocale& locale_;
  std::size_t pos_ = 0;
  bool currencyTaken_ = false;
  std::string plain_;
};

bool isWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::string> plainNumber(std::string_view text, const NumberLocale& locale) {
  while (!text.empty() && isWhiteSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isWhiteSpace(text.back())) text.remove_suffix(1);
  return NumericScanner(text, locale).scan();
}

bool isNumeric(std::string_view text, const NumberLocale& locale) {
  return plainNumber(text, locale).has_value();
}

}  // namespace vantro::core
