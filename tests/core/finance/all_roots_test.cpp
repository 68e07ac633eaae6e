// Every root, and the one nearest the guess: IRRs on flows multiplied out from chosen roots,
// IRR and Rate from guesses between the roots and far on either side of them.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "core/finance/finance.h"
#include "support.h"

using namespace vantro::core::finance;
using finance_cases::withRoots;

namespace {

// Far below and above the roots, and a quarter of the way into each gap from both ends: a
// search that walks out from the guess meets the farther root of a close pair first there.
std::vector<std::pair<double, double>> guessesAndNearest(const std::vector<double>& roots) {
  std::vector<std::pair<double, double>> result{{-0.999, roots.front()}, {1000, roots.back()}};
  for (std::size_t i = 0; i + 1 < roots.size(); ++i) {
    const double gap = roots[i + 1] - roots[i];
    result.insert(result.end(),
                  {{roots[i] + gap / 4, roots[i]}, {roots[i + 1] - gap / 4, roots[i + 1]}});
  }
  return result;
}

TEST(FinanceAllRoots, IrrsFindsEveryRootIrrTheNearest) {
  // 1 + x + x²/2 and 1 − 2.2x + 1.2102x² have no real roots, the second only just: it nearly
  // touches zero at 10 %. 100,000 flows: roots times 1 + 0.99999x + 0.99999²x² + …, which has
  // none. Close roots move with the rounding of the flows, a double root by its square root.
  std::vector<double> longPositive(100000);
  for (std::size_t i = 0; i < longPositive.size(); ++i) longPositive[i] = std::pow(0.99999, i);
  const struct {
    std::vector<double> flows, roots;
    double tolerance;
  } cases[] = {
      {withRoots({0.05, 0.25, 0.6}), {0.05, 0.25, 0.6}, 1e-12},
      {withRoots({0.1, 0.101, 0.102, 0.5}), {0.1, 0.101, 0.102, 0.5}, 1e-8},
      {withRoots({0.1, 0.101, 3}, {1, 1, 0.5}), {0.1, 0.101, 3}, 1e-10},
      {withRoots({-0.5, 0.08, 0.08, 2.5}), {-0.5, 0.08, 2.5}, 1e-6},
      {withRoots({0.02, 0.2}, {1, -2.2, 1.2102}), {0.02, 0.2}, 1e-12},
      {withRoots({-0.995, -0.99, -0.9, 0.07}), {-0.995, -0.99, -0.9, 0.07}, 1e-12},
      {withRoots({0.03, 4, 7.5, 400}), {0.03, 4, 7.5, 400}, 1e-12},
      {{-1, 1, -1}, {}, 0},
      {withRoots({0.04}, longPositive), {0.04}, 1e-12},
      {withRoots({0.02, 0.06, 0.11}, longPositive), {0.02, 0.06, 0.11}, 1e-12},
  };
  for (std::size_t c = 0; c < std::size(cases); ++c) {
    const auto& t = cases[c];
    const auto bound = [&](double root) { return t.tolerance * (1 + std::fabs(root)); };
    const std::vector<double> found = IRRs(t.flows);
    ASSERT_EQ(found.size(), t.roots.size()) << "case " << c;
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_NEAR(found[i], t.roots[i], bound(t.roots[i])) << "case " << c << " root " << i;
    }
    if (t.roots.empty()) continue;
    for (const auto& [guess, root] : guessesAndNearest(t.roots)) {
      EXPECT_NEAR(IRR(t.flows, guess), root, bound(root)) << "case " << c << " guess " << guess;
    }
  }
}

// Two rates settle the relation, pv·growth + payment·annuity + fv = 0, when the payment and
// the future value are chosen so that both do; the relation has no third.
TEST(FinanceAllRoots, RateTheNearestOfTwo) {
  const auto begin = PaymentDue::BeginningOfPeriod, end = PaymentDue::EndOfPeriod;
  const struct {
    double periods;
    PaymentDue due;
    std::vector<double> roots;
  } cases[] = {
      {2, end, {0.1, 0.5}}, {7.5, begin, {-0.3, 0.02}}, {360, end, {0.001, 0.0012}},
      {12, end, {0, 0.05}}, {-4.5, begin, {0.03, 0.2}}, {40, begin, {-0.97, 0.01}},
  };
  for (const auto& t : cases) {
    const auto growth = [&](double r) { return FV(r, t.periods, 0, -1); };
    const auto annuity = [&](double r) { return FV(r, t.periods, -1, 0, t.due); };
    const double pv = 1000, low = t.roots[0], high = t.roots[1];
    const double pmt = -pv * (growth(low) - growth(high)) / (annuity(low) - annuity(high));
    const double fv = -pv * growth(low) - pmt * annuity(low);
    const auto bound = [](double root) { return 1e-9 * (1 + std::fabs(root)); };
    for (const auto& [guess, root] : guessesAndNearest(t.roots)) {
      EXPECT_NEAR(Rate(t.periods, pmt, pv, fv, t.due, guess), root, bound(root))
          << t.periods << " periods, guess " << guess;
    }
    const std::vector<double> rates = Rates(t.periods, pmt, pv, fv, t.due);
    ASSERT_EQ(rates.size(), 2u) << t.periods << " periods";
    EXPECT_NEAR(rates[0], low, bound(low)) << t.periods << " periods";
    EXPECT_NEAR(rates[1], high, bound(high)) << t.periods << " periods";
  }
}

// Rates where the relation has two roots, one (no payment: a closed form) and none.
TEST(FinanceAllRoots, RatesOfPublishedAndEdgeCases) {
  const auto begin = PaymentDue::BeginningOfPeriod, end = PaymentDue::EndOfPeriod;
  const struct {
    double periods, payment, presentValue, futureValue;
    PaymentDue due;
    std::vector<double> roots;
    double tolerance;
  } cases[] = {
      // 12 payments of −100 in advance, PV 400, FV 100: −49.97 % and 31.26 %, to 2 decimals.
      {12, -100, 400, 100, begin, {-0.4997, 0.3126}, 0.00005},
      {10, 0, -1000, 2000, end, {std::exp2(0.1) - 1}, 1e-15},
      {12, -100, -1000, 0, end, {}, 0},  // everything paid out
  };
  for (const auto& t : cases) {
    const auto rates = Rates(t.periods, t.payment, t.presentValue, t.futureValue, t.due);
    ASSERT_EQ(rates.size(), t.roots.size()) << t.periods << " periods";
    for (std::size_t i = 0; i < rates.size(); ++i) {
      EXPECT_NEAR(rates[i], t.roots[i], t.tolerance) << t.periods << " periods, root " << i;
    }
  }
}

}  // namespace
