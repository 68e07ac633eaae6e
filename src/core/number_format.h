#pragma once
// Number texts the calculator writes.

#include <string>
#include <string_view>

#include "core/number_text.h"

namespace vantro::core {

// General number format: rounded to at most `significantDigits` significant digits, no
// thousands separators, a leading zero before the point, no trailing zeros or point, "-" for
// negatives. Magnitudes (after rounding) of 10^significantDigits or more, or below 0.0001, are
// written in exponent form with at least two exponent digits: 1E+15, 1.5E-05.
// One third gives "0.333333333333333"; sqrt(2) gives "1.4142135623731"; -0 gives "0".
// Never returns "inf" or "nan": non-finite values give "Overflow" (callers check before).
std::string formatGeneral(double value, int significantDigits = 15);

// A number text as formatFixed or formatGeneral writes it ("-1234567.5"), written for people
// reading the locale: its decimal point, and its thousands separator between each three digits
// of the integer part ("-1,234,567.5"; "-1.234.567,5" in German). Texts in exponent form keep
// their digits ungrouped. readNumber reads the result back in that locale.
std::string localeNumberText(std::string_view plain, const NumberLocale& locale);

}  // namespace vantro::core
