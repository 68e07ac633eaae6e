#pragma once
// What the Loan Schedule tab adds to the main window's fields: the rate read as an annual rate
// with its compounding, extra principal as the user types it, and the sentences that say what
// the extras saved and which rates settle the loan.

#include <string>
#include <vector>

#include "core/finance/schedule.h"
#include "core/number_text.h"
#include "ui/analysis/analysis_fields.h"

namespace vantro::ui {

// How the Interest field's rate is read: per payment period, as the keys read it, or as an
// annual nominal rate compounded so many times a year and paid periodsPerYear times a year.
enum class RateBasis { PerPeriod, Annual };

// Extra principal as typed. Amounts are read as the cash-flow list reads them, in the
// program's form or the locale's, and paid in the payment's direction whatever their sign.
struct ExtraPaymentTexts {
  std::string recurring;  // with every payment from recurringFrom on; blank for none
  int recurringFrom = 1;
  std::string oneOff;  // "12: 5000; 36: 2500": the payment each goes with, and its amount
  core::finance::ExtraEffect effect = core::finance::ExtraEffect::ShortenTerm;
};

namespace analysis {

// The extras read; InputProblem naming the entry that is not a period and an amount.
core::finance::ExtraPayments readExtraPayments(const ExtraPaymentTexts& texts,
                                               const core::NumberLocale& locale);

// What the extras changed against the schedule without them: the interest saved and the
// payments saved, or the payment they lowered it to; and each extra that comes after the last
// payment and so changes nothing.
std::string extrasSentence(const std::vector<core::finance::ScheduleRow>& with,
                           const std::vector<core::finance::ScheduleRow>& without,
                           const core::finance::ExtraPayments& extras, int decimalPlaces,
                           const core::NumberLocale& locale);

// Every rate per period that settles NPer, Payment, Present Value and Future Value, as a
// sentence; empty when the Payment field is empty or the fields give the rate no part to play.
std::string ratesSentence(const AnalysisFields& fields);

// "compounded twice a year", "compounded continuously".
std::string compoundingText(double compoundingsPerYear);

// The rate per payment period of an annual rate typed in percent (in the program's form or
// the locale's), as the Interest field would hold it (percent, the calculator's own form);
// empty when the text is no usable rate.
std::string periodicRateText(const std::string& annualPercent, double paymentsPerYear,
                             double compoundingsPerYear, const core::NumberLocale& locale);

}  // namespace analysis
}  // namespace vantro::ui
