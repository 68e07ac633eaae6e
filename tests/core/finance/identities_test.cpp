// Identities over generated cases: solving and solving back, the parts of a payment, the
// whole loan repaid, a rate converted and converted back, the root searches finding the rate the
// inputs were built from (NPV at the IRR is checked with the IRR's accuracy).

#include <gtest/gtest.h>

#include <cmath>

#include "core/finance/finance.h"
#include "support.h"

using namespace vantro::core::finance;

namespace {

TEST(FinanceIdentities, SolveAndSolveBack) {
  finance_cases::Generator g(5005);
  for (int i = 0; i < 2000; ++i) {
    const double r = g.rate(), n = g.periods(), pv = g.amount(), owed = -g.uniform(0, 0.5) * pv;
    if (n * std::fabs(std::log1p(r)) > 300) continue;
    const auto due = g.due();
    const double pmt = PMT(r, n, pv, owed, due);
    const double fv = FV(r, n, pmt, pv, due);
    // Both directions are good to rounding of the terms they sum: growth·pv and the payments'
    // value, which at negative rates can dwarf growth·pv.
    const double growth = FV(r, n, 0, -1), paid = std::fabs(FV(r, n, pmt, 0, due));
    EXPECT_NEAR(fv, owed, 1e-12 * (growth * pv + paid)) << r << " " << n;
    EXPECT_NEAR(PV(r, n, pmt, fv, due), pv, 1e-12 * (std::fabs(fv) + paid) / growth);
    // Rate and NPer give back the rate and the term, as far as a payment rounded to a double
    // determines them (a loan repaid by interest-heavy payments pins n down loosely).
    const double rate = Rate(n, pmt, pv, owed, due, g.chance(0.5) ? 0.1 : g.uniform(-0.8, 5));
    EXPECT_NEAR(rate, r, 1e-9 * std::max(std::fabs(r), 1e-6)) << n << " " << pv;
    if (n * std::fabs(std::log1p(r)) < 5) {
      EXPECT_NEAR(NPer(r, pmt, pv, owed, due), n, 1e-10 * n) << r;
    }
  }
}

TEST(FinanceIdentities, PartsOfPaymentsRepayTheLoan) {
  finance_cases::Generator g(6006);
  for (int i = 0; i < 300; ++i) {
    const double r = g.rate(), n = std::round(g.uniform(1, 400)), pv = g.signedAmount();
    const double fv = g.chance(0.5) ? 0 : -g.uniform(0, 0.5) * pv;
    const auto due = g.due();
    const double pmt = PMT(r, n, pv, fv, due);
    double principal = 0;
    for (double per = 1; per <= n; ++per) {
      const double part = PPMT(r, per, n, pv, fv, due);
      const double interest = IPMT(r, per, n, pv, fv, due);
      ASSERT_NEAR(part + interest, pmt, 1e-12 * (std::fabs(part) + std::fabs(interest)) + 1e-300);
      principal += part;
    }
    // Paid at the beginning, the last payment leaves fv/(1 + r) to earn its last interest.
    const double settled = pv + fv / (1 + r * static_cast<int>(due));
    EXPECT_NEAR(principal, -settled, 1e-12 * n * std::fabs(pv)) << r << " " << n;
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
