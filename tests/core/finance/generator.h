#pragma once
// Reproducible random cases for the financial tests (fixed seeds).

#include <cmath>
#include <random>
#include <vector>

#include "core/finance/finance.h"

namespace finance_cases {

class Generator {
 public:
  explicit Generator(unsigned seed) : engine_(seed) {}

  double uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine_);
  }
  bool chance(double p) { return uniform(0, 1) < p; }

  // Rates per period from 1e-13 to 100 %, either sign (above −90 %), sometimes exactly 0.
  double rate() {
    if (chance(0.05)) return 0;
    const double magnitude = std::pow(10.0, uniform(-13, 0));
    return chance(0.25) ? -0.9 * magnitude : magnitude;
  }
  // 1 to 600 periods, half of them fractional.
  double periods() {
    const double n = uniform(1, 600);
    return chance(0.5) ? std::round(n) : n;
  }
  // Money from 1 to 1e7.
  double amount() { return std::pow(10.0, uniform(0, 7)); }
  double signedAmount() { return chance(0.5) ? amount() : -amount(); }
  vantro::core::finance::PaymentDue due() {
    return chance(0.5) ? vantro::core::finance::PaymentDue::BeginningOfPeriod
                       : vantro::core::finance::PaymentDue::EndOfPeriod;
  }
  // An investment: one payment, then receipts (some zero): one internal rate of return.
  std::vector<double> investment(int count) {
    std::vector<double> flows{-amount()};
    for (int i = 1; i < count; ++i) flows.push_back(chance(0.1) ? 0 : amount() / count);
    return flows;
  }
  std::vector<double> mixedFlows(int count) {
    std::vector<double> flows;
    for (int i = 0; i < count; ++i) flows.push_back(signedAmount());
    flows.front() = -std::fabs(flows.front());
    flows.back() = std::fabs(flows.back());
    return flows;
  }

 private:
  std::mt19937_64 engine_;
};

}  // namespace finance_cases
