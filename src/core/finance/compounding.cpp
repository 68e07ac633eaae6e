#include "core/finance/compounding.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace vantro::core::finance {

namespace {

const char* describe(FinanceError::Reason reason) {
  using Reason = FinanceError::Reason;
  switch (reason) {
    case Reason::NoSolution:
      return "No solution";
    case Reason::NoConvergence:
      return "No convergence";
    case Reason::PeriodOutOfRange:
      return "Period out of range";
    case Reason::NoSignChange:
      return "Cash flows need both a payment and a receipt";
    case Reason::RateAtOrBelowMinusOne:
      return "Rate at or below -100 %";
    case Reason::Overflow:
      return "Overflow";
    case Reason::InvalidArgument:
      return "Invalid argument";
  }
  return "Financial function error";
}

}  // namespace

FinanceError::FinanceError(Reason reason) : std::runtime_error(describe(reason)), reason_(reason) {}

namespace detail {

void fail(FinanceError::Reason reason) {
  throw FinanceError(reason);
}

void requireFinite(std::initializer_list<double> arguments) {
  requireFinite(std::span<const double>(arguments.begin(), arguments.size()));
}

void requireFinite(std::span<const double> arguments) {
  for (double argument : arguments) {
    if (!std::isfinite(argument)) fail(FinanceError::Reason::InvalidArgument);
  }
}

void requireRateAboveMinusOne(double rate) {
  if (!(rate > -1)) fail(FinanceError::Reason::RateAtOrBelowMinusOne);
}

void requireRealGrowthAtOrBelow(double rate, double count) {
  const bool real = rate < -1 ? std::trunc(count) == count : rate == -1 && count > 0;
  if (!real) fail(FinanceError::Reason::RateAtOrBelowMinusOne);
}

bool cancels(double a, double b) {
  return std::fabs(a + b) <= 8 * DBL_EPSILON * std::max(std::fabs(a), std::fabs(b));
}

double dueFlag(PaymentDue due) {
  switch (due) {
    case PaymentDue::EndOfPeriod:
      return 0;
    case PaymentDue::BeginningOfPeriod:
      return 1;
  }
  fail(FinanceError::Reason::InvalidArgument);
}

double finiteResult(double result) {
  if (!std::isfinite(result)) fail(FinanceError::Reason::Overflow);
  return result;
}

namespace {

// The binary exponent e of the largest amount, |amount| = m·2^e with m in [0.5, 1); 0 when
// all amounts are 0.
int largestExponent(std::span<const double> amounts) {
  double largest = 0;
  for (double amount : amounts) largest = std::max(largest, std::fabs(amount));
  int exponent = 0;
  std::frexp(largest, &exponent);
  return exponent;
}

}  // namespace

AmountScale::AmountScale(std::initializer_list<double> amounts) {
  choose(largestExponent(std::span<const double>(amounts.begin(), amounts.size())));
}

AmountScale::AmountScale(std::span<const double> amounts) {
  choose(largestExponent(amounts));
}

void AmountScale::choose(int largestExponent) {
  constexpr int kOrdinary = 256;
  exponent_ = (largestExponent > kOrdinary || largestExponent < -kOrdinary) ? largestExponent : 0;
}

double scaleByExp(double value, double exponent) {
  if (value == 0) return 0;
  const double factor = std::exp(exponent);
  if (std::isfinite(factor) && factor >= DBL_MIN) return value * factor;
  // Split the exponent: each half stays in range whenever the product can.
  const double half = exponent / 2;
  return value * std::exp(half) * std::exp(exponent - half);
}

double accumulationFactor(double rate, double logRate, double periods) {
  if (rate == 0) return periods;
  const double exponent = periods * logRate;
  // expm1(u) = u to double precision here; dividing first keeps subnormal rates exact.
  if (std::fabs(exponent) < 1e-100) return periods * (logRate / rate);
  return std::expm1(exponent) / rate;
}

double Compounding::logBaseAtOrBelow(double rate) {
  return rate == -1 ? -HUGE_VAL : std::log1p(-2 - rate);
}

double Compounding::accumulationAtOrBelow(double count) const {
  if (!negative_) return count == 0 ? 0 : 1;  // at −100 %: (0 − 1)/−1
  const double exponent = logMagnitude(count);
  // An even count's growth may be near 1: expm1 keeps the digits of the difference.
  return (sign(count) > 0 ? std::expm1(exponent) : -(std::exp(exponent) + 1)) / rate_;
}

RelationCoefficients::RelationCoefficients(const Compounding& compounding, double periods,
                                           double timing)
    : logGrowth(compounding.logMagnitude(periods)),
      sign(compounding.sign(periods)),
      presentValue(sign * std::exp(std::min(logGrowth, 0.0))),
      // accumulation/|growth| = sign·(1 − (1+rate)^−periods)/rate.
      annuity(logGrowth >= 0 ? -sign * compounding.accumulation(-periods)
                             : compounding.accumulation(periods)),
      payment(timing * annuity),
      futureValue(std::exp(std::min(-logGrowth, 0.0))) {}

RelationCoefficients::RelationCoefficients(double rate, double logRate, double periods,
                                           double timing)
    : logGrowth(periods * logRate),
      sign(1),
      presentValue(std::exp(std::min(logGrowth, 0.0))),
      // accumulation/growth = (1 − (1+rate)^−periods)/rate, the present-value annuity factor.
      annuity(logGrowth >= 0 ? -accumulationFactor(rate, logRate, -periods)
                             : accumulationFactor(rate, logRate, periods)),
      payment(timing * annuity),
      futureValue(std::exp(std::min(-logGrowth, 0.0))) {}

}  // namespace detail

}  // namespace vantro::core::finance
