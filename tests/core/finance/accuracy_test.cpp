// The functions against the high-precision reference, on generated cases (each test prints
// the largest error it saw) and on the edge cases where naive formulas fail.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include "core/finance/finance.h"
#include "support.h"

using namespace vantro::core::finance;
using reference::Big;

namespace {

// Error relative to the larger of the exact value and a scale: for a sum, the same sum of the
// terms' magnitudes, below which a double evaluation cannot go when the terms cancel.
struct Accuracy {
  const char* name = "";
  double worst = 0;
  template <class T>
  void add(double computed, const T& exact, const T& scale = 0) {
    const T error = abs(computed - exact), size = abs(exact) > scale ? abs(exact) : scale;
    if (error != 0) worst = std::max(worst, static_cast<double>(error / size));
  }
  // Rates: relative above 0.1 % per period, absolute (1e-15) below, where a rate is only as
  // sharp as the amounts it balances.
  void addRate(double computed, const Big& exact) { add(computed, exact, Big(1e-3)); }
  void expectWithin() const {
    std::printf("%-8s largest error %.2e\n", name, worst);
    EXPECT_LE(worst, 1e-12) << name;
  }
};

int flag(PaymentDue due) {
  return static_cast<int>(due);
}

TEST(FinanceAccuracy, TimeValueOfMoney) {
  finance_cases::Generator g(1001);
  Accuracy pv{"PV"}, fv{"FV"}, pmt{"PMT"}, nper{"NPer"}, ipmt{"IPMT"}, ppmt{"PPMT"};
  for (int i = 0; i < 3000; ++i) {
    const double r = g.rate(), n = g.periods(), a = g.signedAmount(), b = g.signedAmount();
    const double growthLog = std::fabs(n * std::log1p(r));
    if (growthLog > 600) continue;  // results beyond the range of doubles
    const auto d = g.due();
    // The scale: the same formula with every amount made positive, so that nothing cancels.
    const double x = std::fabs(a), y = std::fabs(b);
    pv.add(PV(r, n, a, b, d), reference::pv(r, n, a, b, flag(d)),
           abs(reference::pv(r, n, x, y, flag(d))));
    fv.add(FV(r, n, a, b, d), reference::fv(r, n, a, b, flag(d)),
           abs(reference::fv(r, n, x, y, flag(d))));
    pmt.add(PMT(r, n, a, b, d), reference::pmt(r, n, a, b, flag(d)),
            abs(reference::pmt(r, n, x, y, flag(d))));
    // A loan, mostly with a balloon: NPer measured against its sensitivity to its arguments,
    // wherever the payment differs from the interest (on the loan, or with a balloon on that)
    // by more than rounding; the parts of one payment where the 100-digit reference survives
    // carrying the balance forward.
    const double loan = std::fabs(a), balloon = g.chance(0.25) ? 0 : -g.uniform(0, 0.5) * loan;
    const double payment = PMT(r, n, loan, balloon, d), logGrowth = n * std::log1p(r);
    if (logGrowth < 25 && (balloon == 0 || logGrowth > -25))
      nper.add(NPer(r, payment, loan, balloon, d),
               reference::nper(r, payment, loan, balloon, flag(d)),
               reference::nperSensitivity(r, payment, loan, balloon, flag(d)));
    if (i % 4 != 0 || growthLog > 100) continue;
    using Mid = reference::mp::cpp_bin_float_100;
    const double per = g.chance(0.5) ? std::floor(g.uniform(1, n + 1)) : g.uniform(1, n);
    ipmt.add(IPMT(r, per, n, loan, balloon, d),
             reference::ipmt<Mid>(r, per, n, loan, balloon, flag(d)));
    ppmt.add(PPMT(r, per, n, loan, balloon, d),
             reference::ppmt<Mid>(r, per, n, loan, balloon, flag(d)));
  }
  for (const Accuracy* a : {&pv, &fv, &pmt, &nper, &ipmt, &ppmt}) a->expectWithin();
}

// At −100 % and below, with whole periods there: each error relative to the relation's terms
// that meet in the result (below −100 % the power alternates in sign, so positive amounts can
// cancel too). PV, which divides by the growth, refuses every such rate.
TEST(FinanceAccuracy, AtAndBelowMinusOneHundredPercent) {
  finance_cases::Generator g(7007);
  Accuracy fv{"FV"}, pmt{"PMT"}, ipmt{"IPMT"}, ppmt{"PPMT"};
  for (int i = 0; i < 1000; ++i) {
    const double r = g.chance(0.1) ? -1 : -g.uniform(1, 4), n = std::round(g.uniform(1, 60));
    const double a = g.signedAmount(), b = g.signedAmount(), per = std::round(g.uniform(1, n));
    const auto d = g.due();
    const Big rate = r;
    const Big paymentFactor = (1 + rate * flag(d)) * reference::accumulation(rate, n);
    fv.add(FV(r, n, a, b, d), reference::fv(r, n, a, b, flag(d)),
           reference::terms(rate, n, a, b, 0, flag(d)));
    EXPECT_THROW(PV(r, n, a, b, d), FinanceError) << r;
    if (paymentFactor == 0) continue;  // payments change nothing: no PMT
    pmt.add(PMT(r, n, a, b, d), reference::pmt(r, n, a, b, flag(d)),
            reference::terms(rate, n, 0, a, b, flag(d)) / abs(paymentFactor));
    ipmt.add(IPMT(r, per, n, a, 0, d), reference::ipmt(r, per, n, a, 0, flag(d)));
    ppmt.add(PPMT(r, per, n, a, 0, d), reference::ppmt(r, per, n, a, 0, flag(d)));
  }
  for (const Accuracy* a : {&fv, &pmt, &ipmt, &ppmt}) a->expectWithin();
}

// Rate and every root of IRRs against the exact root of their defining relation next to it.
TEST(FinanceAccuracy, RatesAndCashFlows) {
  finance_cases::Generator g(4004);
  Accuracy rate{"Rate"}, npv{"NPV"}, irr{"IRR"}, mirr{"MIRR"}, npvAtIrr{"NPV(IRR)"};
  for (int i = 0; i < 400; ++i) {
    const double r0 = g.rate(), n = g.periods(), pv = g.amount(), fv = -g.uniform(0, 0.5) * pv;
    if (std::fabs(n * std::log1p(r0)) > 300) continue;
    const auto d = g.due();
    const double pmt = PMT(r0, n, pv, fv, d);
    const double r = Rate(n, pmt, pv, fv, d, g.chance(0.5) ? 0.1 : g.uniform(-0.5, 3));
    rate.addRate(r, reference::rootNear(r, [&](const Big& x) {
                   return reference::relation(x, n, pmt, pv, fv, flag(d));
                 }));

    const int count = static_cast<int>(g.uniform(2, 400));
    const auto flows = g.chance(0.5) ? g.investment(count) : g.mixedFlows(count / 8 + 2);
    std::vector<double> magnitudes(flows.size());
    std::transform(flows.begin(), flows.end(), magnitudes.begin(),
                   [](double v) { return std::fabs(v); });
    if (double(flows.size()) * std::fabs(std::log1p(r0)) < 600) {
      npv.add(NPV(r0, flows), reference::npv(r0, flows), reference::npv(r0, magnitudes));
    }
    for (double x : IRRs(flows)) {  // every root, none for some mixed flows
      irr.addRate(
          x, reference::rootNear(x, [&](const Big& y) { return reference::irrSum(y, flows); }));
      // NPV at the IRR is zero to what the IRR's own tolerance allows: that times NPV's slope,
      // at most the terms' size times count/(1 + IRR).
      const Big slope = reference::npv(x, magnitudes) * int(flows.size()) / (1 + x);
      npvAtIrr.add(NPV(x, flows), Big(0), slope * std::max(std::fabs(x), 1e-3));
    }
    const double finance = g.rate(), reinvest = g.rate();
    mirr.addRate(MIRR(flows, finance, reinvest), reference::mirr(flows, finance, reinvest));
  }
  for (const Accuracy* a : {&rate, &npv, &irr, &mirr, &npvAtIrr}) a->expectWithin();
}

// Rates near 0 (1 + rate drops the rate's digits), near −100 % and far above 100 %, a
// million periods, the last payments of long loans (carrying the balance forward cancels
// every digit); exact values in 600 digits.
TEST(FinanceAccuracy, EdgeCases) {
  using reference::Wide;
  const auto begin = PaymentDue::BeginningOfPeriod;
  const std::vector<double> flows(120, 1.0);
  const struct {
    const char* call;
    double computed;
    Wide exact;
  } cases[] = {
      {"PMT at 1e-12", PMT(1e-12, 360, 1e5), reference::pmt<Wide>(1e-12, 360, 1e5, 0, 0)},
      {"PV at -1e-12", PV(-1e-12, 360, -100, -5, begin),
       reference::pv<Wide>(-1e-12, 360, -100, -5, 1)},
      {"FV at 5e-324", FV(5e-324, 60, -200), reference::fv<Wide>(5e-324, 60, -200, 0, 0)},
      {"NPer at 1e-15", NPer(1e-15, -100, 1000), reference::nper<Wide>(1e-15, -100, 1000, 0, 0)},
      {"FV at -99.9 %", FV(-0.999, 50, -1, -1000), reference::fv<Wide>(-0.999, 50, -1, -1000, 0)},
      {"PV at -90 %", PV(-0.9, 300, -1), reference::pv<Wide>(-0.9, 300, -1, 0, 0)},
      {"PMT at 5000 %", PMT(50, 20, 1000, 0, begin), reference::pmt<Wide>(50, 20, 1000, 0, 1)},
      {"FV of 1e6 periods", FV(1e-4, 1e6, -1), reference::fv<Wide>(1e-4, 1e6, -1, 0, 0)},
      {"IPMT last of 1e5", IPMT(0.01, 1e5, 1e5, 1000), reference::ipmt(0.01, 1e5, 1e5, 1000, 0, 0)},
      {"PPMT last of 1e5", PPMT(0.01, 1e5, 1e5, 1000), reference::ppmt(0.01, 1e5, 1e5, 1000, 0, 0)},
      {"IPMT fractional end", IPMT(0.01, 99999.5, 99999.5, 1000, 0, begin),
       reference::ipmt(0.01, 99999.5, 99999.5, 1000, 0, 1)},
      {"IPMT with balloon", IPMT(0.005, 99990, 1e5, 1e6, -1e5),
       reference::ipmt(0.005, 99990, 1e5, 1e6, -1e5, 0)},
      {"NPV at -99 %", NPV(-0.99, flows), reference::npv<Wide>(-0.99, flows)},
      {"NPer at -58 %", NPer(-0.58, -1e-4, 1000), reference::nper<Wide>(-0.58, -1e-4, 1000, 0, 0)},
      {"IPMT at -100 %", IPMT(-1, 1, 12, 1000, -50), reference::ipmt(-1, 1, 12, 1000, -50, 0)},
      {"IPMT at -150 %", IPMT(-1.5, 5, 24, 1000, -100),
       reference::ipmt(-1.5, 5, 24, 1000, -100, 0)},
  };
  for (const auto& c : cases) {
    Accuracy accuracy;
    accuracy.add(c.computed, c.exact);
    EXPECT_LE(accuracy.worst, 1e-12) << c.call << " gave " << c.computed;
  }
}

}  // namespace
