#pragma once
// Where the page view's rich-text engine (Qt's importer) lays the tables of an element tree
// out. It goes through the tree in order with a cursor, and inserts each table as a frame
// where the cursor stands. When a table ends, the cursor goes back to the cell of the table
// around it only while that table still has cells left; otherwise it stays inside the table
// that ended, and the next table goes in there. So frames can nest far deeper than the tree's
// tables: "<table><tr><td>a</td></tr>" followed by "<td>x</table>" 24 times nests 25 frames in
// a tree two tables deep, and froze the view.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "help/rich_text_tree.h"

namespace vantro::help {

struct TableLayout {
  // For each node: the deepest table frame its own text can go into (0: the page itself).
  std::vector<std::size_t> frameDepth;
  std::size_t deepestFrame = 0;
  // For each table node: the cells of its grid, rows times columns (0 for other nodes).
  std::vector<std::uint64_t> cells;
  // The tables' grids hold more than `maxCells` together; nothing else was worked out.
  bool tooManyCells = false;
};

TableLayout layOutTables(const std::vector<RichTextNode>& nodes, std::uint64_t maxCells);

}  // namespace vantro::help
