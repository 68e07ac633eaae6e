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

enum class Part { Principal, Interest };

}  // namespace

// The sum of the principal or interest parts of payments 1 to Per; 0 when Per is below 1.
static double totalOfParts(const Form1Controls& c, int due, Part part) {
  const std::int16_t last = lastPeriodOfTotal(readCount(c.TextPer));
  if (last < 1) return 0;
  const double rate = readRate(c.TextInterest);
  const double periods = readCount(c.TextN);
  const double presentValue = readMoney(c.TextPV);
  const double futureValue = readMoney(c.TextFV);
  double total = 0;
  for (int k = 1; k <= last; ++k) {
    const double value =
        part == Part::Principal
            ? fin::PPMT(rate, k, periods, presentValue, futureValue, fin::PaymentDue{due})
            : fin::IPMT(rate, k, periods, presentValue, futureValue, fin::PaymentDue{due});
    total = core::checkedAdd(total, value);
  }
  return total;
}

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
    const double total = totalOfParts(c_, PaymentDueCode(), Part::Principal);
    if (total != 0) return ShowDisplayResult(total, "Total Principal Payment ");
  } catch (const std::exception&) {
  }
  ShowInputError(kTPPMTSyntax);
}

void Form1::CommandInterestPaid_Click() {
  try {
    ShowDisplayResult(totalOfParts(c_, PaymentDueCode(), Part::Interest),
                      "Total Interest Payment ");
  } catch (const std::exception&) {
    ShowInputError(kTIPMTSyntax);
  }
}

// The balance takes absolute values, so a loan entered either way round gives the same.
void Form1::CommandBalance_Click() {
  try {
    const double principal = totalOfParts(c_, PaymentDueCode(), Part::Principal);
    if (principal != 0) {
      const double balance =
          core::checkedSubtract(std::fabs(readMoney(c_.TextPV)), std::fabs(principal));
      return ShowDisplayResult(balance, "Outstanding Balance ");
    }
  } catch (const std::exception&) {
  }
  ShowInputError(kBALSyntax);
}

}  // namespace vantro::ui
