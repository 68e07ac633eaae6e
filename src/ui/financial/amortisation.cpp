// PPMT, IPMT, TPPMT, TIPMT and BAL: a loan or savings plan broken down by period. Results go
// to the display only.

#include <cmath>
#include <cstdint>
#include <exception>

#include "core/checked_math.h"
#include "core/finance/finance.h"
#include "ui/financial/inputs.h"
#include "ui/form1.h"

namespace vantro::ui {

namespace fin = core::finance;
using financial::readCount;
using financial::readMoney;
using financial::readRate;

namespace {

constexpr const char* kPPMTSyntax =
    "PPMT(Interest, Per, NPer, Present Value[, Future Value[, Payment Due]])";
constexpr const char* kIPMTSyntax =
    "IPMT(Interest, Per, NPer, Present Value[, Future Value[, Payment Due]])";
constexpr const char* kTPPMTSyntax =
    "TPPMT(Interest, Per, NPer, Present Value[, Future Value[, Payment Due]])";
constexpr const char* kTIPMTSyntax =
    "TIPMT(Interest, Per, NPer, Present Value[, Future Value[, Payment Due]])";
constexpr const char* kBALSyntax =
    "BAL(Interest, Per, NPer, Present Value[, Future Value[, Payment Due]])";

// The last period of a total as a 16-bit count, rounded half to even. The period counter is
// 16-bit too, so counting past 32,767 would overflow: 32,767 and beyond is refused.
std::int16_t lastPeriodOfTotal(double per) {
  const double rounded = std::nearbyint(per);
  if (!(rounded >= INT16_MIN && rounded < INT16_MAX))
    throw core::ArithmeticError(core::ArithmeticError::Kind::Overflow);
  return static_cast<std::int16_t>(rounded);
}

// The fields of a total: the loan's terms and its last period, read as TPPMT, TIPMT and BAL
// take them.
struct Totalled {
  double rate;
  std::int16_t lastPeriod;
  double periods;
  double presentValue;
  double futureValue;
  fin::PaymentDue due;
};

// Before any payment the totals are 0 whatever the other fields hold, so they are not read.
Totalled readTotalled(const Form1Controls& c, int due) {
  const std::int16_t last = lastPeriodOfTotal(readCount(c.TextPer));
  if (last < 1) return {0, last, 0, 0, 0, fin::PaymentDue{due}};
  return {readRate(c.TextInterest), last,
          readCount(c.TextN),       readMoney(c.TextPV),
          readMoney(c.TextFV),      fin::PaymentDue{due}};
}

}  // namespace

void Form1::CommandPPMT_Click() {
  try {
    const double value =
        fin::PPMT(readRate(c_.TextInterest), readCount(c_.TextPer), readCount(c_.TextN),
                  readMoney(c_.TextPV), readMoney(c_.TextFV), fin::PaymentDue{PaymentDueCode()});
    ShowDisplayResult(value, "Principal Payment ");
  } catch (const std::exception&) {
    ShowInputError(kPPMTSyntax);
  }
}

void Form1::CommandIPMT_Click() {
  try {
    const double value =
        fin::IPMT(readRate(c_.TextInterest), readCount(c_.TextPer), readCount(c_.TextN),
                  readMoney(c_.TextPV), readMoney(c_.TextFV), fin::PaymentDue{PaymentDueCode()});
    ShowDisplayResult(value, "Interest Payment ");
  } catch (const std::exception&) {
    ShowInputError(kIPMTSyntax);
  }
}

void Form1::CommandPrincipal_Click() {
  try {
    const Totalled t = readTotalled(c_, PaymentDueCode());
    const double total =
        fin::TPPMT(t.rate, t.lastPeriod, t.periods, t.presentValue, t.futureValue, t.due);
    if (total != 0) return ShowDisplayResult(total, "Total Principal Payment ");
  } catch (const std::exception&) {
  }
  ShowInputError(kTPPMTSyntax);
}

void Form1::CommandInterestPaid_Click() {
  try {
    const Totalled t = readTotalled(c_, PaymentDueCode());
    ShowDisplayResult(
        fin::TIPMT(t.rate, t.lastPeriod, t.periods, t.presentValue, t.futureValue, t.due),
        "Total Interest Payment ");
  } catch (const std::exception&) {
    ShowInputError(kTIPMTSyntax);
  }
}

// No principal paid yet is refused, as TPPMT refuses it.
void Form1::CommandBalance_Click() {
  try {
    const Totalled t = readTotalled(c_, PaymentDueCode());
    const double principal =
        fin::TPPMT(t.rate, t.lastPeriod, t.periods, t.presentValue, t.futureValue, t.due);
    if (principal != 0) {
      return ShowDisplayResult(fin::BAL(t.presentValue, principal), "Outstanding Balance ");
    }
  } catch (const std::exception&) {
  }
  ShowInputError(kBALSyntax);
}

}  // namespace vantro::ui
