// PPMT, IPMT, TPPMT, TIPMT and BAL: a loan or savings plan broken down by period. Results go
// to the display only.

#include <exception>

#include "ui/financial/inputs.h"
#include "ui/form1.h"

namespace vantro::ui {

using financial::Operation;
using financial::readCount;
using financial::readMoney;
using financial::readRate;
using enum financial::Term;

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

// The fields of a total: its last period first, then the loan's terms. Before any payment the
// totals are 0 whatever the other fields hold, so they are not read.
void readTotalled(const Form1Controls& c, financial::Terms& t) {
  if (financial::lastPeriodOfTotal(t.read(Per, readCount(c.TextPer))) < 1) return;
  t.read(Interest, readRate(c.TextInterest));
  t.read(NPer, readCount(c.TextN));
  t.read(PV, readMoney(c.TextPV));
  t.read(FV, readMoney(c.TextFV));
}

// The fields of one payment's parts.
void readPayment(const Form1Controls& c, financial::Terms& t) {
  t.read(Interest, readRate(c.TextInterest));
  t.read(Per, readCount(c.TextPer));
  t.read(NPer, readCount(c.TextN));
  t.read(PV, readMoney(c.TextPV));
  t.read(FV, readMoney(c.TextFV));
}

}  // namespace

void Form1::CommandPPMT_Click() {
  try {
    readPayment(c_, BeginCalculation(Operation::PPMT));
    ShowDisplayResult(Calculate(), "Principal Payment ");
  } catch (const std::exception&) {
    ShowInputError(kPPMTSyntax);
  }
}

void Form1::CommandIPMT_Click() {
  try {
    readPayment(c_, BeginCalculation(Operation::IPMT));
    ShowDisplayResult(Calculate(), "Interest Payment ");
  } catch (const std::exception&) {
    ShowInputError(kIPMTSyntax);
  }
}

// No principal paid yet is refused.
void Form1::CommandPrincipal_Click() {
  try {
    readTotalled(c_, BeginCalculation(Operation::TPPMT));
    ShowDisplayResult(Calculate(), "Total Principal Payment ");
  } catch (const std::exception&) {
    ShowInputError(kTPPMTSyntax);
  }
}

void Form1::CommandInterestPaid_Click() {
  try {
    readTotalled(c_, BeginCalculation(Operation::TIPMT));
    ShowDisplayResult(Calculate(), "Total Interest Payment ");
  } catch (const std::exception&) {
    ShowInputError(kTIPMTSyntax);
  }
}

// No principal paid yet is refused, as TPPMT refuses it.
void Form1::CommandBalance_Click() {
  try {
    readTotalled(c_, BeginCalculation(Operation::BAL));
    ShowDisplayResult(Calculate(), "Outstanding Balance ");
  } catch (const std::exception&) {
    ShowInputError(kBALSyntax);
  }
}

}  // namespace vantro::ui
