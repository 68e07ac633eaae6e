// IPMT and PPMT: the interest and principal parts of one payment; TPPMT, TIPMT and BAL, their
// totals over the first payments.
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

using Reason = FinanceError::Reason;

namespace {

// Payment number `period` of an annuity, its arguments checked and amounts scaled.
struct Instalment {
  double growth(double count) const { return compounding.growth(count); }
  double accumulation(double count) const { return compounding.accumulation(count); }
  // accumulation/growth = (1 − (1+rate)^−count)/rate
  double presentAnnuity(double count) const { return -compounding.accumulation(-count); }

  double rate;
  detail::Compounding compounding;
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
  const bool beginning = detail::dueFlag(due) == 1;
  if (!(period >= 1 && period <= periods)) detail::fail(Reason::PeriodOutOfRange);
  detail::requireRealGrowth(rate, periods);
  detail::requireRealGrowth(rate, period);  // and so period − 1 and the periods remaining
  const detail::Compounding compounding(rate);
  // No payment settles the loan when each is lost as it is made (due at the beginning, at
  // −100 %) or when the growth over the term is 1 (an even count at −200 %).
  if ((beginning && rate == -1) || (rate < -1 && compounding.accumulation(periods) == 0)) {
    detail::fail(Reason::NoSolution);
  }
  const detail::AmountScale scale{presentValue, futureValue};
  return {rate,      compounding, period - 1, periods - (period - 1),   periods,
          beginning, period == 1, scale,      scale.down(presentValue), scale.down(futureValue)};
}

// Balance after `paid` end-of-period payments (the amount still owed, in the present value's
// sign): (presentValue·growth(paid)·accumulation(remaining) − futureValue·accumulation(paid))
// / accumulation(periods). The same balance, divided by 1 + rate, is left after payment
// `paid` when payments fall at the beginning of each period.
double balance(const Instalment& p) {
  if (p.compounding.expanding()) {
    // Divided through by growth(periods): present-value factors, each at most periods.
    return (p.presentValue * p.presentAnnuity(p.remaining) -
            p.futureValue * p.growth(-p.remaining) * p.presentAnnuity(p.paid)) /
           p.presentAnnuity(p.periods);
  }
  return (p.presentValue * p.growth(p.paid) * p.accumulation(p.remaining) -
          p.futureValue * p.accumulation(p.paid)) /
         p.accumulation(p.periods);
}

// Principal part of payment `paid` + 1 for end-of-period payments:
// −(presentValue + futureValue)·growth(paid)/accumulation(periods).
double endOfPeriodPrincipal(const Instalment& p) {
  const double settled = p.presentValue + p.futureValue;
  if (p.compounding.expanding()) {
    return -settled * p.growth(-p.remaining) / p.presentAnnuity(p.periods);
  }
  return -settled * p.growth(p.paid) / p.accumulation(p.periods);
}

// rate/(1 + rate), the interest on a balance that is 1 at the end of the period.
double ratePerGrowth(const Instalment& p) {
  // 1 − e^−log1p(rate) above −100 %, exact for tiny rates.
  if (p.rate > -1) return -std::expm1(-std::log1p(p.rate));
  return p.rate / (1 + p.rate);
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
  return detail::finiteResult(loan.scale.up(-ratePerGrowth(loan) * balance(loan)));
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

namespace {

using Part = double (*)(double, double, double, double, double, PaymentDue);

double totalOf(Part part, double rate, int lastPeriod, double periods, double presentValue,
               double futureValue, PaymentDue due) {
  // Checked even when no part is summed: every function refuses a NaN or infinite argument.
  detail::requireFinite({rate, periods, presentValue, futureValue});
  (void)detail::dueFlag(due);
  double total = 0;
  for (int period = 1; period <= lastPeriod; ++period) {
    total =
        detail::finiteResult(total + part(rate, period, periods, presentValue, futureValue, due));
  }
  return total;
}

}  // namespace

double TPPMT(double rate, int lastPeriod, double periods, double presentValue, double futureValue,
             PaymentDue due) {
  return totalOf(PPMT, rate, lastPeriod, periods, presentValue, futureValue, due);
}

double TIPMT(double rate, int lastPeriod, double periods, double presentValue, double futureValue,
             PaymentDue due) {
  return totalOf(IPMT, rate, lastPeriod, periods, presentValue, futureValue, due);
}

double BAL(double rate, int lastPeriod, double periods, double presentValue, double futureValue,
           PaymentDue due) {
  return BAL(presentValue, TPPMT(rate, lastPeriod, periods, presentValue, futureValue, due));
}

double BAL(double presentValue, double principalPaid) {
  detail::requireFinite({presentValue, principalPaid});
  return detail::finiteResult(std::fabs(presentValue) - std::fabs(principalPaid));
}

}  // namespace vantro::core::finance
