#pragma once
// The analysis window: a window of its own beside the calculator, never modal, with the loan
// schedule and the cash-flow profile of the fields as they stood when it last read them, and
// the dated cash flows typed or pasted into its own table.

#include <QWidget>
#include <functional>
#include <string>

#include "ui/analysis/analysis_fields.h"

class QAction;
class QPushButton;
class QTabWidget;

namespace vantro::qt {

class Announcer;
class LoanScheduleTab;
class CashFlowProfileTab;
class DatedCashFlowsTab;

class AnalysisWindow : public QWidget {
 public:
  AnalysisWindow();

  // `readFields` reads the main window's fields; the window calls it on every refresh. Without
  // one (the main window is going away) a refresh does nothing and the tabs keep what they
  // show.
  void setFieldReader(std::function<ui::AnalysisFields()> readFields) {
    readFields_ = std::move(readFields);
  }

  // Puts a rate (percent, the calculator's own form) into the main window's Interest field;
  // without one the converter's button does nothing.
  void setInterestWriter(std::function<void(const std::string&)> writeInterest) {
    writeInterest_ = std::move(writeInterest);
  }

  void showPage(ui::AnalysisPage page);
  // Reads the fields again, rebuilds the tabs, and has the page's sentence read out.
  void refresh();

  ui::AnalysisPage page() const;
  LoanScheduleTab& loanSchedule() const { return *loan_; }
  CashFlowProfileTab& cashFlowProfile() const { return *profile_; }
  DatedCashFlowsTab& datedCashFlows() const { return *dated_; }
  QAction& refreshAction() const { return *refreshAction_; }
  QPushButton& refreshButton() const { return *refreshButton_; }

 private:
  std::function<ui::AnalysisFields()> readFields_;
  std::function<void(const std::string&)> writeInterest_;
  QTabWidget* tabs_;
  LoanScheduleTab* loan_;
  CashFlowProfileTab* profile_;
  DatedCashFlowsTab* dated_;
  QAction* refreshAction_;
  QPushButton* refreshButton_;
  Announcer* announcer_;
};

}  // namespace vantro::qt
