#pragma once
// The Loan Schedule tab: the options, the schedule table, its summary line and the chart of the
// balance and the interest paid so far, with a sentence above the table when the Payment field's
// payment does not settle the loan; or, when an input is missing, the sentence that says which.

#include <QWidget>
#include <functional>
#include <optional>

#include "ui/analysis/loan_schedule_report.h"

class QChartView;
class QLabel;
class QLineSeries;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace vantro::qt {

class LoanScheduleModel;
class LoanScheduleOptionsBar;

class LoanScheduleTab : public QWidget {
 public:
  explicit LoanScheduleTab(QWidget* parent = nullptr);
  ~LoanScheduleTab() override;

  // Builds the schedule from `fields`, which are kept for when the options change.
  void showFields(const ui::AnalysisFields& fields);

  const ui::LoanScheduleReport& report() const { return report_; }
  QTableView& table() const { return *table_; }

  // Asks where to save the schedule: a path, or empty when the user cancels. A file dialog by
  // default; the tests answer without one.
  std::function<QString()> askSavePath;

  // Puts a rate (percent) into the main window's Interest field; the window sets it.
  std::function<void(const std::string&)> putInInterest;

  LoanScheduleOptionsBar& optionsBar() const { return *options_; }
  void copyToClipboard() const;
  void saveAsCsv();

 private:
  void rebuild();
  void showChart();
  void sizeColumns();

  std::optional<ui::AnalysisFields> fields_;
  ui::LoanScheduleReport report_;
  LoanScheduleModel* model_;
  LoanScheduleOptionsBar* options_;
  QPushButton* copy_;
  QPushButton* save_;
  QStackedWidget* pages_;
  QLabel* problem_;
  QLabel* ratesNote_;
  QLabel* paymentNote_;
  QLabel* extrasNote_;
  QTableView* table_;
  QLabel* summary_;
  QChartView* chart_;
  QLineSeries* balance_;
  QLineSeries* interest_;
};

}  // namespace vantro::qt
