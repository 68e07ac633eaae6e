#pragma once
// Test support: a high-precision reference and reproducible random cases.
//
// The reference evaluates the defining formulas directly (powers, the balance carried
// forward, plain sums) in 50 to 600 decimal digits from the exact double arguments: with
// that many digits the cancellations the library works around do no harm.

#include <boost/math/special_functions/expm1.hpp>
#include <boost/math/special_functions/log1p.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <random>
#include <span>
#include <vector>

#include "core/finance/finance.h"

namespace reference {

namespace mp = boost::multiprecision;
using Big = mp::cpp_bin_float_50;
// Carrying a balance over 1e5 periods at 1 % cancels 432 digits (growth near 1e432).
using Wide = mp::number<mp::cpp_bin_float<600>>;

// (1+rate)^n through log1p, so that a rate below 1e-50 is not lost in 1 + rate. At −100 % and
// below, where 1 + rate is exact, a power by repeated products (n whole there).
template <class T>
T growth(const T& rate, double n) {
  if (rate <= -1) return n < 0 ? 1 / pow(1 + rate, int(-n)) : pow(1 + rate, int(n));
  return exp(n * boost::math::log1p(rate));
}
template <class T>
T accumulation(const T& rate, double n) {  // ((1+rate)^n − 1)/rate
  if (rate <= -1) return (growth(rate, n) - 1) / rate;
  return rate == 0 ? T(n) : boost::math::expm1(n * boost::math::log1p(rate)) / rate;
}
// The relation's terms in magnitude: rounding each moves the relation by a multiple of this.
template <class T>
T terms(const T& rate, double n, double pmt, double pv, double fv, int due) {
  return abs(pv * growth(rate, n)) + abs(pmt * (1 + rate * due) * accumulation(rate, n)) + abs(fv);
}
template <class T>
T relation(const T& rate, double n, double pmt, double pv, double fv, int due) {
  return pv * growth(rate, n) + pmt * (1 + rate * due) * accumulation(rate, n) + fv;
}

// The relation solved for each of its quantities.
template <class T = Big>
T pv(double rate, double n, double pmt, double fv, int due) {
  return -relation(T(rate), n, pmt, 0, fv, due) / growth(T(rate), n);
}
template <class T = Big>
T fv(double rate, double n, double pmt, double pv, int due) {
  return -relation(T(rate), n, pmt, pv, 0, due);
}
template <class T = Big>
T pmt(double rate, double n, double pv, double fv, int due) {
  return -relation(T(rate), n, 0, pv, fv, due) / relation(T(rate), n, 1, 0, 0, due);
}
template <class T = Big>
T nper(double rate, double pmt, double pv, double fv, int due) {
  if (rate == 0) return -(T(pv) + fv) / pmt;
  const T each = pmt * (1 + T(rate) * due);
  return log((each - T(fv) * rate) / (each + T(pv) * rate)) / boost::math::log1p(T(rate));
}
// Σ |x·∂nper/∂x| over the rate and the three amounts: a relative change ε in each argument
// moves the exact answer by at most about ε times this.
template <class T = Big>
T nperSensitivity(double rate, double pmt, double pv, double fv, int due) {
  if (rate == 0) return (abs(T(pv)) + abs(T(fv)) + abs(T(pv) + fv)) / abs(T(pmt));
  const T r = rate, each = pmt * (1 + r * due), top = each - fv * r, bottom = each + pv * r;
  const T logBase = boost::math::log1p(r), n = log(top / bottom) / logBase;
  const T byRate = r * ((pmt * due - fv) / top - (pmt * due + pv) / bottom) - n * r / (1 + r);
  return (abs(each / top - each / bottom) + abs(fv * r / top) + abs(pv * r / bottom) +
          abs(byRate)) /
         abs(logBase);
}

// Interest on the balance left after payment per − 1, carried forward from the start. Paid at
// the beginning, the first payment falls at once and the balance after it is pv + payment.
template <class T = Wide>
T ipmt(double rate, double per, double n, double pv, double fv, int due) {
  const T r = rate, payment = pmt<T>(rate, n, pv, fv, due);
  if (due == 0) return -r * (pv * growth(r, per - 1) + payment * accumulation(r, per - 1));
  if (per == 1) return 0;
  return -r * ((pv + payment) * growth(r, per - 2) + payment * accumulation(r, per - 2));
}
template <class T = Wide>
T ppmt(double rate, double per, double n, double pv, double fv, int due) {
  return pmt<T>(rate, n, pv, fv, due) - ipmt<T>(rate, per, n, pv, fv, due);
}

template <class T = Big>
T npv(double rate, std::span<const double> values) {
  T sum = 0, discount = 1;
  for (double value : values) sum += value * (discount /= 1 + T(rate));
  return sum;
}
template <class T = Big>
T mirr(std::span<const double> values, double financeRate, double reinvestRate) {
  T receipts = 0, payments = 0;
  const int last = static_cast<int>(values.size()) - 1;
  for (int i = 0; i <= last; ++i) {
    if (values[i] > 0) receipts += values[i] * pow(1 + T(reinvestRate), last - i);
    if (values[i] < 0) payments += values[i] / pow(1 + T(financeRate), i);
  }
  return pow(-receipts / payments, T(1) / last) - 1;
}
inline Big irrSum(const Big& rate, std::span<const double> values) {
  Big sum = 0;
  for (std::size_t i = 0; i < values.size(); ++i) sum += values[i] / pow(1 + rate, int(i));
  return sum;
}

// The exact root of f near `rate`: rate − f/f', the slope from a central difference whose
// error lies far below the 50 digits kept.
template <class F>
Big rootNear(double rate, F f) {
  const Big r = rate, h = Big("1e-20") * (1 + abs(r));
  return r - f(r) * 2 * h / (f(r + h) - f(r - h));
}

}  // namespace reference

