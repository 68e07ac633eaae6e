#pragma once
// The Dated Cash Flows tab's content: the flows the table's rows give, or the rows it cannot
// use; the XNPV at the Rate box's rate, every XIRR with the one nearest the guess marked, the
// sentence that says what they mean, and the XNPV curve across rates.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/finance/cash_flow_profile.h"
#include "core/number_text.h"
#include "ui/analysis/dated_flow_table.h"

namespace vantro::ui {

struct DatedFlowInputs {
  std::span<const DatedFlowRow> rows;
  std::string rate;         // the Rate box: percent a year, for the XNPV
  std::string guess;        // the Guess box: percent, where XIRR starts; empty for 10 %
  std::string datePattern;  // the locale's short date form (core::DateReader)
  core::NumberLocale locale;
  int decimalPlaces = 2;
};

struct DatedCashFlowsReport {
  // A row that gives no flow, and the sentence that names it: "Row 3: 2023-02-30 is not a date."
  struct RowProblem {
    std::size_t row = 0;  // 0-based; the sentence counts from 1
    std::string sentence;
  };
  // The sentence names this many problems in full, then says how many more there are.
  static constexpr std::size_t kNamedProblems = 5;

  std::vector<core::finance::DatedFlow> flows;  // in the table's order
  std::vector<std::size_t> flowRows;            // the row of each flow
  std::vector<RowProblem> problems;             // every row that gives no flow but is not blank
  // Every XIRR as a fraction, ascending; the index of the one nearest the guess.
  std::vector<double> xirrs;
  std::optional<std::size_t> nearestGuess;
  // XNPV against the annual rate, over a range that holds every XIRR and the Rate box's rate.
  std::vector<core::finance::NpvPoint> curve;
  // What the rows give and what the XIRRs mean; or the rows that cannot be used.
  std::string sentence;
  // Label and value pairs in order: the XNPV at the rate, then the XIRRs; only for a table
  // whose every row could be used.
  std::vector<std::pair<std::string, std::string>> figures;

  // `plotPoints`: how many points the curve gets (the chart's width in pixels will do); fewer
  // for thousands of flows, down to 60, so that building the report stays cheap.
  static DatedCashFlowsReport build(const DatedFlowInputs& inputs, int plotPoints = 400);
};

}  // namespace vantro::ui
