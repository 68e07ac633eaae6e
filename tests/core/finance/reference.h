#pragma once
// High-precision reference for the financial functions: the defining formulas evaluated
// directly, in binary floating point of 50 or more decimal digits, from the exact double
// arguments. Deliberately naive (pow, carrying the balance forward, plain sums): with that
// many digits the cancellations the library avoids do no harm.

#include <boost/math/special_functions/expm1.hpp>
#include <boost/math/special_functions/log1p.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>

#include <span>

namespace reference {

namespace mp = boost::multiprecision;
using Big = mp::cpp_bin_float_50;
// Carrying a balance forward loses as many digits as growth has: Wide keeps 50 digits after
// 1e5 periods at 1 % (growth about 1e432).
using Wide = mp::number<mp::cpp_bin_float<600>>;

// Value of a formula and the sum of the magnitudes of its terms: the error a double
// evaluation cannot avoid is a few units of the latter.
template <class T>
struct Result {
  T value;
  T scale;
};

// (1+rate)^periods; through log1p so that rates below 1e-50 are not lost in 1 + rate.
template <class T>
T growth(const T& rate, double periods) {
  return exp(periods * boost::math::log1p(rate));
}

// ((1+rate)^periods − 1)/rate, periods at rate 0.
template <class T>
T accumulation(const T& rate, double periods) {
  return rate == 0 ? T(periods) : boost::math::expm1(periods * boost::math::log1p(rate)) / rate;
}

// presentValue·(1+rate)^periods + payment·(1+rate·due)·accumulation + futureValue.
template <class T>
T relation(const T& rate, double periods, double payment, double pv, double fv, int due) {
  return pv * growth(rate, periods) + payment * (1 + rate * due) * accumulation(rate, periods) + fv;
}

template <class T = Big>
Result<T> pv(double rate, double n, double payment, double fv, int due) {
  const T g = growth(T(rate), n), paid = payment * (1 + T(rate) * due) * accumulation(T(rate), n);
  return {-(fv + paid) / g, (abs(T(fv)) + abs(paid)) / g};
}

template <class T = Big>
Result<T> fv(double rate, double n, double payment, double pv, int due) {
  const T grown = pv * growth(T(rate), n);
  const T paid = payment * (1 + T(rate) * due) * accumulation(T(rate), n);
  return {-(grown + paid), abs(grown) + abs(paid)};
}

template <class T = Big>
Result<T> pmt(double rate, double n, double pv, double fv, int due) {
  const T grown = pv * growth(T(rate), n),
          perPayment = (1 + T(rate) * due) * accumulation(T(rate), n);
  return {-(grown + fv) / perPayment, (abs(grown) + abs(T(fv))) / abs(perPayment)};
}

template <class T = Big>
T nper(double rate, double payment, double pv, double fv, int due) {
  if (rate == 0) return -(T(pv) + fv) / payment;
  const T perPayment = payment * (1 + T(rate) * due);
  return log((perPayment - T(fv) * rate) / (perPayment + T(pv) * rate)) / log1p(T(rate));
}

// Interest on the balance after payment per − 1, the balance carried forward from the start.
template <class T = Wide>
T ipmt(double rate, double per, double n, double pv, double fv, int due) {
  const T r = rate, payment = pmt<T>(rate, n, pv, fv, due).value;
  if (due == 0) return -r * (pv * growth(r, per - 1) + payment * accumulation(r, per - 1));
  if (per == 1) return 0;
  // After the first payment (at time 0) pv + payment is owed; it then grows and is paid down.
  return -r * ((pv + payment) * growth(r, per - 2) + payment * accumulation(r, per - 2));
}

template <class T = Wide>
T ppmt(double rate, double per, double n, double pv, double fv, int due) {
  return pmt<T>(rate, n, pv, fv, due).value - ipmt<T>(rate, per, n, pv, fv, due);
}

template <class T = Big>
Result<T> npv(double rate, std::span<const double> values) {
  Result<T> sum{0, 0};
  T discount = 1;
  for (double value : values) {
    discount /= 1 + T(rate);
    sum.value += value * discount;
    sum.scale += abs(value * discount);
  }
  return sum;
}

template <class T = Big>
T mirr(std::span<const double> values, double financeRate, double reinvestRate) {
  T receipts = 0, payments = 0;
  const auto last = static_cast<int>(values.size()) - 1;
  for (int i = 0; i <= last; ++i) {
    if (values[i] > 0) receipts += values[i] * pow(1 + T(reinvestRate), last - i);
    if (values[i] < 0) payments += values[i] / pow(1 + T(financeRate), i);
  }
  return pow(-receipts / payments, T(1) / last) - 1;
}

// Σ values[i]/(1+rate)^i, the sum IRR sets to zero.
template <class T = Big>
T irrSum(const T& rate, std::span<const double> values) {
  T sum = 0;
  for (std::size_t i = 0; i < values.size(); ++i) sum += values[i] / pow(1 + rate, int(i));
  return sum;
}

// Distance from `rate` to the root of f as Newton's step estimates it, f(rate)/f'(rate), the
// slope by a central difference (its error is far below the 50 digits kept).
template <class F>
Big newtonCorrection(double rate, F f) {
  const Big r = rate, h = Big("1e-20") * (1 + abs(r));
  return f(r) / ((f(r + h) - f(r - h)) / (2 * h));
}

}  // namespace reference
