#pragma once
// Number texts the calculator writes.

#include <string>

namespace vantro::core {

// General number format: rounded to at most `significantDigits` significant digits, no
// thousands separators, a leading zero before the point, no trailing zeros or point, "-" for
// negatives. Magnitudes (after rounding) of 10^significantDigits or more, or below 0.0001, are
// written in exponent form with at least two exponent digits: 1E+15, 1.5E-05.
// One third gives "0.333333333333333"; sqrt(2) gives "1.4142135623731"; -0 gives "0".
// Never returns "inf" or "nan": non-finite values give "Overflow" (callers check before).
std::string formatGeneral(double value, int significantDigits = 15);

}  // namespace vantro::core
