#include "ui/analysis/cash_flow_profile_report.h"

#include <algorithm>
#include <cmath>

#include "core/cash_flow_text.h"
#include "core/finance/finance.h"
#include "ui/analysis/field_reading.h"

namespace vantro::ui {

namespace fin = core::finance;
using namespace analysis;

namespace {

// What the IRRs found say about the list.
std::string irrSentence(const std::vector<double>& irrs, bool signChanges, int places,
                        const core::NumberLocale& locale) {
  if (irrs.empty()) {
    return signChanges ? "No rate gives an NPV of zero: this list has no IRR."
                       : "No rate gives an NPV of zero: the cash flows never change sign, so "
                         "the list has no IRR.";
  }
  if (irrs.size() == 1) {
    std::string sentence = "The NPV is zero at one rate only: the IRR is ";
    sentence += readablePercent(irrs.front(), places, locale);
    sentence += ".";
    return sentence;
  }
  std::string sentence = "The NPV is zero at ";
  sentence += readableCount(static_cast<double>(irrs.size()), locale);
  sentence +=
      " rates: this list has several IRRs, and the IRR command's answer depends on the guess "
      "it starts from (the Interest field, or 10 %). The MIRR, which has one answer, is shown "
      "beside them.";
  return sentence;
}

std::string periodsText(const std::optional<double>& periods, int places,
                        const core::NumberLocale& locale) {
  if (!periods) return "never";
  std::string text = readableAmount(*periods, places, locale);
  text += *periods == 1 ? " period" : " periods";
  return text;
}

}  // namespace

CashFlowProfileReport CashFlowProfileReport::build(const AnalysisFields& fields, int plotPoints) {
  CashFlowProfileReport report;
  const int places = fields.decimalPlaces;
  const std::vector<double> flows =
      core::parseCashFlows(fields.cashFlows, fields.locale, places).values;
  if (std::any_of(flows.begin(), flows.end(), [](double v) { return !std::isfinite(v); })) {
    report.sentence = "An amount in the cash-flow list is beyond what the calculator can hold.";
    return report;
  }
  if (std::all_of(flows.begin(), flows.end(), [](double v) { return v == 0; })) {
    report.sentence =
        "The cash-flow list holds no amounts: type one amount per line, the investment first.";
    return report;
  }

  bool signChanges = true;
  try {
    report.irrs = fin::IRRs(flows);
  } catch (const fin::FinanceError& error) {
    if (error.reason() != fin::FinanceError::Reason::NoSignChange) {
      report.sentence =
          "The cash flows change sign too often for every IRR to be found in reasonable time.";
      return report;
    }
    signChanges = false;
  }
  report.sentence = irrSentence(report.irrs, signChanges, places, fields.locale);

  // The Interest field's rate, where it is one the NPV can use.
  std::optional<double> rate;
  try {
    rate = readField(fields.interest, NumberKind::Percent, financial::kInterest.caption);
  } catch (const InputProblem&) {
  }
  const bool rateUsable = rate && *rate > -1;
  try {
    report.curve = fin::npvCurve(flows, fin::profileRange(report.irrs, rateUsable ? *rate : 0.1),
                                 plotPoints, report.irrs);
  } catch (const fin::FinanceError&) {
    report.curve.clear();
    report.sentence =
        "The NPV of this list cannot be plotted: its rates or amounts are beyond "
        "what the calculator can hold.";
    return report;
  }

  auto& figures = report.figures;
  if (report.irrs.size() == 1) {
    figures.emplace_back("IRR", readablePercent(report.irrs.front(), places, fields.locale));
  } else {
    for (std::size_t i = 0; i < report.irrs.size(); ++i) {
      std::string label = "IRR ";
      label += std::to_string(i + 1);
      figures.emplace_back(label, readablePercent(report.irrs[i], places, fields.locale));
    }
  }
  const auto requireRate = [&] {
    return requireField(fields.interest, NumberKind::Percent, financial::kInterest.caption,
                        "this figure");
  };
  const auto figureOrReason = [](auto compute) {
    return analysis::figureOrReason(compute, "none at a rate of -100 % or less",
                                    "none for this list");
  };
  figures.emplace_back("NPV at the Interest rate", figureOrReason([&] {
                         return readableAmount(fin::NPV(requireRate(), flows), places,
                                               fields.locale);
                       }));
  figures.emplace_back(
      "MIRR", figureOrReason([&] {
        const double reinvest =
            requireField(fields.reinvestRate, NumberKind::Percent, kReinvestCaption, "this figure");
        return readablePercent(fin::MIRR(flows, requireRate(), reinvest), places, fields.locale);
      }));
  figures.emplace_back("Payback period",
                       periodsText(fin::paybackPeriod(flows), places, fields.locale));
  figures.emplace_back("Discounted payback period", figureOrReason([&] {
                         return periodsText(fin::discountedPaybackPeriod(flows, requireRate()),
                                            places, fields.locale);
                       }));
  return report;
}

}  // namespace vantro::ui
