// The cash-flow profile: the plotted range holds every IRR, the curve passes through zero at
// each, and the payback periods of small lists worked out by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include "core/finance/cash_flow_profile.h"
#include "core/finance/finance.h"
#include "support.h"

using namespace vantro::core::finance;

namespace {

// Σ |flow i|/(1 + rate)^(i+1): the NPV's terms in magnitude, the scale of its rounding.
double npvScale(const std::vector<double>& flows, double rate) {
  std::vector<double> magnitudes;
  for (double flow : flows) magnitudes.push_back(std::fabs(flow));
  return NPV(rate, magnitudes);
}

TEST(CashFlowProfile, RangeHoldsEveryIrrAndTheCurveCrossesZeroThere) {
  finance_cases::Generator g(7007);
  std::vector<std::vector<double>> lists = {
      {1, -3, 3},                // 1 − 3v + 3v² has no real root: no IRR
      {1, -3.8, 4.77, -1.98},    // (x − 1.1)(x − 1.2)(x − 1.5), x = 1 + rate: 10, 20 and 50 %
      {-1, 1e4},                 // 999,900 %
      {-1, 0, 0, 0, 0, 1e-12}};  // about −99.6 %
  for (int i = 0; i < 20; ++i) lists.push_back(g.investment(2 + i));
  for (int i = 0; i < 40; ++i) lists.push_back(g.mixedFlows(3 + i % 7));
  for (const auto& flows : lists) {
    const std::vector<double> irrs = IRRs(flows);
    const double rate = 0.08;
    const RateRange range = profileRange(irrs, rate);
    SCOPED_TRACE(testing::Message() << flows.size() << " flows, " << irrs.size() << " IRRs");
    ASSERT_TRUE(std::isfinite(range.low) && std::isfinite(range.high));
    EXPECT_GT(range.low, -1);
    EXPECT_LT(range.low, irrs.empty() ? rate : std::min(rate, irrs.front()));
    EXPECT_GT(range.high, irrs.empty() ? rate : std::max(rate, irrs.back()));

    const auto curve = npvCurve(flows, range, 400, irrs);
    ASSERT_GE(curve.size(), 2u);
    EXPECT_TRUE(std::is_sorted(curve.begin(), curve.end(),
                               [](auto& a, auto& b) { return a.rate <= b.rate; }));
    for (double irr : irrs) {
      const auto at = std::find_if(curve.begin(), curve.end(),
                                   [irr](const NpvPoint& p) { return p.rate == irr; });
      ASSERT_NE(at, curve.end()) << irr;
      EXPECT_LE(std::fabs(at->npv), 1e-9 * npvScale(flows, irr)) << irr;
      // A simple root: the neighbours lie on either side of zero.
      if (at != curve.begin() && at + 1 != curve.end()) {
        EXPECT_LE((at - 1)->npv * (at + 1)->npv, 0) << irr;
      }
    }
  }
  // Beside a huge rate a fixed margin is lost in rounding: the range must still have width.
  for (const double rate : {7.7e15, 1e300, DBL_MAX}) {
    const RateRange range = profileRange({}, rate);
    EXPECT_LT(range.low, rate);
    EXPECT_LE(rate, range.high);
    EXPECT_NO_THROW(npvCurve(std::vector<double>{4}, range, 10, {})) << rate;
  }
}

TEST(CashFlowProfile, CurveKeepsItsSampleCountWithinBounds) {
  const std::vector<double> flows = {-100, 60, 60};
  const RateRange range{-0.5, 0.5};
  EXPECT_EQ(npvCurve(flows, range, 1, {}).size(), 2u);
  EXPECT_EQ(npvCurve(flows, range, 1'000'000'000, {}).size(), 100'000u);
  const double irr = IRR(flows);
  EXPECT_EQ(npvCurve(flows, range, 11, std::vector<double>{irr, 3.0}).size(), 12u);
}

// Dated flows a year apart discount by whole years: -100 then 110 a year later is worth
// -100 + 110/(1 + rate), zero at 10 %, which the curve passes through as a point of its own.
TEST(CashFlowProfile, XnpvCurveDiscountsDatedFlowsByTheYearsBetweenThem) {
  const std::vector<DatedFlow> flows = {{10'000, -100}, {10'365, 110}};
  const auto curve = xnpvCurve(flows, {-0.5, 1}, 4, std::vector<double>{0.1});
  ASSERT_EQ(curve.size(), 5u);
  for (const NpvPoint& point : curve)
    EXPECT_NEAR(point.npv, -100 + 110 / (1 + point.rate), 1e-9) << point.rate;
  EXPECT_EQ(curve[2].rate, 0.1);
}

TEST(CashFlowProfile, PaybackByHand) {
  const std::optional<double> never;
  const struct {
    std::vector<double> flows;
    double rate;
    std::optional<double> plain, discounted;
  } cases[] = {
      // Totals −100, −40, 20: crosses in period 2, 1 + 40/60. Discounted at 10 %: −100,
      // −45.45, 4.13 (60/1.1 = 54.55, 60/1.21 = 49.59): 1 + 45.45/49.59 = 1.9167.
      {{-100, 60, 60}, 0.10, 1 + 40.0 / 60, 1 + (100 - 60 / 1.1) / (60 / 1.21)},
      // Totals −100, −50, 0: exactly 2. Discounted at 10 %, 55/1.1 = 50 and 60.5/1.21 = 50: 2.
      {{-100, 50, 50}, 0.0, 2.0, 2.0},
      {{-100, 55, 60.5}, 0.10, 1 + 45.0 / 60.5, 2.0},
      // Totals 100, 50, 60 are never negative: 0.
      {{100, -50, 10}, 0.10, 0.0, 0.0},
      // Totals −100, 50, −50, 50: the last crossing counts, 2 + 50/100. Discounted at 0: same.
      {{-100, 150, -100, 100}, 0.0, 2.5, 2.5},
      // Totals −100, −50 end below 0; at −50 % the 50 counts double: −100, 0, so 1.
      {{-100, 50}, -0.5, never, 1.0},
      // Nothing to pay back.
      {{}, 0.10, 0.0, 0.0},
  };
  for (const auto& c : cases) {
    const auto plain = paybackPeriod(c.flows);
    const auto discounted = discountedPaybackPeriod(c.flows, c.rate);
    // −1 stands for "never".
    EXPECT_NEAR(plain.value_or(-1), c.plain.value_or(-1), 1e-12) << c.flows.size();
    EXPECT_NEAR(discounted.value_or(-1), c.discounted.value_or(-1), 1e-12) << c.flows.size();
  }
}

TEST(CashFlowProfile, RefusesWhatItCannotProfile) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> flows = {-100, 60, 60};
  EXPECT_THROW(discountedPaybackPeriod(flows, -1), FinanceError);
  EXPECT_THROW(discountedPaybackPeriod(flows, nan), FinanceError);
  EXPECT_THROW(paybackPeriod(std::vector<double>{-1, nan}), FinanceError);
  EXPECT_THROW(profileRange({}, -1), FinanceError);
  EXPECT_THROW(npvCurve(flows, {-1, 0.5}, 10, {}), FinanceError);
  EXPECT_THROW(npvCurve(flows, {0.5, 0.5}, 10, {}), FinanceError);
  EXPECT_THROW(xnpvCurve(std::vector<DatedFlow>{{0, -1}, {9, nan}}, {0, 1}, 10, {}), FinanceError);
}

}  // namespace
