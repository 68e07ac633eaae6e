// N, Interest, PV, FV and PMT: each solves the time-value relation for its own quantity from
// the other four boxes, writes the result into that box and the display, and names it.

#include <exception>

#include "core/number_text.h"
#include "ui/financial/inputs.h"
#include "ui/form1.h"

namespace vantro::ui {

using financial::Operation;
using financial::readCount;
using financial::readMoney;
using financial::readRate;
using enum financial::Term;

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
  financial::Terms& t = BeginCalculation(Operation::NPer);
  try {
    t.read(Interest, readRate(c_.TextInterest));
    t.read(PMT, readMoney(c_.TextPMT));
    t.read(PV, readMoney(c_.TextPV));
    t.read(FV, readMoney(c_.TextFV));
    ShowSolvedField(c_.TextN, Calculate(), "Number of payment periods ");
  } catch (const std::exception&) {
    ShowInputError(kNPerSyntax);
  }
}

void Form1::CommandInterest_Click() {
  // The search starts at the rate shown, or at 10 % when there is none.
  const std::string guessText = c_.TextInterest.text().empty() ? "10" : c_.TextInterest.text();
  financial::Terms& t = BeginCalculation(Operation::Rate);
  try {
    t.read(Guess, financial::readNumber(guessText, financial::NumberKind::Percent));
    t.read(NPer, readCount(c_.TextN));
    t.read(PMT, readMoney(c_.TextPMT));
    t.read(PV, readMoney(c_.TextPV));
    t.read(FV, readMoney(c_.TextFV));
    ShowSolvedField(c_.TextInterest, Calculate(), "Interest Rate ");
  } catch (const std::exception&) {
    ShowInputError(kRateSyntax, true);
  }
}

// A present or future value that shows as zero at the chosen decimals is reported as an
// error after it has been shown.
void Form1::CommandPV_Click() {
  financial::Terms& t = BeginCalculation(Operation::PV);
  try {
    t.read(Interest, readRate(c_.TextInterest));
    t.read(NPer, readCount(c_.TextN));
    t.read(PMT, readMoney(c_.TextPMT));
    t.read(FV, readMoney(c_.TextFV));
    ShowSolvedField(c_.TextPV, Calculate(), "Present Value ");
    if (core::leadingNumberValue(c_.TextPV.text()) != 0) return;
  } catch (const std::exception&) {
  }
  ShowInputError(kPVSyntax);
}

void Form1::CommandFV_Click() {
  financial::Terms& t = BeginCalculation(Operation::FV);
  try {
    t.read(Interest, readRate(c_.TextInterest));
    t.read(NPer, readCount(c_.TextN));
    t.read(PMT, readMoney(c_.TextPMT));
    t.read(PV, readMoney(c_.TextPV));
    ShowSolvedField(c_.TextFV, Calculate(), "Future Value ");
    if (core::leadingNumberValue(c_.TextFV.text()) != 0) return;
  } catch (const std::exception&) {
  }
  ShowInputError(kFVSyntax);
}

void Form1::CommandPMT_Click() {
  financial::Terms& t = BeginCalculation(Operation::PMT);
  try {
    t.read(Interest, readRate(c_.TextInterest));
    t.read(NPer, readCount(c_.TextN));
    t.read(PV, readMoney(c_.TextPV));
    t.read(FV, readMoney(c_.TextFV));
    ShowSolvedField(c_.TextPMT, Calculate(), "Payment ");
  } catch (const std::exception&) {
    ShowInputError(kPMTSyntax);
  }
}

}  // namespace vantro::ui
