// Wild inputs: every function returns a finite value or throws FinanceError. The root
// searches have fixed iteration limits, so the run ends; how fast it is, is the benchmark's
// business.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "core/finance/finance.h"
#include "support.h"

using namespace vantro::core::finance;

namespace {

TEST(FinanceRobustness, FiniteOrFinanceError) {
  finance_cases::Generator g(8008);
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double limits[] = {kNaN,    kInfinity, -1e308, 1e300,      1e15,      1e5,  5e-324,
                           -1e-310, 0,         -1,     -1 + 1e-16, -0.999999, 1e-16};
  // Special values, then numbers of either sign from 1e-20 to 1e20.
  const auto wild = [&] {
    if (g.chance(0.3))
      return (g.chance(0.5) ? 1 : -1) * limits[int(g.uniform(0, std::size(limits)))];
    return (g.chance(0.5) ? -1 : 1) * std::pow(10.0, g.uniform(-20, 20));
  };
  const auto check = [&](const std::function<double()>& call) {
    try {
      const double result = call();
      EXPECT_TRUE(std::isfinite(result)) << result;
    } catch (const FinanceError&) {
    }
  };
  const auto checkEach = [&](const std::function<std::vector<double>()>& call) {
    try {
      for (double result : call()) EXPECT_TRUE(std::isfinite(result) && result > -1) << result;
    } catch (const FinanceError&) {
    }
  };
  for (int i = 0; i < 20000; ++i) {
    const double a = wild(), b = wild(), c = wild(), d = wild(), e = wild();
    const auto due = static_cast<PaymentDue>(g.chance(0.95) ? g.chance(0.5) : 7);
    check([&] { return NPer(a, b, c, d, due); });
    check([&] { return Rate(a, b, c, d, due, e); });
    check([&] { return PV(a, b, c, d, due); });
    check([&] { return FV(a, b, c, d, due); });
    check([&] { return PMT(a, b, c, d, due); });
    check([&] { return IPMT(a, b, c, d, e, due); });
    check([&] { return PPMT(a, b, c, d, e, due); });
    const int last = static_cast<int>(g.uniform(-2, 30));
    check([&] { return TPPMT(a, last, c, d, e, due); });
    check([&] { return TIPMT(a, last, c, d, e, due); });
    check([&] { return BAL(a, last, c, d, e, due); });
    check([&] { return EFFECT(a, b); });
    check([&] { return NOMINAL(a, b); });
    check([&] { return periodicRate(a, b, c); });
    // Short lists with wild values; every 100th a long one of ordinary amounts changing sign
    // at random, the root search's hardest case.
    std::vector<double> flows(static_cast<std::size_t>(g.uniform(0, i % 100 ? 40 : 1000)));
    for (double& flow : flows) flow = g.chance(0.9) ? g.signedAmount() : wild();
    check([&] { return NPV(a, flows); });
    check([&] { return IRR(flows, e); });
    check([&] { return MIRR(flows, a, b); });
    // The same amounts on days over a century, a few of them several on one day or far
    // beyond any calendar.
    std::vector<DatedFlow> dated;
    for (double flow : flows) {
      const double when = g.chance(0.02) ? wild() : std::round(g.uniform(-20000, 20000));
      const double day = std::isnan(when) ? 0 : std::clamp(when, -9e18, 9e18);
      dated.push_back({static_cast<std::int64_t>(day), flow});
    }
    check([&] { return XNPV(a, dated); });
    check([&] { return XIRR(dated, e); });
    checkEach([&] { return XIRRs(dated); });
    checkEach([&] { return Rates(a, b, c, d, due); });
  }
}

}  // namespace
