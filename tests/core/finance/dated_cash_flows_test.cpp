// XNPV and XIRR: the published example, every root of flows made to have chosen ones, and XNPV
// against a 50-digit reference where a plain power overflows: dates centuries apart, amounts
// near the limits of a double.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/finance/finance.h"
#include "support.h"

using namespace vantro::core::finance;
using reference::Big;

namespace {

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
std::int64_t day(int year, unsigned month, unsigned dayOfMonth) {
  const std::chrono::sys_days date{std::chrono::year{year} / month / dayOfMonth};
  return date.time_since_epoch().count();
}

std::vector<DatedFlow> yearly(const std::vector<double>& amounts) {
  std::vector<DatedFlow> flows;
  for (std::size_t i = 0; i < amounts.size(); ++i)
    flows.push_back({365 * std::int64_t(i), amounts[i]});
  return flows;
}

Big discount(const Big& rate, std::int64_t from, std::int64_t to) {
  return exp(-Big(to - from) / 365 * log1p(rate));
}

// −1000 on the first day, and on each later day the amount that makes XNPV vanish at every one
// of the rates (one more day than rates): a linear system solved in 50 digits.
std::vector<DatedFlow> settledAt(const std::vector<std::int64_t>& days,
                                 const std::vector<double>& rates) {
  const std::size_t n = rates.size();
  std::vector<std::vector<Big>> system(n, std::vector<Big>(n + 1));
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t k = 0; k < n; ++k) system[i][k] = discount(rates[i], days[0], days[k + 1]);
    system[i][n] = 1000;
  }
  for (std::size_t col = 0; col < n; ++col) {  // discount factors: no pivot is ever 0
    for (std::size_t i = 0; i < n; ++i) {
      if (i == col) continue;
      const Big factor = system[i][col] / system[col][col];
      for (std::size_t k = col; k <= n; ++k) system[i][k] -= factor * system[col][k];
    }
  }
  std::vector<DatedFlow> flows{{days[0], -1000}};
  for (std::size_t k = 0; k < n; ++k)
    flows.push_back({days[k + 1], double(system[k][n] / system[k][k])});
  return flows;
}

TEST(FinanceDatedFlows, PublishedExample) {
  const std::vector<DatedFlow> flows{{day(2008, 1, 1), -10000},
                                     {day(2008, 3, 1), 2750},
                                     {day(2008, 10, 30), 4250},
                                     {day(2009, 2, 15), 3250},
                                     {day(2009, 4, 1), 2750}};
  EXPECT_NEAR(XNPV(0.09, flows), 2086.65, 0.005);
  EXPECT_NEAR(XIRR(flows) * 100, 37.34, 0.005);
}

