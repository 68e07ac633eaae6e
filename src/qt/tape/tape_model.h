#pragma once
// The tape's lines as a table of three columns (time, calculation, result), read straight from
// the tape's list, so that a tape of 100,000 lines opens at once. A line the check found to
// differ is marked, with both values in its tool tip.

#include <QAbstractTableModel>
#include <map>
#include <optional>
#include <vector>

#include "core/tape/tape_entry.h"

namespace vantro::qt {

class TapeModel : public QAbstractTableModel {
 public:
  explicit TapeModel(const std::vector<core::tape::Entry>& lines) : lines_(lines) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The list grew by lines at its end, or changed wholly.
  void linesAdded();
  void linesReset();
  // The lines that no longer agree, with today's result (none: today it ends in its message).
  void markDiffering(std::map<std::size_t, std::optional<double>> differing);

 private:
  const std::vector<core::tape::Entry>& lines_;
  int shownRows_ = static_cast<int>(lines_.size());
  std::map<std::size_t, std::optional<double>> differing_;
};

}  // namespace vantro::qt
