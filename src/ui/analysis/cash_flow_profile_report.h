#pragma once
// The Cash-Flow Profile tab's content: the NPV curve, every IRR, the sentences that say what
// the IRRs mean, and the figures beside them.

#include <string>
#include <utility>
#include <vector>

#include "core/finance/cash_flow_profile.h"
#include "ui/analysis/analysis_fields.h"

namespace vantro::ui {

struct CashFlowProfileReport {
  // The plot: NPV against the rate (fractions), over a range that holds every IRR.
  std::vector<core::finance::NpvPoint> curve;
  // Every IRR as a fraction, ascending; each is marked on the curve.
  std::vector<double> irrs;
  // A plain sentence: what stands in for the whole profile when the list cannot be profiled,
  // else what the IRRs mean (none, one, several and the guess).
  std::string sentence;
  // Label and value pairs shown beside the plot, in order: the IRRs, the NPV at the interest
  // field's rate, the MIRR, the payback and the discounted payback periods.
  std::vector<std::pair<std::string, std::string>> figures;

  bool usable() const { return !curve.empty(); }

  // `plotPoints`: how many points the curve gets (the plot's width in pixels will do).
  static CashFlowProfileReport build(const AnalysisFields& fields, int plotPoints = 400);
};

}  // namespace vantro::ui
