#pragma once
// The main window's inputs as the analysis window reads them: the fields' texts as they stand,
// read afresh on every refresh and never written back.

#include <string>

#include "core/number_text.h"

namespace vantro::ui {

struct AnalysisFields {
  std::string interest;      // TextInterest: percent per period
  std::string periods;       // TextN
  std::string presentValue;  // TextPV
  std::string futureValue;   // TextFV
  std::string payment;       // TextPMT: empty to have it solved
  std::string reinvestRate;  // TextPer: the MIRR command's reinvestment rate, percent
  std::string cashFlows;     // TextCF
  int paymentDue = 0;        // 0: end of period, 1: beginning
  int decimalPlaces = 2;     // as the results are shown
  core::NumberLocale locale;
};

enum class AnalysisPage { LoanSchedule, CashFlowProfile, DatedCashFlows };

}  // namespace vantro::ui
