#include "help/rich_text_import.h"

#include <algorithm>
#include <optional>

namespace vantro::help {
namespace {

struct Span {
  std::int64_t row = 0;
  std::int64_t column = 0;
  std::int64_t rows = 0;
  std::int64_t columns = 0;
};

// A table's grid as the engine builds it: every position names the cell that covers it (by
// the position of the cell's top left corner), every cell knows its spans.
class Grid {
 public:
  Grid(std::int64_t rows, std::int64_t columns)
      : rows_(rows),
        columns_(columns),
        cellAt_(static_cast<std::size_t>(rows * columns)),
        spans_(cellAt_.size(), {1, 1}) {
    for (std::size_t i = 0; i < cellAt_.size(); ++i) cellAt_[i] = static_cast<std::int64_t>(i);
  }
  std::int64_t rows() const { return rows_; }
  std::int64_t columns() const { return columns_; }
  // The cell at a position; -1 outside the grid.
  std::int64_t cellAt(std::int64_t row, std::int64_t column) const {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return -1;
    return cellAt_[static_cast<std::size_t>(row * columns_ + column)];
  }
  std::int64_t rowOf(std::int64_t cell) const { return cell / columns_; }
  std::int64_t columnSpanOf(std::int64_t cell) const {
    return spans_[static_cast<std::size_t>(cell)].second;
  }

  // The engine merges only a rectangle whose corner is a cell's corner, that holds at least
  // that cell, and that no other cell crosses the edge of.
  void merge(const Span& span) {
    const std::int64_t cell = cellAt(span.row, span.column);
    if (cell < 0 || cell != span.row * columns_ + span.column) return;
    const auto [rowSpan, columnSpan] = spans_[static_cast<std::size_t>(cell)];
    const std::int64_t rows = std::min(span.rows, rows_ - span.row);
    const std::int64_t columns = std::min(span.columns, columns_ - span.column);
    if (rows < rowSpan || columns < columnSpan) return;
    const std::int64_t right = span.column + columns;
    const std::int64_t bottom = span.row + rows;
    for (std::int64_t r = span.row; r < bottom; ++r)
      if (cellAt(r, span.column) == cellAt(r, span.column - 1) ||
          cellAt(r, right) == cellAt(r, right - 1))
        return;
    for (std::int64_t c = span.column; c < right; ++c)
      if (cellAt(span.row, c) == cellAt(span.row - 1, c) ||
          cellAt(bottom, c) == cellAt(bottom - 1, c))
        return;
    for (std::int64_t r = span.row; r < bottom; ++r)
      for (std::int64_t c = span.column; c < right; ++c)
        cellAt_[static_cast<std::size_t>(r * columns_ + c)] = cell;
    spans_[static_cast<std::size_t>(cell)] = {rows, columns};
  }

 private:
  std::int64_t rows_;
  std::int64_t columns_;
  std::vector<std::int64_t> cellAt_;
  std::vector<std::pair<std::int64_t, std::int64_t>> spans_;
};

// A table as the importer holds it while it fills its cells: the frame it made, if any (none
// for a table without rows or columns), and the cell it has come to.
struct OpenTable {
  std::size_t frameDepth = 0;
  std::optional<Grid> grid;
  std::int64_t row = 0;
  std::int64_t column = 0;
  std::int64_t currentRow = 0;

