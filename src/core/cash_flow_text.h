#pragma once
// The cash-flow list as the user types it: one amount per line.

#include <string>
#include <string_view>
#include <vector>

#include "core/number_text.h"

namespace vantro::core {

struct CashFlowList {
  // The amount of every line that passes the numeric test, in order; the single value 0 when
  // no line does.
  std::vector<double> values;
  // The list rewritten: each amount with `decimalPlaces` decimals and a CR LF after it, so
  // that the next reading takes the amounts as shown. Empty when no line passes.
  std::string text;
};

// Reads the list. A line ends at CR LF, CR or LF. A line is read by the rules that admit it:
// first as the list writes amounts and as its keys type them ("." the decimal point, no
// separators, the locale's currency symbol allowed), else by the locale's numeric test, so that
// "$100" is 100 and "1,000" is 1000 where "$" and "," are the locale's symbol and separator,
// and "1.000,5" is 1000.5 where "." groups and "," is the decimal point. The first rule keeps
// the list's own amounts, and what its keys can type, from being misread in a locale where "."
// groups thousands or is no number character at all. An amount beyond the range of a double
// stays as typed in the text and comes out infinite, for the caller to refuse.
CashFlowList parseCashFlows(std::string_view text, const NumberLocale& locale, int decimalPlaces);

}  // namespace vantro::core
