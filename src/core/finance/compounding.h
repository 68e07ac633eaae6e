#pragma once
// Building blocks shared by the financial functions: argument checks, exact rescaling of
// money amounts, and compound-growth factors computed through log1p/expm1 so that tiny and
// negative rates keep full precision and large exponents never overflow on the way.

#include <cmath>
#include <initializer_list>
#include <span>

#include "core/finance/finance.h"

namespace vantro::core::finance::detail {

[[noreturn]] void fail(FinanceError::Reason reason);

// InvalidArgument unless every argument is finite.
void requireFinite(std::initializer_list<double> arguments);
void requireFinite(std::span<const double> arguments);
// RateAtOrBelowMinusOne unless rate > −1 (callers have checked it is finite).
void requireRateAboveMinusOne(double rate);
// 0 or 1; InvalidArgument for any other value cast into the enumeration.
double dueFlag(PaymentDue due);
// The result itself when finite, else Overflow.
double finiteResult(double result);

// The money amounts of one call share a power-of-two scale. Every relation here is linear
// in the amounts, so computing with scaled values and scaling the result back is exact.
// Amounts of ordinary size are left alone; when the largest is beyond 2^±256 all are brought
// near 1, so that no intermediate product or sum of amounts overflows or underflows.
class AmountScale {
 public:
  explicit AmountScale(std::initializer_list<double> amounts);
  explicit AmountScale(std::span<const double> amounts);
  double down(double amount) const {
    return exponent_ == 0 ? amount : std::ldexp(amount, -exponent_);
  }
  double up(double scaled) const { return exponent_ == 0 ? scaled : std::ldexp(scaled, exponent_); }

 private:
  void choose(int largestExponent);
  int exponent_ = 0;
};

// value·e^exponent where e^exponent alone may overflow or underflow but the product fits.
double scaleByExp(double value, double exponent);

// ((1+rate)^periods − 1)/rate for any real periods, logRate = log1p(rate); periods at rate 0.
// Accurate for tiny rates, where the numerator and denominator vanish together.
double accumulationFactor(double rate, double logRate, double periods);

// The annuity relation presentValue·growth + payment·timing·accumulation + futureValue = 0
// (growth = (1+rate)^periods, accumulation = (growth − 1)/rate, timing = 1 + rate·due),
// divided by growth when growth exceeds 1. Then every coefficient is bounded:
//   presentValue·min(growth, 1) + payment·payment_coefficient
//     + futureValue·min(1/growth, 1) = 0.
struct RelationCoefficients {
  RelationCoefficients(double rate, double logRate, double periods, double timing);
  double logGrowth;     // periods·log1p(rate)
  double presentValue;  // min(growth, 1)
  double annuity;       // accumulation/max(growth, 1)
  double payment;       // timing·annuity
  double futureValue;   // min(1/growth, 1)
};

}  // namespace vantro::core::finance::detail
