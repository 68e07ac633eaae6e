#include "core/cash_flow_text.h"

#include <algorithm>
#include <cmath>

#include "core/fixed_format.h"

namespace vantro::core {

bool fitsCashFlowList(std::string_view text) {
  std::size_t lineStart = 0;
  for (;;) {
    const std::size_t lineEnd = std::min(text.find_first_of("\r\n", lineStart), text.size());
    if (lineEnd - lineStart > kMaxCashFlowLineBytes) return false;
    if (lineEnd == text.size()) return true;
    lineStart = lineEnd + 1;
  }
}

CashFlowList parseCashFlows(std::string_view text, const NumberLocale& locale, int decimalPlaces) {
  CashFlowList list;
  const NumberReader reader(locale);
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n\t", start), text.size());
    if (const auto plain = reader.read(text.substr(start, end - start))) {
      const double value = leadingNumberValue(*plain);
      list.values.push_back(value);
      list.text += std::isfinite(value) ? formatFixed(value, decimalPlaces) : *plain;
      list.text += "\r\n";
    }
    start = end + (text.substr(end).starts_with("\r\n") ? 2 : 1);
  }
  if (list.values.empty()) list.values.push_back(0);
  return list;
}

}  // namespace vantro::core
