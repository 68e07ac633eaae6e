#pragma once
// The Loan Schedule tab's content: which rows the table shows, their texts, the sentence that
// stands in for the table when an input is missing, the one above it when the Payment field's
// payment does not settle the loan, and the copied and saved forms.

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "core/finance/schedule.h"
#include "ui/analysis/analysis_fields.h"
#include "ui/analysis/loan_extras.h"

namespace vantro::ui {

struct LoanScheduleOptions {
  core::finance::ScheduleMode mode = core::finance::ScheduleMode::AsBilled;
  int periodsPerYear = 12;  // 1 or more: the payments a year
  bool yearTotals = true;   // a subtotal row after each year's periods
  RateBasis rateBasis = RateBasis::PerPeriod;
  double compoundingsPerYear = 12;  // for an annual rate; kContinuousCompounding for continuous
  ExtraPaymentTexts extras;
};

enum class ScheduleRowKind { Period, YearTotal, Total };

struct ChartPoint {
  double period = 0;
  double balance = 0;
  double cumulativeInterest = 0;
};

class LoanScheduleReport {
 public:
  // "Period", "Payment", "Extra", "Interest", "Principal", "Balance", "Cumulative Interest",
  // "Cumulative Principal"; the column of extras only when there are extras.
  int columnCount() const { return static_cast<int>(columns_.size()); }
  const char* columnTitle(int column) const;

  static LoanScheduleReport build(const AnalysisFields& fields, const LoanScheduleOptions& options);

  // A plain sentence saying which input is missing or unusable; empty when the schedule was
  // built.
  const std::string& problem() const { return problem_; }
  // One line under the table: the payment, the number of payments and the totals.
  const std::string& summary() const { return summary_; }
  // When the Payment field holds a payment other than the settling one (as shown at the
  // decimal places chosen, or exact), which the schedule then uses: a sentence saying so and
  // what the last payment becomes. Empty otherwise.
  const std::string& paymentNote() const { return paymentNote_; }
  // What the extra payments saved, and any that change nothing; empty without extras.
  const std::string& extrasNote() const { return extrasNote_; }
  // Every rate that settles the fields with the Payment field's payment (ratesSentence); shown
  // whether or not the schedule could be built.
  const std::string& ratesNote() const { return ratesNote_; }

  // Table rows: the periods, a subtotal after each year when chosen, and a last row of totals.
  // Rows are found by arithmetic, so that the table asks for only the rows it shows.
  std::size_t rowCount() const;
  ScheduleRowKind kind(std::size_t row) const;
  // A period whose payment carries extra principal.
  bool hasExtra(std::size_t row) const;
  // The text of a cell: amounts with the decimal places shown, "." as the decimal point, no
  // thousands separators; "Year 3" and "Total" in the first column of sums.
  std::string cell(std::size_t row, int column) const;

  // Every row with a header line: tab-separated lines ending in LF (for the clipboard), or
  // comma-separated values as RFC 4180 writes them, lines ending in CR LF (for a file).
  std::string tabSeparatedText() const;
  std::string csvText() const;

  // The balance and the cumulative interest at no more than `maxPoints` periods (at least 2),
  // evenly spread, the first and last included: a chart needs no more points than pixels.
  std::vector<ChartPoint> chartPoints(int maxPoints) const;

  const std::vector<core::finance::ScheduleRow>& rows() const { return rows_; }
  bool hasExtras() const {
    return std::any_of(rows_.begin(), rows_.end(), [](const auto& row) { return row.extra != 0; });
  }

 private:
  std::string problem_;
  std::string summary_;
  std::string paymentNote_;
  std::string extrasNote_;
  std::string ratesNote_;
  std::vector<int> columns_;
  LoanScheduleOptions options_;
  int decimalPlaces_ = 2;
  double openingBalance_ = 0;  // before the first payment: the present value
  std::vector<core::finance::ScheduleRow> rows_;
  std::vector<core::finance::YearTotal> years_;
  core::finance::ScheduleRow totals_;
};

}  // namespace vantro::ui
