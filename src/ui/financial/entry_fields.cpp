#include "ui/financial/entry_fields.h"

#include "core/checked_math.h"
#include "core/number_text.h"
#include "core/rate_or_period.h"

namespace vantro::ui::financial {

double readNumber(const std::string& text, NumberKind kind) {
  switch (kind) {
    case NumberKind::Percent:
      return core::checkedDivide(core::GetRateOrPeriod(text), 100);
    case NumberKind::Count:
      return core::GetRateOrPeriod(text);
    case NumberKind::Money:
      return core::checkedFinite(core::leadingNumberValue(text));
  }
  throw core::ArithmeticError(core::ArithmeticError::Kind::Invalid);
}

}  // namespace vantro::ui::financial
