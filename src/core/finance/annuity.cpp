// The closed forms of the annuity relation: PV, FV, PMT and NPer.
//
// All work on the relation in its bounded form (RelationCoefficients): whichever of growth
// and 1/growth is at most 1 multiplies an amount, so nothing overflows before the result
// does, and (1+rate)^periods comes from exp(periods·log1p(rate)), exact in the limit of
// tiny rates where pow(1 + rate, periods) would already have lost the rate's low digits.
// Below −100 % (whole periods only) the same holds for |1 + rate|, with the power's sign.

#include <algorithm>
#include <cfloat>
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
  detail::requireRealGrowth(rate, periods);
  return 1 + rate * detail::dueFlag(due);
}

}  // namespace

double PV(double rate, double periods, double payment, double futureValue, PaymentDue due) {
  // presentValue = −(payment·timing·accumulation + futureValue)/growth
  detail::requireFinite({rate, periods, payment, futureValue});
  // Discounting divides by 1 + rate, as NPV does: refused at −100 %, where nothing of the
  // present value survives a period, and below, where it would flip sign each period.
  detail::requireRateAboveMinusOne(rate);
  const double timing = 1 + rate * detail::dueFlag(due);
  const AmountScale scale{payment, futureValue};
  const RelationCoefficients relation(rate, std::log1p(rate), periods, timing);
  const double others =
      relation.payment * scale.down(payment) + relation.futureValue * scale.down(futureValue);
  // Dividing by the present-value coefficient e^min(logGrowth, 0).
  const double presentValue = -detail::scaleByExp(others, -std::min(relation.logGrowth, 0.0));
  return detail::finiteResult(scale.up(presentValue));
}

double FV(double rate, double periods, double payment, double presentValue, PaymentDue due) {
  // futureValue = −(presentValue·growth + payment·timing·accumulation)
  const double timing = checkedTiming(rate, periods, payment, presentValue, due);
  const AmountScale scale{payment, presentValue};
  const RelationCoefficients relation(detail::Compounding(rate), periods, timing);
  const double others =
      relation.presentValue * scale.down(presentValue) + relation.payment * scale.down(payment);
  // Dividing by the future-value coefficient min(1/|growth|, 1) = e^min(−logGrowth, 0).
  const double futureValue = -detail::scaleByExp(others, -std::min(-relation.logGrowth, 0.0));
  return detail::finiteResult(scale.up(futureValue));
}

double PMT(double rate, double periods, double presentValue, double futureValue, PaymentDue due) {
  // payment = −(presentValue·growth + futureValue)/(timing·accumulation)
  const double timing = checkedTiming(rate, periods, presentValue, futureValue, due);
  if (periods == 0) detail::fail(Reason::NoSolution);
  const AmountScale scale{presentValue, futureValue};
  const RelationCoefficients relation(detail::Compounding(rate), periods, timing);
  const double others = relation.presentValue * scale.down(presentValue) +
                        relation.futureValue * scale.down(futureValue);
  // Payments change nothing when each is lost at once (due at the start, at −100 %), or when
  // the growth comes back to 1 (an even count at −200 %).
  if (relation.payment == 0) detail::fail(Reason::NoSolution);
  return detail::finiteResult(scale.up(-others / relation.payment));
}

double NPer(double rate, double payment, double presentValue, double futureValue, PaymentDue due) {
  // periods = log(growth)/log(1 + rate),
  //   growth = (payment·timing − rate·futureValue)/(payment·timing + rate·presentValue)
  detail::requireFinite({rate, payment, presentValue, futureValue});
  detail::requireRateAboveMinusOne(rate);
  const double dueValue = detail::dueFlag(due);
  // The answer depends only on the ratios of the amounts.
  const AmountScale scale{payment, presentValue, futureValue};
  const double pmt = scale.down(payment);
  const double pv = scale.down(presentValue);
  const double fv = scale.down(futureValue);
  if (rate == 0) {
    // presentValue + payment·periods + futureValue = 0
    if (pmt == 0) detail::fail(Reason::NoSolution);
    return detail::finiteResult(-(pv + fv) / pmt);
  }
  // Above a rate of 1 every term is divided by the rate: payment·timing could overflow for
  // huge rates.
  const bool large = std::fabs(rate) >= 1;
  const double paymentTerm = large ? pmt * (1 / rate + dueValue) : pmt * (1 + rate * dueValue);
  const double presentTerm = large ? pv : rate * pv;
  const double futureTerm = large ? fv : rate * fv;
  // A payment that covers just the interest never changes the balance; one that covers just
  // the interest on the future value needs a growth of 0. Either way no count of periods
  // settles the relation, and the test allows for rounding: a rate typed in percent reaches
  // us divided by 100 and inexact, and the payment the user meant to equal the interest then
  // misses it by a unit in the last place, which would give an answer in the thousands.
  if (detail::cancels(paymentTerm, presentTerm) || detail::cancels(paymentTerm, -futureTerm)) {
    detail::fail(Reason::NoSolution);
  }
  const double top = paymentTerm - futureTerm;
  const double bottom = paymentTerm + presentTerm;
  // Growth must be positive: otherwise the balance is never settled.
  if ((top > 0) != (bottom > 0)) detail::fail(Reason::NoSolution);
  // growth − 1 = −rate·(presentValue + futureValue)/bottom, without the rate when large.
  const double changePerRate = -(pv + fv) / bottom;
  const double change = large ? changePerRate : rate * changePerRate;
  const double logRate = std::log1p(rate);
  // log1p(change) = change to double precision; not forming the product keeps rates near the
  // subnormal range exact.
  if (!large && std::fabs(change) < 1e-100) {
    return detail::finiteResult(changePerRate * (rate / logRate));
  }
  // Near 1, log1p(change) keeps the digits of a small change; far below 1, forming
  // 1 + change would cancel most of change's digits (a growth of 1e-9 from −0.999999999), so
  // the growth is taken as the ratio itself, whose terms are exact to rounding.
  if (std::fabs(change) <= 0.5) return detail::finiteResult(std::log1p(change) / logRate);
  const double growth = top / bottom;
  const double logGrowth = std::isfinite(growth) && growth >= DBL_MIN
                               ? std::log(growth)
                               : std::log(std::fabs(top)) - std::log(std::fabs(bottom));
  return detail::finiteResult(logGrowth / logRate);
}

}  // namespace vantro::core::finance
