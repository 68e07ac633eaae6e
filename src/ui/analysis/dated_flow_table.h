#pragma once
// The Dated Cash Flows tab's table as the user fills it: a date and an amount on each row, as
// typed or pasted, always with an empty row at the end to type the next flow.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::ui {

struct DatedFlowRow {
  std::string date;
  std::string amount;
};

// A row whose cells are empty or white space: no flow, and nothing to name.
bool isBlank(const DatedFlowRow& row);

struct CellRef {
  std::size_t row = 0;
  int column = 0;
};

// What a paste changed, and a sentence that says what went in and what did not.
struct PasteOutcome {
  std::size_t firstRow = 0;
  std::size_t endRow = 0;  // one past the last row written; firstRow when nothing was
  int firstColumn = 0;
  int lastColumn = 0;
  std::string note;
};

class DatedFlowTable {
 public:
  static constexpr int kDateColumn = 0;
  static constexpr int kAmountColumn = 1;
  static constexpr int kColumnCount = 2;
  // Enough for a flow a day for two and a half centuries; a larger paste is cut there and
  // says so.
  static constexpr std::size_t kMaxRows = 100'000;

  DatedFlowTable() : rows_(1) {}

  std::size_t rowCount() const { return rows_.size(); }
  const std::vector<DatedFlowRow>& rows() const { return rows_; }
  const std::string& cell(std::size_t row, int column) const;

  // Writes one cell of an existing row; the table then ends in one empty row again.
  void setCell(std::size_t row, int column, std::string text);
  void clear(std::span<const CellRef> cells);

  // The cells as tab-separated lines, each ended by a line feed: the rectangle from the first
  // selected row and column to the last, cells not selected left empty. Tabs and line breaks
  // inside a cell become spaces, so that the text pastes back cell for cell.
  std::string copy(std::span<const CellRef> cells) const;

  // Pastes text copied from a spreadsheet at (row, column): one line per row (CR LF, CR or LF),
  // cells separated by tabs. Lines of two cells fill both columns, lines of one cell the
  // current column; rows are added as needed. A first line without a digit is a heading and
  // is left out; cells past the second, lines past kMaxRows, and a text with a line longer
  // than the cash-flow list takes are left out too. The note says which.
  PasteOutcome paste(std::string_view text, std::size_t row, int column);

 private:
  std::string& at(std::size_t row, int column);
  void endWithOneEmptyRow();

  std::vector<DatedFlowRow> rows_;
};

// A cell's text for a sentence, in quotes, cut to 40 characters with "…".
std::string quotedCell(std::string_view text);

}  // namespace vantro::ui
