#pragma once
// The schedule table's model: each cell is asked of the report only when the view paints it, so
// that a schedule of a hundred thousand periods costs no more to show than one of twelve.

#include <QAbstractTableModel>
#include <functional>

#include "ui/analysis/loan_schedule_report.h"

namespace vantro::qt {

class LoanScheduleModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The report to show; the model keeps no copy, so it must outlive its use here.
  void setReport(const ui::LoanScheduleReport* report);
  // Runs `change`, which replaces the report's content in place, as a reset of the model.
  void resetWith(const std::function<void()>& change);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const ui::LoanScheduleReport* report_ = nullptr;
};

}  // namespace vantro::qt
