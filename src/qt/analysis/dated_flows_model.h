#pragma once
// The Dated Cash Flows table's model: the texts the user typed and pasted, kept in a
// ui::DatedFlowTable for as long as the program runs, with the rows the report cannot use
// named in their tool tips.

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <functional>
#include <unordered_map>

#include "ui/analysis/dated_flow_table.h"

namespace vantro::qt {

class DatedFlowsModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  const ui::DatedFlowTable& table() const { return table_; }

  // Runs after each change of the texts: a cell typed, cells cleared, a paste.
  std::function<void()> edited;

  // The sentence of each row that cannot be used, by row; it replaces the ones before.
  void setRowNotes(std::unordered_map<std::size_t, QString> notes);

  void clear(const QModelIndexList& cells);
  QString copy(const QModelIndexList& cells) const;
  ui::PasteOutcome paste(const QString& text, const QModelIndex& at);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  // Tells the views of rows the table added or dropped at its end.
  void followRowCount();
  void changed(int firstRow, int lastRow);
  QString noteOf(int row) const;

  ui::DatedFlowTable table_;
  int shownRows_ = 1;  // the row count the views know
  std::unordered_map<std::size_t, QString> notes_;
};

}  // namespace vantro::qt
