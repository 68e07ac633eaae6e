// The numeric test of number_text.h.
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

  bool scan() {
    takeCurrency();
    if (at('+') || at('-')) ++pos_;
    takeCurrency();

    std::size_t digits = 0;
    while (pos_ < text_.size()) {
      if (isDigit(text_[pos_])) {
        ++pos_;
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
      while (isDigitAt(pos_)) {
        ++pos_;
        ++digits;
      }
    }
    if (digits == 0) return false;

    takeExponent();
    takeCurrency();
    return pos_ == text_.size();
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
    pos_ = position;
  }

  std::string_view text_;
  const NumberLocale& locale_;
  std::size_t pos_ = 0;
  bool currencyTaken_ = false;
};

bool isWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool isNumeric(std::string_view text, const NumberLocale& locale) {
  while (!text.empty() && isWhiteSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isWhiteSpace(text.back())) text.remove_suffix(1);
  return NumericScanner(text, locale).scan();
}

}  // namespace vantro::core
