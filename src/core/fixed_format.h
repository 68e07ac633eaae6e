#pragma once
// The fixed-decimals format of financial results.

#include <string>

namespace vantro::core {

// The most decimal places a financial result is shown with. A double carries about 15
// significant digits; more places would only print zeros or noise.
inline constexpr int kMaxDecimalPlaces = 15;

// The pattern for d decimal places: "0" when d <= 0, else "0." and d zeros ("0.00" for 2).
std::string numberFormatPattern(int decimalPlaces);
// The number of decimal places a pattern of numberFormatPattern() asks for.
int decimalPlacesOf(const std::string& pattern);

// `value` rounded to `decimalPlaces` places (clamped to 0..kMaxDecimalPlaces), halves away from
// zero. The value itself is rounded, so that 12345678901234.56 keeps its cents; only where its
// decimal form at 15 significant digits stands exactly on a half does that form decide, so
// that 0.125 gives 0.13, 1.005 gives 1.01 and 2.675 gives 2.68 as a user expects although the
// doubles lie a little below. "." as the decimal point, at least one digit before it, "-" for
// negatives, no thousands separator; never "-0.00". A value that is not finite gives
// "Overflow" (callers check first).
std::string formatFixed(double value, int decimalPlaces);

// The amount formatFixed shows, as a double: `value` rounded by the same rule, then the double
// nearest that decimal (never −0). An amount carried in these keeps whole units of the last
// place shown. A value that is not finite comes back unchanged.
double roundToPlaces(double value, int decimalPlaces);

}  // namespace vantro::core
