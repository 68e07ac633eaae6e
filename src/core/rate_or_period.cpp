#include "core/rate_or_period.h"

#include "core/checked_math.h"
#include "core/number_text.h"

namespace vantro::core {

double GetRateOrPeriod(std::string_view text) {
  const double first = leadingNumberValue(text);  // stops at the operator
  if (const auto slash = text.find('/'); slash != std::string_view::npos)
    return checkedDivide(first, leadingNumberValue(text.substr(slash + 1)));
  if (const auto star = text.find('*'); star != std::string_view::npos)
    return checkedMultiply(first, leadingNumberValue(text.substr(star + 1)));
  return checkedFinite(first);
}

}  // namespace vantro::core
