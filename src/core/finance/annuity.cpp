// The closed forms of the annuity relation: PV, FV, PMT and NPer.
//
// All work on the relation in its bounded form (RelationCoefficients): whichever of growth
// and 1/growth is at most 1 multiplies an amount, so nothing overflows before the result
// does, and (1+rate)^periods comes from exp(periods·log1p(rate)), exact in the limit of
// tiny rates where pow(1 + rate, periods) would already have lost the rate's low digits.

#include <cmath>

#include "core/finance/compounding.h"
#include "core/finance/finance.h"

namespace vantro::core::finance {

using detail::AmountScale;
using detail::RelationCoefficients;
using Reason = FinanceError::Reason;

namespace {

// Checks shared by PV, FV and PMT; returns 1 + rate·due.
double checkedTiming(double rate, double periods, double amountA, double amountB, PaymentDue due) {
  detail::requireFinite({rate, periods, amountA, amountB});
  detail::requireRateAboveMinusOne(rate);
  return 1 + rate * detail::dueFlag(due);
}

}  // namespace

double PV(double rate, double periods, double payment, double futureValue, PaymentDue due) {
  // presentValue = −(payment·timing·accumulation + futureValue)/growth
  const double timing = checkedTiming(rate, periods, payment, futureValue, due);
  const AmountScale scale{payment, futureValue};
  const RelationCoefficients relation(rate, std::log1p(rate), periods, timing);
  const double others =
      relation.payment * scale.down(payment) + relation.futureValue * scale.down(futureValue);
  // Dividing by the present-value coefficient min(growth, 1) = e^min(logGrowth, 0).
  const double presentValue = -detail::scaleByExp(others, -std::min(relation.logGrowth, 0.0));
  return detail::finiteResult(scale.up(presentValue));
}

double FV(double rate, double periods, double payment, double presentValue, PaymentDue due) {
  // futureValue = −(presentValue·growth + payment·timing·accumulation)
  const double timing = checkedTiming(rate, periods, payment, presentValue, due);
  const AmountScale scale{payment, presentValue};
  const RelationCoefficients relation(rate, std::log1p(rate), periods, timing);
  const double others =
      relation.presentValue * scale.down(presentValue) + relation.payment * scale.down(payment);
  // Dividing by the future-value coefficient min(1/growth, 1) = e^min(−logGrowth, 0).
  const double futureValue = -detail::scaleByExp(others, -std::min(-relation.logGrowth, 0.0));
  return detail::finiteResult(scale.up(futureValue));
}

double PMT(double rate, double periods, double presentValue, double futureValue, PaymentDue due) {
  // payment = −(presentValue·growth + futureValue)/(timing·accumulation)
  const double timing = checkedTiming(rate, periods, presentValue, futureValue, due);
  if (periods == 0) detail::fail(Reason::NoSolution);
  const AmountScale scale{presentValue, futureValue};
  const RelationCoefficients relation(rate, std::log1p(rate), periods, timing);
  const double others = relation.presentValue * scale.down(presentValue) +
                        relation.futureValue * scale.down(futureValue);
  if (relation.payment == 0) detail::fail(Reason::NoSolution);
  return detail::finiteResult(scale.up(-others / relation.payment));
}

double NPer(double rate, double payment, double presentValue, double futureValue, PaymentDue due) {
  // periods = log(1 + change)/log(1 + rate),
  //   change = −rate·(presentValue + futureValue)/(payment·timing + rate·presentValue)
  detail::requireFinite({rate, payment, presentValue, futureValue});
  detail::requireRateAboveMinusOne(rate);
  const double dueValue = detail::dueFlag(due);
  // The answer depends only on the ratios of the amounts.
  const AmountScale scale{payment, presentValue, futureValue};
  const double pmt = scale.down(payment);
  const double pv = scale.down(presentValue);
  const double settled = pv + scale.down(futureValue);
  if (rate == 0) {
    // presentValue + payment·periods + futureValue = 0
    if (pmt == 0) detail::fail(Reason::NoSolution);
    return detail::finiteResult(-settled / pmt);
  }
  // growth = (payment·timing − rate·futureValue)/(payment·timing + rate·presentValue), written
  // as 1 + change so that log1p keeps its precision for small rates. Above a rate of 1 both
  // terms are divided by the rate: payment·timing could overflow for huge rates.
  const bool large = std::fabs(rate) >= 1;
  const double interestAndPayment =
      large ? pmt * (1 / rate + dueValue) + pv : pmt * (1 + rate * dueValue) + rate * pv;
  // A payment that exactly covers the interest never changes the balance.
  if (interestAndPayment == 0) detail::fail(Reason::NoSolution);
  if (large) {
    const double change = -settled / interestAndPayment;
    // Growth must be positive: otherwise the balance is never settled.
    if (!(change > -1)) detail::fail(Reason::NoSolution);
    return detail::finiteResult(std::log1p(change) / std::log1p(rate));
  }
  const double changePerRate = -settled / interestAndPayment;
  const double change = rate * changePerRate;
  if (!(change > -1)) detail::fail(Reason::NoSolution);
  // log1p(change) = change to double precision; not forming the product keeps rates near the
  // subnormal range exact.
  if (std::fabs(change) < 1e-100) {
    return detail::finiteResult(changePerRate * (rate / std::log1p(rate)));
  }
  return detail::finiteResult(std::log1p(change) / std::log1p(rate));
}

}  // namespace vantro::core::finance
