// Identities over generated cases: a rate converted and converted back, the root search finding
// the rate the inputs were built from.

#include <gtest/gtest.h>

#include <cmath>

#include "core/finance/finance.h"
#include "support.h"

using namespace vantro::core::finance;

namespace {

// Rate gives back the rate a loan's payment was built from, as far as a payment rounded to a
// double determines it, from any guess. (PV, FV, PMT, NPer and the parts of a payment are held
// to the exact formulas in accuracy_test.)
TEST(FinanceIdentities, RateGivesBackTheRateOfThePayment) {
  finance_cases::Generator g(5005);
  for (int i = 0; i < 2000; ++i) {
    const double r = g.rate(), n = g.periods(), pv = g.amount(), owed = -g.uniform(0, 0.5) * pv;
    if (n * std::fabs(std::log1p(r)) > 300) continue;
    const auto due = g.due();
    const double pmt = PMT(r, n, pv, owed, due);
    const double rate = Rate(n, pmt, pv, owed, due, g.chance(0.5) ? 0.1 : g.uniform(-0.8, 5));
    EXPECT_NEAR(rate, r, 1e-9 * std::max(std::fabs(r), 1e-6)) << n << " " << pv;
  }
}

TEST(FinanceIdentities, RatesConvertedAndConvertedBack) {
  finance_cases::Generator g(7007);
  for (int i = 0; i < 2000; ++i) {
    const double j = std::pow(10.0, g.uniform(-12, 0.5));
    const double counts[] = {1, 2, 12, 365, 8760, g.uniform(1, 1e6)};
    const double m = counts[i % std::size(counts)];
    const double effective = EFFECT(j, m);
    EXPECT_NEAR(NOMINAL(effective, m), j, 1e-13 * j) << j << " " << m;
    // Compounding more often earns more, never more than continuous compounding.
    EXPECT_GE(effective, j * (1 - 1e-15)) << j << " " << m;
    EXPECT_LE(effective, std::expm1(j) * (1 + 1e-15)) << j << " " << m;
  }
  EXPECT_EQ(EFFECT(0.05, 1), 0.05);
  for (const auto& [rate, m] : {std::pair{0.0, 12.0}, {-0.01, 12.0}, {0.12, 0.5}})
    EXPECT_EQ(finance_cases::reasonOf([&] { return NOMINAL(rate, m); }),
              FinanceError::Reason::InvalidArgument)
        << rate << " " << m;
}

}  // namespace
