#pragma once
// The Loan Schedule tab's options: how the schedule is shown (mode, payments a year, year
// totals), how the Interest field's rate is read (per period, or annual with its compounding),
// a converter from an annual rate to the rate per period, and the extra payments.

#include <QWidget>
#include <functional>
#include <string>

#include "ui/analysis/loan_schedule_report.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QLayout;
class QSpinBox;
class QToolButton;

namespace vantro::qt {

class LoanScheduleOptionsBar : public QWidget {
 public:
  explicit LoanScheduleOptionsBar(QWidget* parent = nullptr);

  ui::LoanScheduleOptions options() const;
  // Called on every change of an option: the schedule is rebuilt at once.
  std::function<void()> changed;
  // Called with the converter's rate per period (percent, the calculator's form).
  std::function<void(const std::string&)> putInInterest;

  // The rate is read per period from now on: the Interest field holds one.
  void readRatePerPeriod();
  // How the converter reads the annual rate typed into it: the main window's locale.
  void setLocale(const core::NumberLocale& locale);

  QToolButton& showMore() const { return *showMore_; }
  QComboBox& rateBasis() const { return *rateBasis_; }
  QComboBox& compounding() const { return *compounding_; }
  QSpinBox& periodsPerYear() const { return *periodsPerYear_; }
  QLineEdit& annualRate() const { return *annualRate_; }
  QPushButton& useRate() const { return *useRate_; }
  QLineEdit& recurringExtra() const { return *recurringExtra_; }
  QSpinBox& recurringFrom() const { return *recurringFrom_; }
  QLineEdit& oneOffExtras() const { return *oneOffExtras_; }
  QComboBox& extraEffect() const { return *extraEffect_; }

 private:
  QLayout* scheduleRow();
  QLayout* rateRows();
  QLayout* extrasRows();
  void convert();
  void notify() const;

  QComboBox* mode_;
  QSpinBox* periodsPerYear_;
  QCheckBox* yearTotals_;
  QComboBox* rateBasis_;
  QComboBox* compounding_;
  QLineEdit* annualRate_;
  QLabel* converted_;
  QPushButton* useRate_;
  QLineEdit* recurringExtra_;
  QSpinBox* recurringFrom_;
  QLineEdit* oneOffExtras_;
  QComboBox* extraEffect_;
  QWidget* more_;
  QToolButton* showMore_;
  std::string convertedRate_;
  core::NumberLocale locale_;
};

}  // namespace vantro::qt