namespace finance_cases {

// Σ values[i]·x^i times Π (1 − (1+r)·x), x = 1/(1+rate): the NPV is zero at each rate r.
inline std::vector<double> withRoots(std::initializer_list<double> rates,
                                     std::vector<double> values = {1}) {
  for (double r : rates) {
    values.push_back(0);
    for (std::size_t i = values.size() - 1; i > 0; --i) values[i] -= (1 + r) * values[i - 1];
  }
  return values;
}

// The reason of the FinanceError that `call` throws; a call that returns fails the test.
template <class F>
vantro::core::finance::FinanceError::Reason reasonOf(F call) {
  try {
    ADD_FAILURE() << "no error, but " << double(call());
  } catch (const vantro::core::finance::FinanceError& error) {
    return error.reason();
  }
  return {};
}

// Fixed-seed cases: rates from 1e-13 to 100 % of either sign (above −99 %) and sometimes 0,
// 1 to 600 periods (half fractional), amounts from 1 to 1e7.
class Generator {
 public:
  explicit Generator(unsigned seed) : engine_(seed) {}
  double uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine_);
  }
  bool chance(double p) { return uniform(0, 1) < p; }
  double rate() {
    const double magnitude = chance(0.05) ? 0 : std::pow(10.0, uniform(-13, 0));
    return chance(0.25) ? -0.99 * magnitude : magnitude;
  }
  double periods() { return chance(0.5) ? std::round(uniform(1, 600)) : uniform(1, 600); }
  double amount() { return std::pow(10.0, uniform(0, 7)); }
  double signedAmount() { return chance(0.5) ? amount() : -amount(); }
  vantro::core::finance::PaymentDue due() {
    return static_cast<vantro::core::finance::PaymentDue>(chance(0.5));
  }
  // One payment, then receipts (some zero): a single internal rate of return.
  std::vector<double> investment(int count) {
    std::vector<double> flows{-amount()};
    for (int i = 1; i < count; ++i) flows.push_back(chance(0.1) ? 0 : amount() / count);
    return flows;
  }
  // Payments and receipts at random, starting with a payment and ending with a receipt.
  std::vector<double> mixedFlows(int count) {
    std::vector<double> flows{-amount()};
    for (int i = 2; i < count; ++i) flows.push_back(signedAmount());
    flows.push_back(amount());
    return flows;
  }

 private:
  std::mt19937_64 engine_;
};

}  // namespace finance_cases
