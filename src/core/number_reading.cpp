// readNumber of number_text.h: one scanner, run with the program's own form and then with the
// locale's.
//
// Accepted, after white space around the text is left out:
//   [currency] ( "(" [currency] body [currency] ")" | [sign] [currency] body ) [currency]
//   body: integer-digits [point fraction-digits] [exponent]
// with at least one digit before or after the point and the currency symbol at most once.
// A thousands separator may stand between two integer digits (so never first, last or
// doubled); it is not checked for groups of three, as users type "1,00" by mistake and the
// value is still plain. Blanks may stand next to the currency symbol and inside the
// parentheses ("100 kr", "$ 5", "( 5 )") but nowhere else inside the number. Where the decimal
// point and a thousands separator are the same text, it is read as the decimal point.

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>

#include "core/number_text.h"

namespace vantro::core {

namespace {

constexpr std::string_view kNoBreakSpace = "\u00A0";
constexpr std::string_view kNarrowNoBreakSpace = "\u202F";
constexpr std::string_view kMinusSign = "\u2212";
constexpr std::string_view kRightQuote = "\u2019";

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The length of the blank at the start of `text`: a space, a tab or a no-break space of
// either width; 0 when there is none.
std::size_t blankLength(std::string_view text) {
  if (!text.empty() && (text.front() == ' ' || text.front() == '\t')) return 1;
  for (const std::string_view blank : {kNoBreakSpace, kNarrowNoBreakSpace})
    if (text.starts_with(blank)) return blank.size();
  return 0;
}

std::size_t trailingBlankLength(std::string_view text) {
  if (!text.empty() && (text.back() == ' ' || text.back() == '\t')) return 1;
  for (const std::string_view blank : {kNoBreakSpace, kNarrowNoBreakSpace})
    if (text.ends_with(blank)) return blank.size();
  return 0;
}

bool isLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// Without the blanks and line breaks around it.
std::string_view trimmed(std::string_view text) {
  for (;;) {
    if (!text.empty() && isLineBreak(text.front())) {
      text.remove_prefix(1);
    } else if (const std::size_t blank = blankLength(text)) {
      text.remove_prefix(blank);
    } else {
      break;
    }
  }
  for (;;) {
    if (!text.empty() && isLineBreak(text.back())) {
      text.remove_suffix(1);
    } else if (const std::size_t blank = trailingBlankLength(text)) {
      text.remove_suffix(blank);
    } else {
      return text;
    }
  }
}

class NumericScanner {
 public:
  NumericScanner(std::string_view text, const NumberReader::Form& form)
      : text_(text), form_(form) {}

  std::optional<std::string> scan() {
    takeCurrency();
    const bool parenthesised = at('(');
    if (parenthesised) {
      pos_ = skipBlanks(pos_ + 1);
      plain_ += '-';
    } else if (at('+') || at('-')) {
      plain_ += text_[pos_++];
    } else if (startsWith(kMinusSign)) {
      pos_ += kMinusSign.size();
      plain_ += '-';
    }
    takeCurrency();

    if (!takeDigits()) return std::nullopt;
    takeExponent();
    takeCurrency();
    if (parenthesised) {
      pos_ = skipBlanks(pos_);
      if (!at(')')) return std::nullopt;
      ++pos_;
      takeCurrency();
    }
    if (pos_ != text_.size()) return std::nullopt;
    return std::move(plain_);
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
    while (position < text_.size()) {
      const std::size_t blank = blankLength(text_.substr(position));
      if (blank == 0) break;
      position += blank;
    }
    return position;
  }

  // The length of the thousands separator at the caret when a digit follows it; 0 otherwise.
  std::size_t groupSeparatorLength() const {
    if (startsWith(form_.decimalPoint)) return 0;
    for (const std::string& separator : form_.groupSeparators) {
      if (startsWith(separator) && isDigitAt(pos_ + separator.size())) return separator.size();
    }
    return 0;
  }

