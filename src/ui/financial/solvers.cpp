// N, Interest, PV, FV and PMT: each solves the time-value relation for its own quantity from
// the other four boxes, writes the result into that box and the display, and names it.

#include <exception>

#include "core/checked_math.h"
#include "core/finance/finance.h"
#include "core/number_text.h"
#include "ui/financial/inputs.h"
#include "ui/form1.h"

namespace vantro::ui {

namespace fin = core::finance;
using financial::readCount;
using financial::readMoney;
using financial::readRate;

namespace {
constexpr const char* kNPerSyntax =
    "NPer(Interest, Payment, Present Value[, Future Value[, Payment Due]])";
constexpr const char* kRateSyntax =
    "Rate(NPer, Payment, Present Value[, Future Value[, Payment Due[, Interest/guess]]])";
constexpr const char* kPVSyntax = "PV(Interest, NPer, Payment[, Future Value[, Payment Due]])";
constexpr const char* kFVSyntax = "FV(Interest, NPer, Payment[, Present Value[, Payment Due]])";
constexpr const char* kPMTSyntax =
    "PMT(Interest, NPer, Present Value[, Future Value[, Payment Due]])";
}  // namespace

void Form1::CommandN_Click() {
  try {
    const double periods =
        fin::NPer(readRate(c_.TextInterest), readMoney(c_.TextPMT), readMoney(c_.TextPV),
                  readMoney(c_.TextFV), fin::PaymentDue{PaymentDueCode()});
    ShowSolvedField(c_.TextN, periods, "Number of payment periods ");
  } catch (const std::exception&) {
    ShowInputError(kNPerSyntax);
  }
}

void Form1::CommandInterest_Click() {
  // The search starts at the rate shown, or at 10 % when there is none.
  const std::string guessText = c_.TextInterest.text().empty() ? "10" : c_.TextInterest.text();
  try {
    const double guess = financial::readNumber(guessText, financial::NumberKind::Percent);
    const double rate = fin::Rate(readCount(c_.TextN), readMoney(c_.TextPMT), readMoney(c_.TextPV),
                                  readMoney(c_.TextFV), fin::PaymentDue{PaymentDueCode()}, guess);
    ShowSolvedField(c_.TextInterest, core::checkedMultiply(rate, 100), "Interest Rate ");
  } catch (const std::exception&) {
    ShowInputError(kRateSyntax, true);
  }
}

// A present or future value that shows as zero at the chosen decimals is reported as an
// error after it has been shown.
void Form1::CommandPV_Click() {
  try {
    const double value =
        fin::PV(readRate(c_.TextInterest), readCount(c_.TextN), readMoney(c_.TextPMT),
                readMoney(c_.TextFV), fin::PaymentDue{PaymentDueCode()});
    ShowSolvedField(c_.TextPV, value, "Present Value ");
    if (core::leadingNumberValue(c_.TextPV.text()) != 0) return;
  } catch (const std::exception&) {
  }
  ShowInputError(kPVSyntax);
}

void Form1::CommandFV_Click() {
  try {
    const double value =
        fin::FV(readRate(c_.TextInterest), readCount(c_.TextN), readMoney(c_.TextPMT),
                readMoney(c_.TextPV), fin::PaymentDue{PaymentDueCode()});
    ShowSolvedField(c_.TextFV, value, "Future Value ");
    if (core::leadingNumberValue(c_.TextFV.text()) != 0) return;
  } catch (const std::exception&) {
  }
  ShowInputError(kFVSyntax);
}

void Form1::CommandPMT_Click() {
  try {
    const double payment =
        fin::PMT(readRate(c_.TextInterest), readCount(c_.TextN), readMoney(c_.TextPV),
                 readMoney(c_.TextFV), fin::PaymentDue{PaymentDueCode()});
    ShowSolvedField(c_.TextPMT, payment, "Payment ");
  } catch (const std::exception&) {
    ShowInputError(kPMTSyntax);
  }
}

}  // namespace vantro::ui
