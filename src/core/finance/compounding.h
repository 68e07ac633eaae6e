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
// RateAtOrBelowMinusOne unless (1+rate)^count has a finite real value: any count above −100 %,
// whole counts below it, where 1 + rate is negative, and positive counts at it, where
// 1 + rate is 0.
void requireRealGrowthAtOrBelow(double rate, double count);
inline void requireRealGrowth(double rate, double count) {
  if (!(rate > -1)) requireRealGrowthAtOrBelow(rate, count);
}
// Whether a + b is zero to within a few units in the last place of the larger term: what is
// left when two terms that cancel exactly in decimal (a rate typed in percent and divided by
// 100, say) have each been rounded.
bool cancels(double a, double b);
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

// A running sum with Neumaier's compensation: good to a few units in the last place of the
// terms' magnitudes however many terms are added, where a plain sum drifts with the count.
class CompensatedSum {
 public:
  void add(double term) {
    const double total = sum_ + term;
    compensation_ +=
        std::fabs(sum_) >= std::fabs(term) ? (sum_ - total) + term : (term - total) + sum_;
    sum_ = total;
  }
  double value() const { return sum_ + compensation_; }

 private:
  double sum_ = 0;
  double compensation_ = 0;
};

// value·e^exponent where e^exponent alone may overflow or underflow but the product fits.
double scaleByExp(double value, double exponent);

// ((1+rate)^periods − 1)/rate for any real periods, logRate = log1p(rate); periods at rate 0.
// Accurate for tiny rates, where the numerator and denominator vanish together.
double accumulationFactor(double rate, double logRate, double periods);

// (1+rate)^count and ((1+rate)^count − 1)/rate at one rate, for counts where the power is
// real (requireRealGrowth). Below −100 % the power of the negative base is its magnitude's
// with the sign of (−1)^count; |1 + rate| = 1 + (−2 − rate) keeps its digits near −200 %,
// where the growth of an even count is near 1.
class Compounding {
 public:
  explicit Compounding(double rate)
      : rate_(rate),
        logBase_(rate > -1 ? std::log1p(rate) : logBaseAtOrBelow(rate)),
        negative_(rate < -1) {}
  // log|(1+rate)^count|; −∞ at −100 % for counts above 0. Every power of a count of 0 is 1,
  // that of 0 too.
  double logMagnitude(double count) const { return count == 0 ? 0 : count * logBase_; }
  // ±1, the sign of (1+rate)^count.
  double sign(double count) const { return negative_ && std::fmod(count, 2) != 0 ? -1 : 1; }
  double growth(double count) const { return sign(count) * std::exp(logMagnitude(count)); }
  double accumulation(double count) const {
    return rate_ > -1 ? accumulationFactor(rate_, logBase_, count) : accumulationAtOrBelow(count);
  }
  // Whether |1 + rate| ≥ 1: powers of positive counts grow rather than shrink.
  bool expanding() const { return logBase_ >= 0; }

 private:
  static double logBaseAtOrBelow(double rate);
  double accumulationAtOrBelow(double count) const;

  double rate_;
  double logBase_;  // log|1 + rate|
  bool negative_;   // 1 + rate < 0
};

// The annuity relation presentValue·growth + payment·timing·accumulation + futureValue = 0
// (growth = (1+rate)^periods, accumulation = (growth − 1)/rate, timing = 1 + rate·due),
// divided by |growth| when that exceeds 1. Then every coefficient is bounded:
//   presentValue·sign·min(|growth|, 1) + payment·payment_coefficient
//     + futureValue·min(1/|growth|, 1) = 0.
struct RelationCoefficients {
  // Rates above −100 %, logRate = log1p(rate).
  RelationCoefficients(double rate, double logRate, double periods, double timing);
  // Any rate, for periods where the growth is real.
  RelationCoefficients(const Compounding& compounding, double periods, double timing);
  double logGrowth;     // log|growth| = periods·log|1 + rate|
  double sign;          // of growth
  double presentValue;  // sign·min(|growth|, 1)
  double annuity;       // accumulation/max(|growth|, 1)
  double payment;       // timing·annuity
  double futureValue;   // min(1/|growth|, 1)
};

}  // namespace vantro::core::finance::detail
