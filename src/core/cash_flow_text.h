#pragma once
// The cash-flow list as the user types it: one amount per line.

#include <cstddef>
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

// Reads the list. A line ends at CR LF, CR or LF; a tab also ends an amount, so that a row of
// spreadsheet cells gives one amount per cell, in order. Each amount is read by readNumber
// (number_text.h): the list's own amounts and what its keys type ("." the decimal point, "$")
// mean the same in every locale, and pasted amounts in the locale's form ("1.000,5" where ","
// is the decimal point), with "$" or the locale's currency symbol, or in parentheses as
// accounting negatives, count too. An amount beyond the range of a double stays as typed in
// the text and comes out infinite, for the caller to refuse.
// The longest line, in bytes, the list takes from the clipboard: far longer than any amount
// (a double holds 17 significant digits), short enough for an editor to lay out at once; a
// megabyte on one line keeps a text editor busy for seconds.
inline constexpr std::size_t kMaxCashFlowLineBytes = 32767;

// Whether no line of `text` (ended by CR, LF or CR LF) is longer than kMaxCashFlowLineBytes.
bool fitsCashFlowList(std::string_view text);

CashFlowList parseCashFlows(std::string_view text, const NumberLocale& locale, int decimalPlaces);

}  // namespace vantro::core
