// Feeds the number reader that Paste, the cash-flow list and the analysis window share with a
// locale description the fuzzer chooses (decimal point, thousands separator and currency
// symbol of up to three bytes each) and checks: every number the program writes, in the general
// format of the display and the fixed format of financial results, reads back as itself; the
// plain form it gives for any text is one the leading-number value reads whole; the cash-flow
// list rewritten once has one line per amount and reads back to itself.
//
// Input: three length bytes and the three texts, eight bytes of a double, a byte of decimal
// places, then the text to read.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/cash_flow_text.h"
#include "core/fixed_format.h"
#include "core/number_format.h"
#include "core/number_text.h"
#include "require.h"

using namespace vantro::core;

namespace {

using vantro::fuzz::Input;
using vantro::fuzz::require;

bool sameDouble(double a, double b) {
  return a == b && std::signbit(a) == std::signbit(b);
}

void checkWrittenNumber(const std::string& written, const NumberLocale& locale) {
  const auto plain = readNumber(written, locale);
  require(plain.has_value(), "a written number is not read");
  require(sameDouble(leadingNumberValue(*plain), leadingNumberValue(written)),
          "a written number reads back as another");
  const CashFlowList list = parseCashFlows(written, locale, kMaxDecimalPlaces);
  require(list.values.size() == 1 &&
              sameDouble(list.values.front() + 0.0, leadingNumberValue(written) + 0.0),
          "the list reads a written amount as another");
}

void checkAnyText(std::string_view text, const NumberLocale& locale, int places) {
  if (const auto plain = readNumber(text, locale)) {
    require(!plain->empty() && plain->find_first_not_of("+-0123456789.E") == std::string::npos,
            "plain form has other characters");
    require(readNumber(*plain, NumberLocale{".", "", ""}) == plain, "plain form is not plain");
    require(!std::isnan(leadingNumberValue(*plain)), "plain form reads as NaN");
  }
  const CashFlowList list = parseCashFlows(text, locale, places);
  const auto lines = static_cast<std::size_t>(std::count(list.text.begin(), list.text.end(), '\n'));
  require(lines == (list.text.empty() ? 0 : list.values.size()), "one line per amount");
  const CashFlowList again = parseCashFlows(list.text, locale, places);
  require(again.text == list.text && again.values.size() == list.values.size(),
          "the rewritten list changes when read again");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  NumberLocale locale;
  const std::size_t pointLength = input.byte() % 4;
  const std::size_t separatorLength = input.byte() % 4;
  const std::size_t symbolLength = input.byte() % 4;
  locale.decimalPoint = input.text(pointLength);
  locale.thousandsSeparator = input.text(separatorLength);
  locale.currencySymbol = input.text(symbolLength);
  const double value = input.number();
  const int places = input.byte() % (kMaxDecimalPlaces + 1);

  if (std::isfinite(value)) {
    checkWrittenNumber(formatGeneral(value), locale);
    checkWrittenNumber(formatFixed(value, places), locale);
  }
  checkAnyText(input.rest(), locale, places);
  return 0;
}
