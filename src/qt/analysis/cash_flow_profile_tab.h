#pragma once
// The Cash-Flow Profile tab: what the IRRs of the cash-flow list mean in a sentence, the NPV
// curve with each IRR marked, and the figures beside it; only the sentence when the list
// cannot be profiled.

#include <QWidget>

#include "ui/analysis/cash_flow_profile_report.h"

class QChartView;
class QFormLayout;
class QLabel;
class QLineSeries;
class QScatterSeries;

namespace vantro::qt {

class CashFlowProfileTab : public QWidget {
 public:
  explicit CashFlowProfileTab(QWidget* parent = nullptr);

  void showFields(const ui::AnalysisFields& fields);

  const ui::CashFlowProfileReport& report() const { return report_; }

 private:
  void showChart();

  ui::CashFlowProfileReport report_;
  QLabel* sentence_;
  QWidget* details_;  // the chart and the figures
  QChartView* chart_;
  QLineSeries* npv_;
  QLineSeries* zero_;
  QScatterSeries* irrs_;
  QFormLayout* figures_;
};

}  // namespace vantro::qt
