#include "qt/tape/tape_model.h"

#include <QBrush>
#include <QColor>

#include "core/fixed_format.h"
#include "qt/code_points.h"
#include "ui/tape/tape_report.h"

namespace vantro::qt {

namespace {

enum Column { TimeColumn, CalculationColumn, ResultColumn, ColumnCount };

QString outcome(const core::tape::Entry& line, const std::optional<double>& value) {
  if (!value) return QObject::tr("its message");
  return fromUtf8(core::formatFixed(*value, line.decimals < 0 ? 15 : line.decimals));
}

}  // namespace

int TapeModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int TapeModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant TapeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= shownRows_) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const core::tape::Entry& line = lines_[row];
  const auto differing = differing_.find(row);
  switch (role) {
    case Qt::DisplayRole:  // only the cell asked for: the view asks for every cell it paints
      if (index.column() == TimeColumn) return fromUtf8(ui::tape::timeOf(line.timeMs));
      if (index.column() == CalculationColumn) return fromUtf8(line.text);
      return fromUtf8(ui::tape::resultOf(line));
    case Qt::AccessibleTextRole:
      return fromUtf8(ui::tape::spokenRow(line));
    case Qt::TextAlignmentRole:
      if (index.column() == ResultColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
      return {};
    case Qt::BackgroundRole:
      if (differing != differing_.end()) return QBrush(QColor(255, 210, 210));
      return {};
    case Qt::ToolTipRole:
      if (differing != differing_.end()) {
        return tr("Recorded %1, today %2")
            .arg(outcome(line, line.result), outcome(line, differing->second));
      }
      // The whole calculation, where the column is too narrow for it.
      if (index.column() == CalculationColumn) return fromUtf8(line.text);
      return {};
    default:
      return {};
  }
}

QVariant TapeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case TimeColumn:
      return tr("Time");
    case CalculationColumn:
      return tr("Calculation");
    default:
      return tr("Result");
  }
}

void TapeModel::linesAdded() {
  const int rows = static_cast<int>(lines_.size());
  if (rows <= shownRows_) return linesReset();
  beginInsertRows({}, shownRows_, rows - 1);
  shownRows_ = rows;
  endInsertRows();
}

void TapeModel::linesReset() {
  beginResetModel();
  shownRows_ = static_cast<int>(lines_.size());
  differing_.clear();
  endResetModel();
}

void TapeModel::markDiffering(std::map<std::size_t, std::optional<double>> differing) {
  differing_ = std::move(differing);
  if (shownRows_ > 0) emit dataChanged(index(0, 0), index(shownRows_ - 1, ColumnCount - 1));
}

}  // namespace vantro::qt
