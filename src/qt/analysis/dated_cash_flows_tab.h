#pragma once
// The Dated Cash Flows tab: a table of dates and amounts that the user types or pastes into,
// the Rate and Guess boxes beside it, and what the flows give: a sentence, the XNPV at the
// rate, every XIRR, and the XNPV curve across rates. The table keeps its rows while the
// program runs.

#include <QWidget>

#include "ui/analysis/analysis_fields.h"
#include "ui/analysis/dated_cash_flows_report.h"

class QChartView;
class QFormLayout;
class QLabel;
class QLineEdit;
class QLineSeries;
class QScatterSeries;
class QTableView;

namespace vantro::qt {

class DatedFlowsModel;

class DatedCashFlowsTab : public QWidget {
 public:
  explicit DatedCashFlowsTab(QWidget* parent = nullptr);

  // Takes the main window's locale and decimal places, and works the flows out again.
  void showFields(const ui::AnalysisFields& fields);

  const ui::DatedCashFlowsReport& report() const { return report_; }
  QTableView& table() const { return *table_; }

  // Ctrl+V, Ctrl+C and Delete on the table, and its context menu's items.
  void paste();
  void copy() const;
  void clearSelected();

 private:
  void recompute();
  void showChart();
  void showFigures();

  ui::AnalysisFields fields_;  // the locale and the decimal places
  ui::DatedCashFlowsReport report_;
  DatedFlowsModel* model_;
  QTableView* table_;
  QLabel* pasteNote_;
  QLineEdit* rate_;
  QLineEdit* guess_;
  QLabel* sentence_;
  QWidget* figuresBox_;
  QFormLayout* figures_;
  QChartView* chart_;
  QLineSeries* xnpv_;
  QLineSeries* zero_;
  QScatterSeries* xirrs_;
  QScatterSeries* nearest_;
};

}  // namespace vantro::qt
