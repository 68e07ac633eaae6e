// Wild inputs: every function returns a finite value or throws FinanceError, and does so
// quickly (the root searches have fixed iteration limits).

#include <gtest/gtest.h>

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <vector>

#include "core/finance/finance.h"
#include "generator.h"

using namespace vantro::core::finance;

namespace {

class WildInputs : public ::testing::Test {
 protected:
  // NaN, infinities, subnormals, huge and tiny values, rates at and around −1, ordinary values.
  double wild() {
    static const double special[] = {std::numeric_limits<double>::quiet_NaN(),
                                     std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::denorm_min(),
                                     -1e-310,
                                     0,
                                     -0.0,
                                     1e-300,
                                     1e300,
                                     -1e308,
                                     1.7e308,
                                     -1,
                                     -1 + 1e-16,
                                     -0.999999,
                                     1e-16,
                                     0.5,
                                     12,
                                     360,
                                     1e5,
                                     1e15};
    if (g_.chance(0.3)) return special[static_cast<std::size_t>(g_.uniform(0, std::size(special)))];
    return (g_.chance(0.5) ? -1 : 1) * std::pow(10.0, g_.uniform(-20, 20));
  }

  // Runs one call; a result must be finite, an exception must be FinanceError. Times it in
  // the thread's CPU time, which a busy machine does not inflate.
  void check(const std::function<double()>& call) {
    const double start = cpuSeconds();
    try {
      const double result = call();
      EXPECT_TRUE(std::isfinite(result)) << result;
    } catch (const FinanceError&) {
    }
    slowest_ = std::max(slowest_, cpuSeconds() - start);
  }

  static double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
  }

  finance_cases::Generator g_{8008};
  double slowest_ = 0;
};

TEST_F(WildInputs, FiniteOrFinanceError) {
  for (int i = 0; i < 20000; ++i) {
    const double a = wild(), b = wild(), c = wild(), d = wild(), e = wild();
    const auto due = static_cast<PaymentDue>(g_.chance(0.95) ? g_.chance(0.5) : 7);
    check([&] { return NPer(a, b, c, d, due); });
    check([&] { return Rate(a, b, c, d, due, e); });
    check([&] { return PV(a, b, c, d, due); });
    check([&] { return FV(a, b, c, d, due); });
    check([&] { return PMT(a, b, c, d, due); });
    check([&] { return IPMT(a, b, c, d, e, due); });
    check([&] { return PPMT(a, b, c, d, e, due); });
    std::vector<double> flows(static_cast<std::size_t>(g_.uniform(0, 40)));
    for (double& flow : flows) flow = g_.chance(0.9) ? g_.uniform(-100, 100) : wild();
    check([&] { return NPV(a, flows); });
    check([&] { return IRR(flows, e); });
    check([&] { return MIRR(flows, a, b); });
  }
  std::printf("slowest call of the wild inputs: %.3f ms of CPU time\n", 1e3 * slowest_);
  EXPECT_LT(slowest_, 0.05);
}

// The root searches' hardest inputs: hundreds of flows changing sign many times, guesses
// from −99 % to 10^6 %.
TEST_F(WildInputs, LongCashFlowListsEndQuickly) {
  for (int i = 0; i < 200; ++i) {
    std::vector<double> flows(static_cast<std::size_t>(g_.uniform(100, 1000)));
    for (double& flow : flows) flow = g_.signedAmount();
    const double guess = std::expm1(g_.uniform(-4.6, 9.2));
    check([&] { return IRR(flows, guess); });
    check([&] {
      return Rate(g_.uniform(1, 1e5), -g_.amount(), g_.amount(), g_.signedAmount(),
                  PaymentDue::EndOfPeriod, guess);
    });
  }
  std::printf("slowest long search: %.3f ms of CPU time\n", 1e3 * slowest_);
  EXPECT_LT(slowest_, 0.05);
}

}  // namespace
