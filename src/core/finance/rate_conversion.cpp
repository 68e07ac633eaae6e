// EFFECT and NOMINAL: a nominal annual rate compounded m times a year, and the effective
// annual rate it amounts to; periodicRate: the rate per payment period that the nominal rate
// amounts to when payments fall p times a year.

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

// (1 + j/m)^(m/p) − 1 = expm1(m·log1p(j/m)/p), and e^(j/p) − 1 = expm1(j/p) for continuous
// compounding. m·log1p(j/m) stays near j however large m is, so it is formed before dividing
// by p: m/p alone may overflow where the rate itself is small. An exponent too far below 0
// for a double gives −1, the rate a double holds; one too far above is Overflow.
double periodicRate(double nominalRate, double paymentsPerYear, double compoundingsPerYear) {
  using Reason = FinanceError::Reason;
  detail::requireFinite({nominalRate, paymentsPerYear});
  if (!(paymentsPerYear > 0 && compoundingsPerYear > 0)) detail::fail(Reason::InvalidArgument);
  if (compoundingsPerYear == kContinuousCompounding) {
    return detail::finiteResult(std::expm1(nominalRate / paymentsPerYear));
  }
  const double perCompounding = nominalRate / compoundingsPerYear;
  detail::requireRateAboveMinusOne(perCompounding);
  // Compounded as often as paid: the quotient itself, so that such a schedule is, bit for bit,
  // the one at the rate per period.
  if (compoundingsPerYear == paymentsPerYear) return detail::finiteResult(perCompounding);
  const double exponent = compoundingsPerYear * std::log1p(perCompounding) / paymentsPerYear;
  return detail::finiteResult(std::expm1(exponent));
}

}  // namespace vantro::core::finance
