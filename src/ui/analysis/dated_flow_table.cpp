#include "ui/analysis/dated_flow_table.h"

#include <algorithm>

#include "core/blank_text.h"
#include "core/cash_flow_text.h"
#include "core/text_edit.h"
#include "ui/analysis/field_reading.h"

namespace vantro::ui {

namespace {

using analysis::joined;

constexpr int kQuotedChars = 40;

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + (text.substr(end).starts_with("\r\n") ? 2 : 1);
  }
  return lines;  // a line break at the very end ends the last line and starts none
}

std::vector<std::string_view> splitCells(std::string_view line) {
  std::vector<std::string_view> cells;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(line.find('\t', start), line.size());
    cells.push_back(line.substr(start, end - start));
    if (end == line.size()) return cells;
    start = end + 1;
  }
}

bool hasDigit(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string withSpaces(std::string_view text) {
  std::string spaced(text);
  std::replace_if(
      spaced.begin(), spaced.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; },
      ' ');
  return spaced;
}

std::string lines(std::size_t count) {
  return joined(std::to_string(count), count == 1 ? " line" : " lines");
}

}  // namespace

bool isBlank(const DatedFlowRow& row) {
  return core::isBlankText(row.date) && core::isBlankText(row.amount);
}

std::string quotedCell(std::string_view text) {
  std::string quoted = "\"";
  if (core::charCount(text) > kQuotedChars) {
    quoted += core::leftChars(text, kQuotedChars - 1);
    quoted += "…";
  } else {
    quoted += text;
  }
  quoted += "\"";
  return quoted;
}

const std::string& DatedFlowTable::cell(std::size_t row, int column) const {
  const DatedFlowRow& cells = rows_.at(row);
  return column == kDateColumn ? cells.date : cells.amount;
}

std::string& DatedFlowTable::at(std::size_t row, int column) {
  DatedFlowRow& cells = rows_.at(row);
  return column == kDateColumn ? cells.date : cells.amount;
}

void DatedFlowTable::setCell(std::size_t row, int column, std::string text) {
  if (row >= rows_.size() || column < 0 || column >= kColumnCount) return;
  at(row, column) = std::move(text);
  endWithOneEmptyRow();
}

void DatedFlowTable::clear(std::span<const CellRef> cells) {
  for (const CellRef& cell : cells) {
    if (cell.row < rows_.size() && cell.column >= 0 && cell.column < kColumnCount)
      at(cell.row, cell.column).clear();
  }
  endWithOneEmptyRow();
}

void DatedFlowTable::endWithOneEmptyRow() {
  std::size_t used = rows_.size();
  while (used > 0 && isBlank(rows_[used - 1])) --used;
  rows_.resize(std::min(used + 1, std::max(used, kMaxRows)));
}

std::string DatedFlowTable::copy(std::span<const CellRef> cells) const {
  std::vector<CellRef> picked;
  for (const CellRef& cell : cells)
    if (cell.row < rows_.size() && cell.column >= 0 && cell.column < kColumnCount)
      picked.push_back(cell);
  if (picked.empty()) return {};
  std::size_t firstRow = picked.front().row, lastRow = firstRow;
  int firstColumn = picked.front().column, lastColumn = firstColumn;
  for (const CellRef& cell : picked) {
    firstRow = std::min(firstRow, cell.row);
    lastRow = std::max(lastRow, cell.row);
    firstColumn = std::min(firstColumn, cell.column);
    lastColumn = std::max(lastColumn, cell.column);
  }
  const auto width = static_cast<std::size_t>(lastColumn - firstColumn) + 1;
  std::vector<const std::string*> grid((lastRow - firstRow + 1) * width, nullptr);
  for (const CellRef& cell : picked)
    grid[(cell.row - firstRow) * width + static_cast<std::size_t>(cell.column - firstColumn)] =
        &this->cell(cell.row, cell.column);
  std::string text;
  for (std::size_t row = 0; row <= lastRow - firstRow; ++row) {
    for (std::size_t column = 0; column < width; ++column) {
      if (column > 0) text += '\t';
      if (const std::string* value = grid[row * width + column]) text += withSpaces(*value);
    }
    text += '\n';
  }
  return text;
}

PasteOutcome DatedFlowTable::paste(std::string_view text, std::size_t row, int column) {
  PasteOutcome outcome;
  row = std::min(row, rows_.size() - 1);
  column = std::clamp(column, 0, kColumnCount - 1);
  outcome.firstRow = outcome.endRow = row;
  outcome.firstColumn = outcome.lastColumn = column;
  if (!core::fitsCashFlowList(text)) {
    outcome.note = joined("Nothing was pasted: the text has a line longer than ",
                          std::to_string(core::kMaxCashFlowLineBytes), " characters.");
    return outcome;
  }
  std::vector<std::string_view> pasted = splitLines(text);
  std::string heading;
  if (!pasted.empty() && !core::isBlankText(pasted.front()) && !hasDigit(pasted.front())) {
    heading = withSpaces(pasted.front());
    pasted.erase(pasted.begin());
  }
  if (pasted.empty()) {
    outcome.note = heading.empty()
                       ? "Nothing was pasted: the clipboard holds no text."
                       : joined("Nothing was pasted: the one line, ", quotedCell(heading),
                                ", has no digit in it and was taken for a heading.");
    return outcome;
  }

  std::vector<std::vector<std::string_view>> cells;
  cells.reserve(pasted.size());
  for (const std::string_view line : pasted) cells.push_back(splitCells(line));
  const bool twoColumns =
      std::any_of(cells.begin(), cells.end(), [](const auto& line) { return line.size() >= 2; });
  const std::size_t wider = static_cast<std::size_t>(
      std::count_if(cells.begin(), cells.end(), [](const auto& line) { return line.size() > 2; }));
  if (twoColumns) {
    outcome.firstColumn = kDateColumn;
    outcome.lastColumn = kAmountColumn;
  }
  const std::size_t fitting = std::min(cells.size(), kMaxRows - row);
  if (rows_.size() < row + fitting) rows_.resize(row + fitting);
  for (std::size_t i = 0; i < fitting; ++i) {
    const auto& line = cells[i];
    for (int c = outcome.firstColumn; c <= outcome.lastColumn; ++c) {
      const auto index = static_cast<std::size_t>(c - outcome.firstColumn);
      at(row + i, c) = index < line.size() ? std::string(line[index]) : std::string();
    }
  }
  outcome.endRow = row + fitting;
  endWithOneEmptyRow();

  outcome.note = joined("Pasted ", std::to_string(fitting), fitting == 1 ? " row" : " rows",
                        " from row ", std::to_string(row + 1), ".");
  if (!heading.empty()) {
    outcome.note += joined(" The first line, ", quotedCell(heading),
                           ", has no digit in it: it was taken for a heading, not a flow.");
  }
  if (wider > 0) {
    outcome.note +=
        joined(" ", lines(wider), " had more than two cells: only the first two went in.");
  }
  if (fitting < cells.size()) {
    outcome.note += joined(" The table holds ", std::to_string(kMaxRows), " rows: the last ",
                           lines(cells.size() - fitting), " did not go in.");
  }
  return outcome;
}

}  // namespace vantro::ui
