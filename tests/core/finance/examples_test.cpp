// Worked examples as the calculator shows them, and the errors each function reports.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/finance/finance.h"

using namespace vantro::core::finance;

namespace {

constexpr auto kEnd = PaymentDue::EndOfPeriod;
constexpr auto kBegin = PaymentDue::BeginningOfPeriod;
const std::vector<double> kFlows{-1000, 300, 400, 500};

std::string cents(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

TEST(FinanceExamples, TwoDecimalsAsShown) {
  // Source: the calculator's documented worked examples (loan payment, savings plan,
  // amortisation of 1000 over 12 months at 1 %, cash flows -1000, 300, 400, 500), which
  // agree with published mortgage and annuity tables; shown rounded to cents.
  const struct {
    const char* call;
    double value;
    const char* shown;
  } cases[] = {
      {"PMT 8%/12 360 100000", PMT(0.08 / 12, 360, 100000, 0, kEnd), "-733.76"},
      {"PMT due at start", PMT(0.08 / 12, 360, 100000, 0, kBegin), "-728.91"},
      {"NPer", NPer(0.01, -100, 1000), "10.59"},
      {"Rate % from 10 %", 100 * Rate(12, -100, 1000, 0, kEnd, 0.1), "2.92"},
      {"Rate % from 3 %", 100 * Rate(12, -100, 1000, 0, kEnd, 0.03), "2.92"},
      {"PMT at 2.92 %", PMT(0.0292, 12, 1000), "-99.98"},
      {"PV", PV(0.005, 60, -200), "10345.11"},
      {"FV", FV(0.005, 120, -100), "16387.93"},
      {"PV at rate 0", PV(0, 10, -100), "1000.00"},
      {"PPMT 1", PPMT(0.01, 1, 12, 1000), "-78.85"},
      {"IPMT 1", IPMT(0.01, 1, 12, 1000), "-10.00"},
      {"PPMT 3", PPMT(0.01, 3, 12, 1000), "-80.43"},
      {"IPMT 3", IPMT(0.01, 3, 12, 1000), "-8.42"},
      {"IPMT 1 due at start", IPMT(0.01, 1, 12, 1000, 0, kBegin), "0.00"},
      {"IPMT 2 due at start", IPMT(0.01, 2, 12, 1000, 0, kBegin), "-9.12"},
      {"NPV", NPV(0.1, kFlows), "-19.12"},
      {"IRR %", 100 * IRR(kFlows, 0.1), "8.90"},
      {"MIRR %", 100 * MIRR(kFlows, 0.1, 0.12), "9.82"},
  };
  for (const auto& c : cases) EXPECT_EQ(cents(c.value), c.shown) << c.call;
}

TEST(FinanceExamples, ErrorsCarryTheirReason) {
  using R = FinanceError::Reason;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> noRoot{-1, 1, -1};  // -1 + v - v² < 0 for every v
  const struct {
    const char* call;
    std::function<double()> run;
    R reason;
  } cases[] = {
      {"payment below the interest", [] { return NPer(0.01, -5, 1000); }, R::NoSolution},
      {"payment equal to the interest", [] { return NPer(0.01, -10, 1000); }, R::NoSolution},
      {"no payment at rate 0", [] { return NPer(0, 0, 1000); }, R::NoSolution},
      {"no periods", [] { return PMT(0.01, 0, 1000); }, R::NoSolution},
      {"Rate, no periods", [] { return Rate(0, -100, 1000); }, R::NoSolution},
      {"Rate, all zero", [] { return Rate(12, 0, 0, 0); }, R::NoSolution},
      {"Rate, all paid out", [] { return Rate(12, -100, -1000); }, R::NoSolution},
      {"IRR without a root", [&] { return IRR(noRoot); }, R::NoSolution},
      {"period 0", [] { return IPMT(0.01, 0, 12, 1000); }, R::PeriodOutOfRange},
      {"period past the end", [] { return PPMT(0.01, 12.5, 12, 1000); }, R::PeriodOutOfRange},
      {"IRR, receipts only",
       [] {
         return IRR(std::vector<double>{100, 200});
       },
       R::NoSignChange},
      {"IRR, empty", [] { return IRR({}); }, R::NoSignChange},
      {"MIRR, payments only",
       [] {
         return MIRR(std::vector<double>{-1, -2}, 0, 0);
       },
       R::NoSignChange},
      {"PV at -100 %", [] { return PV(-1, 10, -100); }, R::RateAtOrBelowMinusOne},
      {"NPV below -100 %", [] { return NPV(-1.5, kFlows); }, R::RateAtOrBelowMinusOne},
      {"IRR guess -100 %", [] { return IRR(kFlows, -1); }, R::RateAtOrBelowMinusOne},
      {"MIRR reinvest -200 %", [] { return MIRR(kFlows, 0.1, -2); }, R::RateAtOrBelowMinusOne},
      {"FV beyond doubles", [] { return FV(0.5, 2000, -1e300); }, R::Overflow},
      {"PV near -100 %", [] { return PV(-0.99, 1000, -100); }, R::Overflow},
      {"NaN rate", [&] { return PMT(nan, 12, 1000); }, R::InvalidArgument},
      {"infinite flow",
       [&] {
         return NPV(0.1, std::vector<double>{-1, inf});
       },
       R::InvalidArgument},
      {"due 2", [] { return PV(0.1, 10, -1, 0, static_cast<PaymentDue>(2)); }, R::InvalidArgument},
  };
  for (const auto& c : cases) {
    try {
      const double value = c.run();
      ADD_FAILURE() << c.call << " returned " << value;
    } catch (const FinanceError& error) {
      EXPECT_EQ(error.reason(), c.reason) << c.call << ": " << error.what();
    }
  }
}

}  // namespace
