// The Analysis menu: the loan schedule, the cash-flow profile and the dated cash flows in a
// window beside the calculator, which reads the fields but leaves them, the display and the
// status bar alone.

#include "core/fixed_format.h"
#include "ui/form1.h"
#include "ui/module1.h"

namespace vantro::ui {

AnalysisFields Form1::AnalysisSnapshot() const {
  AnalysisFields fields;
  fields.interest = c_.TextInterest.text();
  fields.periods = c_.TextN.text();
  fields.presentValue = c_.TextPV.text();
  fields.futureValue = c_.TextFV.text();
  fields.payment = c_.TextPMT.text();
  fields.reinvestRate = c_.TextPer.text();
  fields.cashFlows = c_.TextCF.text();
  fields.paymentDue = PaymentDueCode();
  fields.decimalPlaces = core::decimalPlacesOf(s_.NumberFormat);
  fields.locale = module_.app().numberLocale();
  return fields;
}

// The rate goes in as if typed: the Interest field's own handlers see it on the next
// command, and the window reads it back at its refresh.
AnalysisLink Form1::AnalysisLinkToFields() {
  return {[this] { return AnalysisSnapshot(); },
          [this](const std::string& percent) { c_.TextInterest.setText(percent); }};
}

void Form1::MenuLoanSchedule_Click() {
  c_.Analysis.show(AnalysisPage::LoanSchedule, AnalysisLinkToFields());
}

void Form1::MenuCashFlowProfile_Click() {
  c_.Analysis.show(AnalysisPage::CashFlowProfile, AnalysisLinkToFields());
}

void Form1::MenuDatedCashFlows_Click() {
  c_.Analysis.show(AnalysisPage::DatedCashFlows, AnalysisLinkToFields());
}

}  // namespace vantro::ui
