// The functions against the high-precision reference, on generated and on edge cases. Each
// generated test prints the largest error it saw.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/finance/finance.h"
#include "generator.h"
#include "reference.h"

using namespace vantro::core::finance;
using reference::Big;

namespace {

// Error relative to the larger of the result and the terms it is a sum of: the plain relative
// error when the terms do not cancel, the error in units of the terms when they do (a double
// evaluation cannot do better than rounding those terms). `plain` keeps the plain relative
// error of the cases whose terms cancel by less than a factor 10.
struct Accuracy {
  double worst = 0;
  double plain = 0;
  template <class T>
  void add(double computed, const reference::Result<T>& exact) {
    const T error = abs(computed - exact.value);
    if (error == 0) return;
    worst = std::max(worst, static_cast<double>(error / std::max(abs(exact.value), exact.scale)));
    if (abs(exact.value) * 10 >= exact.scale)
      plain = std::max(plain, static_cast<double>(error / abs(exact.value)));
  }
  template <class T>
  void add(double computed, const T& exact) {
    add(computed, reference::Result<T>{exact, abs(exact)});
  }
  void expectWithin(const char* name, double bound) const {
    std::printf("%-6s largest error %.2e (plain relative where terms do not cancel %.2e)\n", name,
                worst, plain);
    EXPECT_LE(worst, bound) << name;
  }
};

constexpr auto kBegin = PaymentDue::BeginningOfPeriod;

int due(PaymentDue d) {
  return static_cast<int>(d);
}

TEST(FinanceAccuracy, AnnuityClosedForms) {
  finance_cases::Generator g(1001);
  Accuracy pv, fv, pmt, nper;
  for (int i = 0; i < 3000; ++i) {
    const double r = g.rate(), n = g.periods(), a = g.signedAmount(), b = g.signedAmount();
    if (std::fabs(n * std::log1p(r)) > 600) continue;  // results beyond the double range
    const auto d = g.due();
    pv.add(PV(r, n, a, b, d), reference::pv(r, n, a, b, due(d)));
    fv.add(FV(r, n, a, b, d), reference::fv(r, n, a, b, due(d)));
    pmt.add(PMT(r, n, a, b, d), reference::pmt(r, n, a, b, due(d)));
    // NPer from a loan whose payment repays it in n periods, where n is well conditioned.
    if (std::fabs(n * std::log1p(r)) > 5) continue;
    const double payment = PMT(r, n, std::fabs(a), -0.5 * std::fabs(b) / 1e7 * std::fabs(a), d);
    const double owed = -0.5 * std::fabs(b) / 1e7 * std::fabs(a);
    nper.add(NPer(r, payment, std::fabs(a), owed, d),
             reference::nper(r, payment, std::fabs(a), owed, due(d)));
  }
  pv.expectWithin("PV", 1e-12);
  fv.expectWithin("FV", 1e-12);
  pmt.expectWithin("PMT", 1e-12);
  nper.expectWithin("NPer", 1e-12);
}

TEST(FinanceAccuracy, InterestAndPrincipalParts) {
  using Mid = reference::mp::cpp_bin_float_100;
  finance_cases::Generator g(2002);
  Accuracy ipmt, ppmt;
  for (int i = 0; i < 600; ++i) {
    const double r = g.rate(), n = g.periods(), pv = g.amount(), fv = -g.uniform(0, 0.5) * pv;
    if (std::fabs(n * std::log1p(r)) > 100) continue;  // the reference keeps 50 digits
    const double per = g.chance(0.5) ? std::floor(g.uniform(1, n + 1)) : g.uniform(1, n);
    const auto d = g.due();
    ipmt.add(IPMT(r, per, n, pv, fv, d), reference::ipmt<Mid>(r, per, n, pv, fv, due(d)));
    ppmt.add(PPMT(r, per, n, pv, fv, d), reference::ppmt<Mid>(r, per, n, pv, fv, due(d)));
  }
  ipmt.expectWithin("IPMT", 1e-12);
  ppmt.expectWithin("PPMT", 1e-12);
}

TEST(FinanceAccuracy, NetPresentValue) {
  finance_cases::Generator g(3003);
  Accuracy npv;
  for (int i = 0; i < 400; ++i) {
    const auto flows = g.mixedFlows(static_cast<int>(g.uniform(2, 300)));
    const double r = g.rate();
    if (static_cast<double>(flows.size()) * std::fabs(std::log1p(r)) > 600) continue;
    npv.add(NPV(r, flows), reference::npv(r, flows));
  }
  npv.expectWithin("NPV", 1e-12);
}

// Rates are compared relative to max(|rate|, 1e-3): relative above 0.1 % per period,
// absolute (1e-15) below, where a rate is only as sharp as the terms it balances. For Rate
// and IRR the exact root is the returned rate minus the Newton step f/f' of the defining
// relation, evaluated in high precision.
reference::Result<Big> exactRate(const Big& rate) {
  const Big magnitude = abs(rate);
  return {rate, magnitude > 1e-3 ? magnitude : Big(1e-3)};
}

TEST(FinanceAccuracy, RatesFromRateIrrAndMirr) {
  finance_cases::Generator g(4004);
  Accuracy rate, irr, mirr;
  for (int i = 0; i < 400; ++i) {
    const double r0 = g.rate(), n = g.periods(), pv = g.amount(), fv = -g.uniform(0, 0.5) * pv;
    if (std::fabs(n * std::log1p(r0)) > 300) continue;
    const auto d = g.due();
    const double pmt = PMT(r0, n, pv, fv, d);
    const double r = Rate(n, pmt, pv, fv, d, g.chance(0.5) ? 0.1 : g.uniform(-0.5, 3));
    const auto relation = [&](const Big& x) {
      return reference::relation(x, n, pmt, pv, fv, due(d));
    };
    rate.add(r, exactRate(r - reference::newtonCorrection(r, relation)));

    const int count = static_cast<int>(g.uniform(2, 400));
    const auto flows = g.chance(0.5) ? g.investment(count) : g.mixedFlows(count / 8 + 2);
    try {
      const double x = IRR(flows, g.uniform(-0.5, 2));
      const auto sum = [&](const Big& y) { return reference::irrSum(y, flows); };
      irr.add(x, exactRate(x - reference::newtonCorrection(x, sum)));
    } catch (const FinanceError& e) {  // mixed flows need not have a root
      EXPECT_EQ(e.reason(), FinanceError::Reason::NoSolution) << e.what();
    }
    const double finance = g.rate(), reinvest = g.rate();
    mirr.add(MIRR(flows, finance, reinvest), exactRate(reference::mirr(flows, finance, reinvest)));
  }
  rate.expectWithin("Rate", 1e-12);
  irr.expectWithin("IRR", 1e-12);
  mirr.expectWithin("MIRR", 1e-12);
}

// Where naive formulas fail: rates near 0 (1 + rate loses the rate's digits), near −100 %
// and far above 100 %, periods in the hundreds of thousands, the last payments of long
// loans (carrying the balance forward cancels every digit).
TEST(FinanceAccuracy, EdgeCases) {
  using reference::Wide;
  const std::vector<double> flows(120, 1.0);
  const auto wide = [](const Wide& x) { return reference::Result<Wide>{x, abs(x)}; };
  const struct {
    const char* call;
    double computed;
    reference::Result<Wide> exact;
  } cases[] = {
      {"PMT at 1e-12", PMT(1e-12, 360, 1e5), reference::pmt<Wide>(1e-12, 360, 1e5, 0, 0)},
      {"PV at -1e-12", PV(-1e-12, 360, -100, 5, kBegin),
       reference::pv<Wide>(-1e-12, 360, -100, 5, 1)},
      {"FV at a subnormal rate", FV(5e-324, 60, -200), reference::fv<Wide>(5e-324, 60, -200, 0, 0)},
      {"NPer at 1e-15", NPer(1e-15, -100, 1000),
       wide(reference::nper<Wide>(1e-15, -100, 1000, 0, 0))},
      {"FV near -100 %", FV(-0.999, 50, -1, 1000), reference::fv<Wide>(-0.999, 50, -1, 1000, 0)},
      {"PV at -90 %, 300 periods", PV(-0.9, 300, -1), reference::pv<Wide>(-0.9, 300, -1, 0, 0)},
      {"PMT at 5000 %", PMT(50, 20, 1000, 0, kBegin), reference::pmt<Wide>(50, 20, 1000, 0, 1)},
      {"FV over 1e6 periods", FV(1e-4, 1e6, -1), reference::fv<Wide>(1e-4, 1e6, -1, 0, 0)},
      {"IPMT last of 1e5", IPMT(0.01, 1e5, 1e5, 1000),
       wide(reference::ipmt<Wide>(0.01, 1e5, 1e5, 1000, 0, 0))},
      {"PPMT last of 1e5", PPMT(0.01, 1e5, 1e5, 1000),
       wide(reference::ppmt<Wide>(0.01, 1e5, 1e5, 1000, 0, 0))},
      {"IPMT fractional end", IPMT(0.01, 99999.5, 99999.5, 1000, 0, kBegin),
       wide(reference::ipmt<Wide>(0.01, 99999.5, 99999.5, 1000, 0, 1))},
      {"IPMT with balloon", IPMT(0.005, 99990, 1e5, 1e6, -1e5),
       wide(reference::ipmt<Wide>(0.005, 99990, 1e5, 1e6, -1e5, 0))},
      {"NPV at -99 %", NPV(-0.99, flows), reference::npv<Wide>(-0.99, flows)},
  };
  for (const auto& c : cases) {
    Accuracy accuracy;
    accuracy.add(c.computed, c.exact);
    EXPECT_LE(accuracy.worst, 1e-12) << c.call << " gave " << c.computed;
  }
}

}  // namespace
