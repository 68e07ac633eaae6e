#pragma once
// Reading numbers out of text, the two ways the calculator does it.

#include <optional>
#include <string>
#include <string_view>

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

// Numeric test: leaving out white space (space, tab, CR, LF) around it, the whole text reads as
// one number in the given locale: optional sign, digits with at most one decimal separator, an
// optional exponent; thousands separators and the currency symbol may stand in it. The empty
// text and white space alone fail. Texts are UTF-8.
bool isNumeric(std::string_view text, const NumberLocale& locale);

// The number a text that passes the numeric test stands for, written as the leading-number
// value reads it: sign, digits, "." and exponent, with the locale's thousands separators and
// currency symbol left out and its decimal point turned into "." ("$1,000.50" gives "1000.50",
// "1.234,5 €" in a German locale "1234.5"). Nothing when the text fails the numeric test.
std::optional<std::string> plainNumber(std::string_view text, const NumberLocale& locale);

}  // namespace vantro::core
