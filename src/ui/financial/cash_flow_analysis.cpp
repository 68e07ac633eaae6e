// NPV, IRR and MIRR of the cash-flow list. Each reads the list afresh, which rewrites it in its
// normalised form, and shows its result in the display; on unusable input it puts the list back
// as the user wrote it, shows its message and unrolls the list for correction.

#include <exception>

#include "core/checked_math.h"
#include "core/rate_or_period.h"
#include "ui/financial/inputs.h"
#include "ui/form1.h"

namespace vantro::ui {

using financial::Operation;
using financial::readRate;
using enum financial::Term;

namespace {
constexpr const char* kNPVSyntax = "NPV(Interest, Cash Flows)";
constexpr const char* kIRRSyntax = "IRR(Cash Flows[,Interest/guess])";
constexpr const char* kMIRRSyntax = "MIRR(Cash Flows,Interest, Reinvest Rate)";
}  // namespace

// A list that starts with nothing invested or received (or has no amount at all) is refused.
void Form1::CommandNPV_Click() {
  const std::string written = c_.TextCF.text();
  ParseCashFlows(written);
  financial::Terms& t = BeginCalculation(Operation::NPV);
  t.flows = s_.CashFlows;
  try {
    t.read(Interest, readRate(c_.TextInterest));
    ShowDisplayResult(Calculate(), "Net Present Value ");
  } catch (const std::exception&) {
    ShowCashFlowError(written, kNPVSyntax);
  }
}

// The search starts at the rate shown, or at 10 % when there is none.
void Form1::CommandIRR_Click() {
  const std::string guessText = c_.TextInterest.text().empty() ? "10" : c_.TextInterest.text();
  const std::string written = c_.TextCF.text();
  ParseCashFlows(written);
  financial::Terms& t = BeginCalculation(Operation::IRR);
  t.flows = s_.CashFlows;
  try {
    t.read(Guess, core::checkedDivide(core::GetRateOrPeriod(guessText), 100));
    ShowDisplayResult(Calculate(), "Internal Rate Of Return (%) ");
  } catch (const std::exception&) {
    ShowCashFlowError(written, kIRRSyntax, true);
  }
}

// The interest field holds the finance rate, the period field the reinvestment rate.
void Form1::CommandMIRR_Click() {
  const std::string written = c_.TextCF.text();
  ParseCashFlows(written);
  financial::Terms& t = BeginCalculation(Operation::MIRR);
  t.flows = s_.CashFlows;
  try {
    t.read(Interest, readRate(c_.TextInterest));
    t.read(Reinvest, readRate(c_.TextPer));
    ShowDisplayResult(Calculate(), "Modified Internal Rate Of Return (%) ");
  } catch (const std::exception&) {
    ShowCashFlowError(written, kMIRRSyntax);
  }
}

}  // namespace vantro::ui
