#include "qt/analysis/dated_flows_model.h"

#include <vector>

#include "qt/code_points.h"

namespace vantro::qt {

namespace {

std::vector<ui::CellRef> cellRefs(const QModelIndexList& cells) {
  std::vector<ui::CellRef> refs;
  refs.reserve(static_cast<std::size_t>(cells.size()));
  for (const QModelIndex& cell : cells)
    if (cell.isValid()) refs.push_back({static_cast<std::size_t>(cell.row()), cell.column()});
  return refs;
}

}  // namespace

void DatedFlowsModel::setRowNotes(std::unordered_map<std::size_t, QString> notes) {
  if (notes.empty() && notes_.empty()) return;
  notes_ = std::move(notes);
  emit dataChanged(index(0, 0), index(shownRows_ - 1, ui::DatedFlowTable::kColumnCount - 1),
                   {Qt::ToolTipRole});
  emit headerDataChanged(Qt::Vertical, 0, shownRows_ - 1);
}

void DatedFlowsModel::clear(const QModelIndexList& cells) {
  const std::vector<ui::CellRef> refs = cellRefs(cells);
  if (refs.empty()) return;
  int first = shownRows_, last = 0;
  for (const ui::CellRef& cell : refs) {
    first = std::min(first, static_cast<int>(cell.row));
    last = std::max(last, static_cast<int>(cell.row));
  }
  table_.clear(refs);
  changed(first, last);
}

QString DatedFlowsModel::copy(const QModelIndexList& cells) const {
  return fromUtf8(table_.copy(cellRefs(cells)));
}

ui::PasteOutcome DatedFlowsModel::paste(const QString& text, const QModelIndex& at) {
  const std::size_t row = at.isValid() ? static_cast<std::size_t>(at.row()) : table_.rowCount() - 1;
  ui::PasteOutcome outcome =
      table_.paste(toUtf8(text), row, at.isValid() ? at.column() : ui::DatedFlowTable::kDateColumn);
  if (outcome.endRow > outcome.firstRow)
    changed(static_cast<int>(outcome.firstRow), static_cast<int>(outcome.endRow) - 1);
  return outcome;
}

void DatedFlowsModel::followRowCount() {
  const int rows = static_cast<int>(table_.rowCount());
  if (rows > shownRows_) {
    beginInsertRows({}, shownRows_, rows - 1);
    shownRows_ = rows;
    endInsertRows();
  } else if (rows < shownRows_) {
    beginRemoveRows({}, rows, shownRows_ - 1);
    shownRows_ = rows;
    endRemoveRows();
  }
}

void DatedFlowsModel::changed(int firstRow, int lastRow) {
  followRowCount();
  lastRow = std::min(lastRow, shownRows_ - 1);
  if (firstRow <= lastRow)
    emit dataChanged(index(firstRow, 0), index(lastRow, ui::DatedFlowTable::kColumnCount - 1));
  if (edited) edited();
}

QString DatedFlowsModel::noteOf(int row) const {
  const auto found = notes_.find(static_cast<std::size_t>(row));
  return found == notes_.end() ? QString() : found->second;
}

int DatedFlowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int DatedFlowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ui::DatedFlowTable::kColumnCount;
}

QVariant DatedFlowsModel::data(const QModelIndex& index, int role) const {
  // A row the views still know while they hear that the table dropped it has no text.
  if (!index.isValid() || static_cast<std::size_t>(index.row()) >= table_.rowCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return fromUtf8(table_.cell(static_cast<std::size_t>(index.row()), index.column()));
    case Qt::ToolTipRole:
      return noteOf(index.row());
    case Qt::TextAlignmentRole:
      return index.column() == ui::DatedFlowTable::kAmountColumn
                 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                 : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

bool DatedFlowsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() ||
      static_cast<std::size_t>(index.row()) >= table_.rowCount())
    return false;
  table_.setCell(static_cast<std::size_t>(index.row()), index.column(), toUtf8(value.toString()));
  changed(index.row(), index.row());
  return true;
}

QVariant DatedFlowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
    return section == ui::DatedFlowTable::kDateColumn ? tr("Date") : tr("Amount");
  if (orientation == Qt::Vertical && role == Qt::ToolTipRole) return noteOf(section);
  return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DatedFlowsModel::flags(const QModelIndex& index) const {
  return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

}  // namespace vantro::qt