  bool atEnd() const { return !grid || row >= grid->rows(); }
  void nextCell() {
    if (atEnd()) return;
    do {
      const std::int64_t cell = grid->cellAt(row, column);
      if (cell < 0) break;
      column += grid->columnSpanOf(cell);
      if (column >= grid->columns()) {
        column = 0;
        ++row;
      }
    } while (row < grid->rows() && grid->rowOf(grid->cellAt(row, column)) != row);
  }
};

bool isCell(const RichTextNode& node) {
  return node.kind == ElementKind::Cell || node.kind == ElementKind::HeaderCell;
}

// The rows of a table, its grid's size and the spans to merge, worked out as the importer
// does: a cell goes to the first column in its row that no cell of the rows above spans.
struct ScannedTable {
  std::int64_t rows = 0;
  std::int64_t columns = 0;
  std::vector<Span> spans;
};

std::optional<ScannedTable> scanTable(const std::vector<RichTextNode>& nodes, std::size_t table,
                                      std::uint64_t maxCells) {
  std::vector<std::size_t> rows;
  for (std::size_t child : nodes[table].children) {
    if (nodes[child].kind == ElementKind::Row) rows.push_back(child);
    if (nodes[child].kind == ElementKind::Section)
      for (std::size_t row : nodes[child].children)
        if (nodes[row].kind == ElementKind::Row) rows.push_back(row);
  }
  ScannedTable scanned;
  std::vector<Span> spanOfColumn;
  const auto limit = static_cast<std::int64_t>(maxCells);
  for (std::size_t row : rows) {
    std::int64_t columns = 0;
    for (std::size_t cell : nodes[row].children) {
      if (!isCell(nodes[cell])) continue;
      while (columns < static_cast<std::int64_t>(spanOfColumn.size())) {
        const Span& above = spanOfColumn[static_cast<std::size_t>(columns)];
        if (above.row + above.rows <= scanned.rows) break;
        columns += above.columns;
      }
      const Span span{scanned.rows, columns, nodes[cell].rowSpan, nodes[cell].columnSpan};
      columns += span.columns;
      if (columns > limit) return std::nullopt;
      if (span.rows > 1 || span.columns > 1) scanned.spans.push_back(span);
      if (static_cast<std::int64_t>(spanOfColumn.size()) < columns)
        spanOfColumn.resize(static_cast<std::size_t>(columns));
      for (std::int64_t c = span.column; c < columns; ++c)
        spanOfColumn[static_cast<std::size_t>(c)] = span;
    }
    scanned.columns = std::max(scanned.columns, columns);
    ++scanned.rows;
    if (scanned.rows * scanned.columns > limit) return std::nullopt;
  }
  return scanned;
}

}  // namespace

TableLayout layOutTables(const std::vector<RichTextNode>& nodes, std::uint64_t maxCells) {
  TableLayout layout;
  layout.frameDepth.assign(nodes.size(), 0);
  layout.cells.assign(nodes.size(), 0);
  std::uint64_t cellsLeft = maxCells;
  std::vector<OpenTable> tables;
  std::size_t cursor = 0;  // the depth of the frame the cursor is in
  const auto closeAfter = [&](std::size_t previous, std::size_t endDepth) {
    std::size_t closed = previous;
    for (std::size_t depth = nodes[previous].depth; depth > endDepth && closed; --depth) {
      const RichTextNode& node = nodes[closed];
      if (node.kind == ElementKind::Row && !tables.empty()) {
        OpenTable& table = tables.back();
        ++table.currentRow;
        while (!table.atEnd() && table.row < table.currentRow) table.nextCell();
      } else if (isCell(node) && !tables.empty()) {
        tables.back().nextCell();
      } else if (node.kind == ElementKind::Table && !tables.empty()) {
        tables.pop_back();
        if (tables.empty())
          cursor = 0;
        else if (!tables.back().atEnd())
          cursor = tables.back().frameDepth;
      }
      // Text after the element goes where the cursor now is, into the element's parent.
      std::size_t& parentDepth = layout.frameDepth[node.parent];
      parentDepth = std::max(parentDepth, cursor);
      closed = node.parent;
    }
  };
  for (std::size_t index = 1; index < nodes.size(); ++index) {
    const RichTextNode& node = nodes[index];
    if (node.parent != index - 1) closeAfter(index - 1, node.depth - 1);
    if (!node.hidden && node.kind == ElementKind::Table) {
      const auto scanned = scanTable(nodes, index, cellsLeft);
      if (!scanned) {
        layout.tooManyCells = true;
        return layout;
      }
      OpenTable table;
      if (scanned->rows > 0 && scanned->columns > 0) {
        table.frameDepth = cursor + 1;
        table.grid.emplace(scanned->rows, scanned->columns);
        for (const Span& span : scanned->spans) table.grid->merge(span);
        layout.cells[index] = static_cast<std::uint64_t>(scanned->rows * scanned->columns);
        cellsLeft -= layout.cells[index];
        layout.deepestFrame = std::max(layout.deepestFrame, table.frameDepth);
        layout.frameDepth[index] = table.frameDepth;
      }
      tables.push_back(std::move(table));
    } else if (!node.hidden && isCell(node) && !tables.empty() && !tables.back().atEnd()) {
      cursor = tables.back().frameDepth;
    }
    layout.frameDepth[index] = std::max(layout.frameDepth[index], cursor);
  }
  return layout;
}

}  // namespace vantro::help
