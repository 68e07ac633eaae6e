// IPMT and PPMT: the interest and principal parts of one payment.
//
// Carrying the balance forward from the start, presentValue·growth + payment·accumulation,
// subtracts two numbers near presentValue·growth to leave a balance that is tiny late in a
// long loan: at the last period of a 100000-period loan every digit cancels. Both parts are
// therefore computed from closed forms without the payment and without that difference:
// the principal part grows geometrically from the first, and the balance is a product of
// annuity factors for the periods paid and the periods remaining.

#include <cmath>

#include "core/finance/compounding.h"
#include "core/finance/finance.h"

namespace vantro::core::finance {

using detail::accumulationFactor;
using Reason = FinanceError::Reason;

namespace {

// Payment number `period` of an annuity, its arguments checked and amounts scaled.
struct Instalment {
  double presentAnnuity(double count) const {
    // (1 − (1+rate)^−count)/rate
    return -accumulationFactor(rate, logRate, -count);
  }

  double rate;
  double logRate;    // log1p(rate)
  double paid;       // payments made before this one: period − 1
  double remaining;  // periods − paid, at least 1
  double periods;
  bool beginning;  // payments due at the beginning of each period
  bool first;      // period == 1
  detail::AmountScale scale;
  double presentValue;  // scaled
  double futureValue;   // scaled
};

Instalment instalment(double rate, double period, double periods, double presentValue,
                      double futureValue, PaymentDue due) {
  detail::requireFinite({rate, period, periods, presentValue, futureValue});
  detail::requireRateAboveMinusOne(rate);
  const bool beginning = detail::dueFlag(due) == 1;
  if (!(period >= 1 && period <= periods)) detail::fail(Reason::PeriodOutOfRange);
  const detail::AmountScale scale{presentValue, futureValue};
  return {
      rate,      std::log1p(rate), period - 1, periods - (period - 1),   periods,
      beginning, period == 1,      scale,      scale.down(presentValue), scale.down(futureValue)};
}

// Balance after `paid` end-of-period payments (the amount still owed, in the present value's
// sign): (presentValue·growth(paid)·accumulation(remaining) − futureValue·accumulation(paid))
// / accumulation(periods). The same balance, divided by 1 + rate, is left after payment
// `paid` when payments fall at the beginning of each period.
double balance(const Instalment& p) {
  if (p.logRate >= 0) {
    // Divided through by growth(periods): present-value factors, each at most periods.
    const double discountRemaining = std::exp(-p.remaining * p.logRate);
    return (p.presentValue * p.presentAnnuity(p.remaining) -
            p.futureValue * discountRemaining * p.presentAnnuity(p.paid)) /
           p.presentAnnuity(p.periods);
  }
  const double growthPaid = std::exp(p.paid * p.logRate);
  return (p.presentValue * growthPaid * accumulationFactor(p.rate, p.logRate, p.remaining) -
          p.futureValue * accumulationFactor(p.rate, p.logRate, p.paid)) /
         accumulationFactor(p.rate, p.logRate, p.periods);
}

// Principal part of payment `paid` + 1 for end-of-period payments:
// −(presentValue + futureValue)·growth(paid)/accumulation(periods).
double endOfPeriodPrincipal(const Instalment& p) {
  const double settled = p.presentValue + p.futureValue;
  if (p.logRate >= 0) {
    return -settled * std::exp(-p.remaining * p.logRate) / p.presentAnnuity(p.periods);
  }
  return -settled * std::exp(p.paid * p.logRate) / accumulationFactor(p.rate, p.logRate, p.periods);
}

}  // namespace

double IPMT(double rate, double period, double periods, double presentValue, double futureValue,
            PaymentDue due) {
  // interest = −rate·balance(period − 1); with payments at the beginning, balance/(1 + rate)
  // and no interest in the first payment
  const Instalment loan = instalment(rate, period, periods, presentValue, futureValue, due);
  if (!loan.beginning) {
    return detail::finiteResult(loan.scale.up(-rate * balance(loan)));
  }
  if (loan.first) return 0;
  // rate/(1 + rate) = 1 − e^−log1p(rate)
  const double ratePerGrowth = -std::expm1(-loan.logRate);
  return detail::finiteResult(loan.scale.up(-ratePerGrowth * balance(loan)));
}

double PPMT(double rate, double period, double periods, double presentValue, double futureValue,
            PaymentDue due) {
  // principal = payment − interest = −(presentValue + futureValue)·growth(period − 1)
  //   /accumulation(periods); with payments at the beginning, that divided by 1 + rate, and the
  //   whole payment for the first
  const Instalment loan = instalment(rate, period, periods, presentValue, futureValue, due);
  if (!loan.beginning) {
    return detail::finiteResult(loan.scale.up(endOfPeriodPrincipal(loan)));
  }
  if (loan.first) return PMT(rate, periods, presentValue, futureValue, due);
  const double principal = endOfPeriodPrincipal(loan) / (1 + rate);
  return detail::finiteResult(loan.scale.up(principal));
}

}  // namespace vantro::core::finance