  // Integer digits with their separators, then the point and the fraction's digits. False
  // when there is no digit at all.
  bool takeDigits() {
    std::size_t digits = 0;
    while (pos_ < text_.size()) {
      if (isDigit(text_[pos_])) {
        plain_ += text_[pos_++];
        ++digits;
      } else if (const std::size_t separator = digits > 0 ? groupSeparatorLength() : 0) {
        pos_ += separator;
      } else {
        break;
      }
    }
    if (startsWith(form_.decimalPoint)) {
      pos_ += form_.decimalPoint.size();
      plain_ += '.';
      while (isDigitAt(pos_)) {
        plain_ += text_[pos_++];
        ++digits;
      }
    }
    return digits > 0;
  }

  // A symbol with any blanks around it, once per text.
  void takeCurrency() {
    if (currencyTaken_) return;
    const std::size_t symbol = skipBlanks(pos_);
    for (const std::string& currency : form_.currencySymbols) {
      if (!startsWithAt(symbol, currency)) continue;
      pos_ = skipBlanks(symbol + currency.size());
      currencyTaken_ = true;
      return;
    }
  }

  // "E" or "D", an optional sign and at least one digit; anything less is not an exponent
  // and is left for the currency symbol or to fail the test.
  void takeExponent() {
    if (!at('E') && !at('e') && !at('D') && !at('d')) return;
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
  const NumberReader::Form& form_;
  std::size_t pos_ = 0;
  bool currencyTaken_ = false;
  std::string plain_;
};

// The separators read as the locale's: the spaces stand for one another, as do the two
// apostrophes, since what a spreadsheet or a keyboard gives may be either.
std::vector<std::string> groupSeparatorsOf(const std::string& separator) {
  const std::vector<std::string> spaces = {" ", std::string(kNoBreakSpace),
                                           std::string(kNarrowNoBreakSpace)};
  const std::vector<std::string> apostrophes = {"'", std::string(kRightQuote)};
  for (const auto& twins : {spaces, apostrophes})
    if (std::find(twins.begin(), twins.end(), separator) != twins.end()) return twins;
  if (separator.empty()) return {};
  return {separator};
}

// Whether every "." in the text stands between a digit and exactly three digits, the first
// group being one to three digits that do not begin with 0: "10.000", "1.234.567,5".
bool groupedInThrees(std::string_view text) {
  const std::size_t first = text.find('.');
  if (first == std::string_view::npos) return false;
  std::size_t lead = 0;
  while (lead < first && isDigit(text[first - lead - 1])) ++lead;
  if (lead == 0 || lead > 3 || text[first - lead] == '0') return false;
  for (std::size_t point = first; point != std::string_view::npos;
       point = text.find('.', point + 1)) {
    if (point == 0 || !isDigit(text[point - 1])) return false;
    for (std::size_t i = 1; i <= 3; ++i)
      if (point + i >= text.size() || !isDigit(text[point + i])) return false;
    if (point + 4 < text.size() && isDigit(text[point + 4])) return false;
  }
  return true;
}

}  // namespace

NumberReader::NumberReader(const NumberLocale& locale) {
  std::vector<std::string> currencies = {"$"};
  if (!locale.currencySymbol.empty() && locale.currencySymbol != "$")
    currencies.push_back(locale.currencySymbol);
  plain_ = {".", {}, {}};
  own_ = {".", {}, currencies};
  regional_ = {locale.decimalPoint, groupSeparatorsOf(locale.thousandsSeparator), currencies};
  groupsWithPoint_ = locale.thousandsSeparator == "." && locale.decimalPoint != ".";
}

// The plain form is tried apart from the own form, so that a locale whose currency symbol is
// made of number characters ("-", "0") cannot change what a number the program wrote means.
std::optional<std::string> NumberReader::read(std::string_view text) const {
  text = trimmed(text);
  for (const Form* form : {&plain_, &own_, &regional_}) {
    if (auto number = NumericScanner(text, *form).scan()) return number;
  }
  return std::nullopt;
}

std::optional<std::string> NumberReader::readCell(std::string_view text) const {
  text = trimmed(text);
  if (groupsWithPoint_ && groupedInThrees(text)) {
    if (auto number = NumericScanner(text, regional_).scan()) return number;
  }
  return read(text);
}

std::optional<std::string> readNumber(std::string_view text, const NumberLocale& locale) {
  return NumberReader(locale).read(text);
}

bool isNumeric(std::string_view text, const NumberLocale& locale) {
  return readNumber(text, locale).has_value();
}

}  // namespace vantro::core
