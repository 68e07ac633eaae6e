// The error each function reports, with its reason. (The worked examples, as the calculator
// shows them, are the keystroke scripts' and the help pages'.)

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <vector>

#include "core/finance/finance.h"
#include "support.h"

using namespace vantro::core::finance;

namespace {

const auto kBegin = PaymentDue::BeginningOfPeriod;
const std::vector<double> kFlows{-1000, 300, 400, 500};

TEST(FinanceExamples, ErrorsCarryTheirReason) {
  using R = FinanceError::Reason;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> noRoot{-1, 1, -1}, receipts{100, 200};  // -1 + v - v² < 0
  const std::vector<double> notFinite{-1, nan, 2};
  std::vector<double> alternating(40000, 1.0);  // a sign change at every period: refused
  for (std::size_t i = 0; i < alternating.size(); i += 2) alternating[i] = -1;
  const std::vector<DatedFlow> datedNoRoot{{0, -1}, {365, 1}, {730, -1}};
  const std::vector<DatedFlow> datedReceipts{{0, 100}, {400, 200}}, cancelling{{7, -5}, {7, 5}};
  const std::vector<DatedFlow> datedNotFinite{{0, -1}, {10, nan}, {20, 2}};
  const std::vector<DatedFlow> overCenturies{{0, -1}, {146000, 1e300}};
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
      {[] { return double(Rates(0, -100, 1000).size()); }, R::NoSolution},
      {[&] { return XIRR(datedNoRoot); }, R::NoSolution},
      {[&] { return double(XIRRs(cancelling).size()); }, R::NoSolution},  // any rate will do
      {[] { return IPMT(0.01, 0, 12, 1000); }, R::PeriodOutOfRange},
      {[] { return PPMT(0.01, 12.5, 12, 1000); }, R::PeriodOutOfRange},
      {[&] { return IRR(receipts); }, R::NoSignChange},
      {[&] { return double(IRRs(receipts).size()); }, R::NoSignChange},
      {[&] { return IRR(alternating); }, R::NoConvergence},
      {[&] { return XIRR(datedReceipts, 0.1); }, R::NoSignChange},
      {[&] { return XIRR(datedNoRoot, -1); }, R::RateAtOrBelowMinusOne},
      {[&] { return XNPV(-1, datedNoRoot); }, R::RateAtOrBelowMinusOne},
      {[&] { return XNPV(-0.5, overCenturies); }, R::Overflow},  // 1e300·2^400
      {[&] { return XNPV(0.1, datedNotFinite); }, R::InvalidArgument},
      {[&] { return XIRR(datedNoRoot, nan); }, R::InvalidArgument},
      {[&] { return MIRR(receipts, 0, 0); }, R::NoSignChange},
      {[] { return PV(-1, 10, -100); }, R::RateAtOrBelowMinusOne},    // the loan plays no part
      {[] { return PV(-1.5, 12, -100); }, R::RateAtOrBelowMinusOne},  // divides by (1 + rate)^n
      {[] { return PV(-3, 5, -100, 50, kBegin); }, R::RateAtOrBelowMinusOne},
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
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(finance_cases::reasonOf(cases[i].call), cases[i].reason) << "case " << i;
}

}  // namespace
