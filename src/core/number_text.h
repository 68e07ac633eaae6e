#pragma once
// Reading numbers out of text, the two ways the calculator does it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::core {

// Leading-number value: spaces, tabs and line feeds are skipped wherever they stand; then an
// optional sign, decimal digits with at most one "." and an optional exponent (E or D, optional
// sign, digits) are read as far as they go. A text without a number at its start gives 0
// ("", "-", ".", "abc"); "12abc" gives 12, "12/4" gives 12, "1,000" gives 1.
// A number beyond the double range gives +/-infinity (callers treat that as overflow);
// one below the smallest subnormal gives (signed) zero.
double leadingNumberValue(std::string_view text);

// How the user's locale writes numbers; the front end fills it from the system locale.
struct NumberLocale {
  std::string decimalPoint = ".";
  std::string thousandsSeparator = ",";
  std::string currencySymbol = "$";
};

// The number a text typed, pasted or listed by the user stands for, in the plain form the
// leading-number value reads (sign, digits, ".", an "E" exponent); nothing when the text is no
// number. White space around the text is left out. The text is read first in the program's
// own form, the way it writes numbers: "." the decimal point, no thousands separators, an
// exponent with E or D ("-1d3" is -1E3); then in the locale's form: its decimal point and
// thousands separator. Either form may carry "$" or the locale's currency symbol once, before
// or after the number, and may be an accounting negative in parentheses ("(1,000.00)" is
// -1000). So every number the program writes reads back as itself in any locale, while
// "1.234,5" is 1234.5 where "," is the decimal point; "1.5" there is 1.5, not 15.
// Also read, as spreadsheets and other locales write them: the minus sign U+2212; a plain
// space, a no-break space (U+00A0) and a narrow one (U+202F) as one another's twins in a
// locale that groups with one of them, and "'" as the twin of U+2019. A thousands separator
// stands only between two digits of the integer part. Texts are UTF-8.
std::optional<std::string> readNumber(std::string_view text, const NumberLocale& locale);

// The numeric test: the text is one number by readNumber's rules.
bool isNumeric(std::string_view text, const NumberLocale& locale);

// Reads many texts in one locale, sparing readNumber's set-up for each of them.
class NumberReader {
 public:
  explicit NumberReader(const NumberLocale& locale);
  std::optional<std::string> read(std::string_view text) const;
  // The same for a cell copied from a spreadsheet of the user's locale: where the locale groups
  // thousands with ".", the program's decimal point, a text grouped by it strictly in threes
  // ("-10.000", "2.750", "1.234.567,5") is the locale's number, as the spreadsheet wrote it, not
  // the program's decimal: "-10.000" is -10000 there, not -10. Every other text reads as read()
  // reads it, so "1.5", "0.125" and "1580.17" stay themselves.
  std::optional<std::string> readCell(std::string_view text) const;

  // One way of writing numbers: its decimal point, the texts that may group thousands, the
  // currency symbols it admits. Empty texts are features it lacks.
  struct Form {
    std::string decimalPoint;
    std::vector<std::string> groupSeparators;
    std::vector<std::string> currencySymbols;
  };

 private:
  Form plain_;     // the program's own, without currency
  Form own_;       // the program's own, with "$" or the locale's symbol
  Form regional_;  // the locale's
  bool groupsWithPoint_ = false;
};

}  // namespace vantro::core
