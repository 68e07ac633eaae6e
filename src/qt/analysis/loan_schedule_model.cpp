#include "qt/analysis/loan_schedule_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <limits>

namespace vantro::qt {

void LoanScheduleModel::setReport(const ui::LoanScheduleReport* report) {
  beginResetModel();
  report_ = report;
  endResetModel();
}

void LoanScheduleModel::resetWith(const std::function<void()>& change) {
  beginResetModel();
  change();
  endResetModel();
}

int LoanScheduleModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !report_) return 0;
  // The core caps a schedule far below this; a view cannot address more rows anyway.
  constexpr std::size_t kMaxRows = std::numeric_limits<int>::max();
  return static_cast<int>(std::min(report_->rowCount(), kMaxRows));
}

int LoanScheduleModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !report_ ? 0 : report_->columnCount();
}

QVariant LoanScheduleModel::data(const QModelIndex& index, int role) const {
  if (!report_ || !index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(report_->cell(row, index.column()));
    case Qt::TextAlignmentRole:
      // The first column names the row; the others are amounts, lined up on their last digit.
      return index.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                 : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
      if (report_->kind(row) != ui::ScheduleRowKind::Period) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::BackgroundRole:
      // Periods with extra principal stand out, as the Extra column shows how much.
      if (report_->hasExtra(row)) {
        QColor tint = QGuiApplication::palette().color(QPalette::Highlight);
        tint.setAlpha(48);
        return QBrush(tint);
      }
      return {};
    case Qt::ToolTipRole:
      if (report_->hasExtra(row)) return tr("This payment includes extra principal");
      return {};
    default:
      return {};
  }
}

QVariant LoanScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
    return QAbstractTableModel::headerData(section, orientation, role);
  if (role == Qt::DisplayRole) return QString::fromLatin1(report_->columnTitle(section));
  if (role == Qt::TextAlignmentRole)
    return section == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                        : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace vantro::qt
