// Worked examples as the calculator shows them, and the error each function reports.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/finance/finance.h"

using namespace vantro::core::finance;

namespace {

const auto kBegin = PaymentDue::BeginningOfPeriod;
const std::vector<double> kFlows{-1000, 300, 400, 500};

std::string shown(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

TEST(FinanceExamples, TwoDecimalsAsShown) {
  // Source: the calculator's documented worked examples (a 30-year 8 % mortgage of 100000,
  // a savings plan, 1000 repaid monthly over a year at 1 %, the cash flows -1000, 300, 400,
  // 500), which agree with published mortgage and annuity tables. Rates are in percent; all
  // are rounded to cents, halves away from zero, as the "0.00" display pattern does.
  const struct {
    double value;
    const char* expected;
  } cases[] = {
      {PMT(0.08 / 12, 360, 100000), "-733.76"},
      {PMT(0.08 / 12, 360, 100000, 0, kBegin), "-728.91"},
      {NPer(0.01, -100, 1000), "10.59"},
      {NPer(0.7 / 100, -7.0001, 1000), "1599.32"},  // just above the interest: a long time
      {FV(-1, 12, -100), "100.00"},
      {100 * Rate(12, -100, 1000), "2.92"},
      {PMT(0.0292, 12, 1000), "-99.98"},
      {PV(0.005, 60, -200), "10345.11"},
      {FV(0.005, 120, -100), "16387.93"},
      {PV(0, 10, -100), "1000.00"},
      {PPMT(0.01, 1, 12, 1000), "-78.85"},
      {IPMT(0.01, 1, 12, 1000), "-10.00"},
      {PPMT(0.01, 3, 12, 1000), "-80.43"},
      {IPMT(0.01, 3, 12, 1000), "-8.42"},
      {IPMT(0.01, 1, 12, 1000, 0, kBegin), "0.00"},
      {IPMT(0.01, 2, 12, 1000, 0, kBegin), "-9.12"},
      {NPV(0.1, kFlows), "-19.12"},
      {100 * IRR(kFlows, 0.1), "8.90"},
      {100 * MIRR(kFlows, 0.1, 0.12), "9.82"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(shown(cases[i].value), cases[i].expected) << "case " << i;
  }
}

TEST(FinanceExamples, ErrorsCarryTheirReason) {
  using R = FinanceError::Reason;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> noRoot{-1, 1, -1}, receipts{100, 200};  // -1 + v - v² < 0
  const std::vector<double> notFinite{-1, nan, 2};
  std::vector<double> alternating(40000, 1.0);  // a sign change at every period: refused
  for (std::size_t i = 0; i < alternating.size(); i += 2) alternating[i] = -1;
  const struct {
    std::function<double()> call;
    R reason;
  } cases[] = {
      {[] { return NPer(0.01, -5, 1000); }, R::NoSolution},       // payment below the interest
      {[] { return NPer(0.01, -10, 1000); }, R::NoSolution},      // payment equal to the interest
      {[] { return NPer(0.7 / 100, -7, 1000); }, R::NoSolution},  // equal as typed, in percent
      {[] { return NPer(0.7 / 100, 0, 1000); }, R::NoSolution},   // nothing repaid, ever
      {[] { return NPer(0.7 / 100, -7, 0, -1000); }, R::NoSolution},  // interest on the balloon
      {[] { return PMT(-2, 12, 1000); }, R::NoSolution},  // (1 − 2)^12 = 1: payments change nothing
      {[] { return PMT(-1, 12, 1000, 0, kBegin); }, R::NoSolution},  // each payment lost at once
      {[] { return PPMT(-1, 3, 12, 1000, 0, kBegin); }, R::NoSolution},
      {[] { return PMT(0.01, 0, 1000); }, R::NoSolution},
      {[] { return Rate(12, 0, 0, 0); }, R::NoSolution},
      {[] { return Rate(12, -100, -1000); }, R::NoSolution},  // everything paid out
      {[&] { return IRR(noRoot); }, R::NoSolution},
      {[] { return IPMT(0.01, 0, 12, 1000); }, R::PeriodOutOfRange},
      {[] { return PPMT(0.01, 12.5, 12, 1000); }, R::PeriodOutOfRange},
      {[&] { return IRR(receipts); }, R::NoSignChange},
      {[&] { return double(IRRs(receipts).size()); }, R::NoSignChange},
      {[&] { return IRR(alternating); }, R::NoConvergence},
      {[&] { return MIRR(receipts, 0, 0); }, R::NoSignChange},
      {[] { return PV(-1, 10, -100); }, R::RateAtOrBelowMinusOne},      // the loan plays no part
      {[] { return FV(-1.5, 12.5, -100); }, R::RateAtOrBelowMinusOne},  // (−0.5)^12.5 not real
      {[] { return IPMT(-1.5, 2.5, 12, 1000); }, R::RateAtOrBelowMinusOne},
      {[] { return FV(-1, 0, -100); }, R::RateAtOrBelowMinusOne},    // 0^0
      {[] { return PMT(-1, -3, 1000); }, R::RateAtOrBelowMinusOne},  // 0^−3
      {[] { return IRR(kFlows, -1); }, R::RateAtOrBelowMinusOne},
      {[] { return MIRR(kFlows, 0.1, -2); }, R::RateAtOrBelowMinusOne},
      {[] { return FV(0.5, 2000, -1e300); }, R::Overflow},
      {[] { return PV(-0.99, 1000, -100); }, R::Overflow},
      {[] { return FV(-3, 2000, -100); }, R::Overflow},
      {[&] { return NPV(0.1, notFinite); }, R::InvalidArgument},
      {[&] { return double(IRRs(notFinite).size()); }, R::InvalidArgument},
      {[] { return PV(0.1, 10, -1, 0, static_cast<PaymentDue>(2)); }, R::InvalidArgument},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    try {
      ADD_FAILURE() << "case " << i << " returned " << cases[i].call();
    } catch (const FinanceError& error) {
      EXPECT_EQ(error.reason(), cases[i].reason) << "case " << i << ": " << error.what();
    }
  }
}

}  // namespace
