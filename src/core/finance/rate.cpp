// Rate and Rates: the rates per period that settle the annuity relation, by the root search.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "core/finance/compounding.h"
#include "core/finance/exponential_sum.h"
#include "core/finance/finance.h"
#include "core/finance/root_search.h"

namespace vantro::core::finance {

using detail::Sample;
using Reason = FinanceError::Reason;

namespace {

// Rate's default guess, where Rates starts its search: Rates then finds exactly the candidates
// of a Rate called without a guess.
constexpr double kUsualGuess = 0.1;

// ψ(u) = 1/expm1(u) − 1/u + 1/2, smooth through 0; near 0 its series u/12 − u³/720 avoids
// the cancellation of the first two terms.
double psi(double u) {
  if (std::fabs(u) < 1e-2) return u / 12 - u * u * u / 720;
  return 1 / std::expm1(u) - 1 / u + 0.5;
}

// The relation presentValue·growth + payment·timing·accumulation + futureValue as a function
// of y = log1p(rate), in the bounded form of RelationCoefficients (divided by growth where
// growth exceeds 1), with the slope of that bounded form. The relation's own slope is
//   presentValue·periods·growth + payment·accumulation·(due·(1 + rate) + timing·L),
//   L = d log(accumulation)/dy = (periods − 1)/2 + periods·ψ(periods·y) − ψ(y),
// a form of the logarithmic derivative that stays accurate as the rate goes to 0; dividing
// by growth = e^(periods·y) subtracts periods times the value.
class AnnuityRelation {
 public:
  AnnuityRelation(double periods, double payment, double presentValue, double futureValue,
                  double due)
      : periods_(periods),
        payment_(payment),
        presentValue_(presentValue),
        futureValue_(futureValue),
        due_(due) {}

  Sample operator()(double y) const {
    const double rate = std::expm1(y);
    const double growthPerPeriod = std::exp(y);
    const double timing = 1 + rate * due_;
    const detail::RelationCoefficients relation(rate, y, periods_, timing);
    const double presentTerm = presentValue_ * relation.presentValue;
    const double paymentTerm = payment_ * relation.payment;
    const double futureTerm = futureValue_ * relation.futureValue;
    const double value = presentTerm + paymentTerm + futureTerm;
    const double logSlope = (periods_ - 1) / 2 + periods_ * psi(relation.logGrowth) - psi(y);
    double slope =
        presentTerm * periods_ +
        payment_ * (due_ * (relation.annuity * growthPerPeriod) + relation.payment * logSlope);
    if (relation.logGrowth >= 0) slope -= periods_ * value;
    return {value, slope, noise(y, rate, timing, relation, presentTerm, paymentTerm, futureTerm)};
  }

 private:
  // A few units of rounding on each term, and on the terms that carry e^−|logGrowth| the error
  // of logGrowth = periods·y, which grows with |logGrowth|. Those terms are the amount that
  // meets e^−|logGrowth| and the payment's share of the annuity factor,
  // payment·timing·e^−|logGrowth|/rate, whose product with logGrowth is written with y/rate to
  // stay finite for rates near 0 and near infinity.
  double noise(double y, double rate, double timing, const detail::RelationCoefficients& relation,
               double presentTerm, double paymentTerm, double futureTerm) const {
    const double magnitude =
        std::fabs(presentTerm) + std::fabs(paymentTerm) + std::fabs(futureTerm);
    double exponentError = 0;
    if (rate != 0) {
      const double smaller = std::exp(-std::fabs(relation.logGrowth));
      const double amount = relation.logGrowth >= 0 ? futureValue_ : presentValue_;
      const double timingY = std::fabs(rate) < 1 ? timing * (y / rate) : y * (1 / rate + due_);
      exponentError = smaller * (std::fabs(amount * relation.logGrowth) +
                                 std::fabs(payment_ * periods_) * std::fabs(timingY));
    }
    return DBL_EPSILON * (8 * magnitude + exponentError);
  }

 private:
  double periods_;
  double payment_;
  double presentValue_;
  double futureValue_;
  double due_;
};

// Every rate that settles the relation, ascending, for arguments already checked; hintRate
// only starts the search.
std::vector<double> settlingRates(double periods, double payment, double presentValue,
                                  double futureValue, double dueValue, double hintRate) {
  // With no periods, or neither a present value nor a payment, the rate plays no part.
  if (periods == 0) detail::fail(Reason::NoSolution);
  const detail::AmountScale scale{payment, presentValue, futureValue};
  const double pmt = scale.down(payment);
  const double pv = scale.down(presentValue);
  const double fv = scale.down(futureValue);
  if (pmt == 0) {
    // presentValue·growth + futureValue = 0: growth = −futureValue/presentValue, written as
    // 1 + change so that small rates keep their digits.
    if (pv == 0) detail::fail(Reason::NoSolution);
    const double change = -(pv + fv) / pv;
    if (!(change > -1)) return {};
    const double rate = std::expm1(std::log1p(change) / periods);
    if (!(rate > -1)) return {};  // too close to −1 for a double
    return {detail::finiteResult(rate)};
  }
  // (g − 1)·relation, g = 1 + rate, is an exponential sum in y = log g of four terms,
  // e^((periods+1)·y), e^(periods·y), e^y and 1, with the relation's roots and one more at
  // rate 0. Its turning points and 0 divide the line into pieces on each of which the relation
  // has at most one root, and the relation, the accurate form, refines them.
  const double late = 1 - dueValue;
  const detail::ExponentialSum shifted(
      {pv + dueValue * pmt, late * pmt - pv, fv - dueValue * pmt, -fv - late * pmt},
      {periods + 1, periods, 1, 0});
  if (shifted.size() == 0) detail::fail(Reason::NoSolution);  // every rate settles it
  const detail::SearchSpace space{detail::kLowestLogGrowth, detail::kHighestLogGrowth};
  const double hintY = std::log1p(hintRate);
  detail::WorkBudget budget;
  std::vector<double> boundaries = detail::turningPoints(shifted, space, hintY, budget);
  boundaries.insert(std::upper_bound(boundaries.begin(), boundaries.end(), 0.0), 0.0);
  const AnnuityRelation relation(periods, pmt, pv, fv, dueValue);
  return detail::ratesOf(detail::findRoots(relation, boundaries, space, hintY, true));
}

}  // namespace

double Rate(double periods, double payment, double presentValue, double futureValue, PaymentDue due,
            double guess) {
  // rate with presentValue·(1+rate)^periods + payment·(1+rate·due)·((1+rate)^periods − 1)/rate
  //   + futureValue = 0, the one nearest guess
  detail::requireFinite({periods, payment, presentValue, futureValue, guess});
  const double dueValue = detail::dueFlag(due);
  detail::requireRateAboveMinusOne(guess);
  return detail::nearestRate(
      settlingRates(periods, payment, presentValue, futureValue, dueValue, guess), guess);
}

std::vector<double> Rates(double periods, double payment, double presentValue, double futureValue,
                          PaymentDue due) {
  // every rate with presentValue·(1+rate)^periods
  //   + payment·(1+rate·due)·((1+rate)^periods − 1)/rate + futureValue = 0
  detail::requireFinite({periods, payment, presentValue, futureValue});
  const double dueValue = detail::dueFlag(due);
  return settlingRates(periods, payment, presentValue, futureValue, dueValue, kUsualGuess);
}

}  // namespace vantro::core::finance