// XIRRs finds every root and nothing else, the same whatever the order of the flows; XIRR
// returns the root nearest its guess.
TEST(FinanceDatedFlows, XirrsFindsEveryRoot) {
  using finance_cases::withRoots;
  const std::vector<std::int64_t> irregular{day(2010, 1, 1), day(2010, 7, 19), day(2011, 2, 2),
                                            day(2013, 11, 30)};
  std::vector<DatedFlow> thousandOnOneDay(1000, {0, -1});
  thousandOnOneDay.push_back({365, 1100});
  // A receipt split into two flows of opposite signs on its day.
  std::vector<DatedFlow> split = settledAt({irregular.begin(), irregular.begin() + 3}, {0.04, 0.3});
  split.push_back({split[1].day, -700});
  split[1].amount += 700;
  const double centuries = double(day(2100, 1, 1) - day(1700, 1, 1)) / 365;
  const struct {
    std::vector<DatedFlow> flows;
    std::vector<double> roots;
    double tolerance;
  } cases[] = {
      {yearly(withRoots({0.05, 0.25, 0.6})), {0.05, 0.25, 0.6}, 1e-12},
      {yearly(withRoots({-0.5, 0.08, 0.08, 2.5})), {-0.5, 0.08, 2.5}, 1e-6},  // a double root
      {settledAt({irregular.begin(), irregular.begin() + 3}, {0.04, 0.3}), {0.04, 0.3}, 1e-12},
      {split, {0.04, 0.3}, 1e-12},
      {settledAt(irregular, {-0.2, 0.1, 0.9}), {-0.2, 0.1, 0.9}, 1e-12},
      {settledAt({irregular.begin(), irregular.begin() + 3}, {0.1, 0.101}), {0.1, 0.101}, 1e-9},
      {{{day(2100, 1, 1), 1e6}, {day(1700, 1, 1), -1}},
       {std::expm1(std::log(1e6) / centuries)},
       1e-14},
      {{{0, -1e300}, {730, 1.21e300}}, {0.1}, 1e-15},
      {{{0, -1e-300}, {365, 1.1e-300}}, {0.1}, 1e-15},
      {{{0, -1e300}, {365, 1e-300}, {730, 1.21e300}}, {0.1}, 1e-15},
      {thousandOnOneDay, {0.1}, 1e-15},
      {yearly({-1, 1, -1}), {}, 0},  // −1 + v − v² < 0
  };
  for (std::size_t c = 0; c < std::size(cases); ++c) {
    const auto& t = cases[c];
    const std::vector<double> found = XIRRs(t.flows);
    ASSERT_EQ(found.size(), t.roots.size()) << "case " << c;
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_NEAR(found[i], t.roots[i], t.tolerance * (1 + std::fabs(t.roots[i])))
          << "case " << c << " root " << i;
      EXPECT_EQ(XIRR(t.flows, t.roots[i]), found[i]) << "case " << c << " root " << i;
    }
    const std::vector<DatedFlow> reversed(t.flows.rbegin(), t.flows.rend());
    EXPECT_EQ(XIRRs(reversed), found) << "case " << c;
  }
}

// XNPV to a few units in the last place of the flows' discounted magnitudes, also where the
// discount factor alone is beyond a double.
TEST(FinanceDatedFlows, XnpvAgreesWithReference) {
  const std::int64_t y1700 = day(1700, 1, 1), y1900 = day(1900, 6, 1), y2100 = day(2100, 1, 1);
  const std::vector<DatedFlow> example{
      {day(2008, 1, 1), -10000}, {day(2009, 4, 1), 2750}, {day(2008, 3, 1), 2750}};
  const std::vector<DatedFlow> tinyOverCenturies{
      {y2100, 1e-300}, {y1700, -1e-300}, {y1900, 3e-300}};
  // Added as they come, the first two overflow.
  const std::vector<DatedFlow> hugeOverCenturies{{y1700, 1e308}, {y1900, 1e308}, {y2100, -1e308}};
  finance_cases::Generator g(365);
  std::vector<DatedFlow> many;
  for (int i = 0; i < 2000; ++i)
    many.push_back({std::int64_t(g.uniform(0, 11000)), g.signedAmount()});
  const struct {
    double rate;
    const std::vector<DatedFlow>& flows;
  } cases[] = {
      {0.09, example},
      {-0.5, example},
      {5, example},
      {0, example},
      {-0.9, tinyOverCenturies},
      {10, tinyOverCenturies},
      {1e-9, hugeOverCenturies},
      {-0.999, many},
      {0.07, many},
  };
  for (const auto& t : cases) {
    const std::int64_t earliest = std::ranges::min(t.flows, {}, &DatedFlow::day).day;
    Big exact = 0, magnitude = 0;
    for (const DatedFlow& f : t.flows) {
      const Big term = f.amount * discount(t.rate, earliest, f.day);
      exact += term;
      magnitude += abs(term);
    }
    const double error = double(abs(XNPV(t.rate, t.flows) - exact) / magnitude);
    EXPECT_LE(error, 1e-13) << t.rate << " over " << t.flows.size() << " flows";
  }
}

}  // namespace
