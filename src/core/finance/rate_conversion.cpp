// EFFECT and NOMINAL: a nominal annual rate compounded m times a year, and the effective
// annual rate it amounts to.

#include <cmath>

#include "core/finance/compounding.h"
#include "core/finance/finance.h"

namespace vantro::core::finance {

namespace {

void requireConvertible(double rate, double compoundings) {
  detail::requireFinite({rate, compoundings});
  if (!(rate > 0 && compoundings >= 1)) detail::fail(FinanceError::Reason::InvalidArgument);
}

}  // namespace

// Through log1p and expm1, so that tiny rates keep their digits.
double EFFECT(double nominalRate, double compoundings) {
  requireConvertible(nominalRate, compoundings);
  return detail::finiteResult(std::expm1(compoundings * std::log1p(nominalRate / compoundings)));
}

double NOMINAL(double effectiveRate, double compoundings) {
  requireConvertible(effectiveRate, compoundings);
  return detail::finiteResult(std::expm1(std::log1p(effectiveRate) / compoundings) * compoundings);
}

}  // namespace vantro::core::finance
