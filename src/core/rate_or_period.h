#pragma once

#include <string_view>

namespace vantro::core {

// Reads a field that may hold a number, a quotient "a/b" (8/12: a yearly 8 % spread over
// twelve months) or a product "a*b" (30*12: thirty years of months). The first "/" decides,
// else the first "*"; each side is read by its leading-number value, so "/4" is 0/4 and
// "12*" is 12*0. A zero divisor, 0/0, a result or a number beyond the double range throws
// ArithmeticError.
double GetRateOrPeriod(std::string_view text);

}  // namespace vantro::core
