#pragma once
// Reading the financial boxes: a rate in percent or a count through GetRateOrPeriod, money by
// its leading-number value. Each throws (ArithmeticError) on what no command can use.

#include <string>

#include "core/checked_math.h"
#include "core/number_text.h"
#include "core/rate_or_period.h"
#include "ui/controls.h"

namespace vantro::ui::financial {

inline double readCount(const TextBox& box) {
  return core::GetRateOrPeriod(box.text());
}

// A rate typed in percent, as a fraction.
inline double readRate(const TextBox& box) {
  return core::checkedDivide(core::GetRateOrPeriod(box.text()), 100);
}

inline double readMoney(const TextBox& box) {
  return core::checkedFinite(core::leadingNumberValue(box.text()));
}

}  // namespace vantro::ui::financial
