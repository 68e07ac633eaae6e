#include "help/page_limits.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "help/html_scan.h"
#include "help/style_scan.h"

namespace vantro::help {
namespace {

// The work estimate's weights, in units of about half a microsecond (see page_limits.h).
constexpr double kElementWork = 16;        // an element, as parsed and laid out
constexpr double kTableCellWork = 128;     // a cell of a table's grid, empty or not
constexpr double kWordWorkDivisor = 1024;  // a word of n bytes costs n * n / this
// One selector tried on one ancestor of an element, and how much longer that takes for each
// byte of the longest attribute value that a selector may have to look through.
constexpr double kSelectorStepWork = 1.0 / 32;
constexpr double kSelectorStepBytes = 64;
// Everything inside a table is laid out this many times over per level of nesting.
constexpr double kTableFactor = 3;

// The height estimate: what any element can add with the engine's own margins, and the
// tallest line of text at the sizes the engine uses by itself.
constexpr double kElementHeight = 24;
constexpr double kLineHeight = 48;

// The engine's elements, as far as they decide how its parser nests them.
enum class Id {
  Unknown,
  Other,
  Table,
  Row,
  Cell,
  HeaderCell,
  Section,
  Caption,
  Paragraph,
  ListItem,
  DefinitionList,
  DefinitionItem,
  Body,
  Head,
  Style,
  Link,
  Picture,
  Empty,
};
enum class Display { Inline, Block, Table, None };

struct KnownElement {
  std::string_view name;
  Id id;
  Display display;
};

// Sorted by name for the look-up.
constexpr KnownElement kElements[] = {
    {"a", Id::Other, Display::Inline},
    {"address", Id::Other, Display::Inline},
    {"b", Id::Other, Display::Inline},
    {"big", Id::Other, Display::Inline},
    {"blockquote", Id::Other, Display::Block},
    {"body", Id::Body, Display::Block},
    {"br", Id::Empty, Display::Inline},
    {"caption", Id::Caption, Display::Block},
    {"center", Id::Other, Display::Block},
    {"cite", Id::Other, Display::Inline},
    {"code", Id::Other, Display::Inline},
    {"dd", Id::DefinitionItem, Display::Block},
    {"dfn", Id::Other, Display::Inline},
    {"div", Id::Other, Display::Block},
    {"dl", Id::DefinitionList, Display::Block},
    {"dt", Id::DefinitionItem, Display::Block},
    {"em", Id::Other, Display::Inline},
    {"font", Id::Other, Display::Inline},
    {"h1", Id::Other, Display::Block},
    {"h2", Id::Other, Display::Block},
    {"h3", Id::Other, Display::Block},
    {"h4", Id::Other, Display::Block},
    {"h5", Id::Other, Display::Block},
    {"h6", Id::Other, Display::Block},
    {"head", Id::Head, Display::None},
    {"hr", Id::Empty, Display::Block},
    {"html", Id::Other, Display::Inline},
    {"i", Id::Other, Display::Inline},
    {"img", Id::Picture, Display::Inline},
    {"kbd", Id::Other, Display::Inline},
    {"li", Id::ListItem, Display::Block},
    {"link", Id::Link, Display::None},
    {"meta", Id::Empty, Display::None},
    {"nobr", Id::Other, Display::Inline},
    {"ol", Id::Other, Display::Block},
    {"p", Id::Paragraph, Display::Block},
    {"pre", Id::Other, Display::Block},
    {"qt", Id::Body, Display::Block},
    {"s", Id::Other, Display::Inline},
    {"samp", Id::Other, Display::Inline},
    {"script", Id::Other, Display::None},
    {"small", Id::Other, Display::Inline},
    {"span", Id::Other, Display::Inline},
    {"strong", Id::Other, Display::Inline},
    {"style", Id::Style, Display::None},
    {"sub", Id::Other, Display::Inline},
    {"sup", Id::Other, Display::Inline},
    {"table", Id::Table, Display::Table},
    {"tbody", Id::Section, Display::Table},
    {"td", Id::Cell, Display::Block},
    {"tfoot", Id::Section, Display::Table},
    {"th", Id::HeaderCell, Display::Block},
    {"thead", Id::Section, Display::Table},
    {"title", Id::Other, Display::None},
    {"tr", Id::Row, Display::Table},
    {"tt", Id::Other, Display::Inline},
    {"u", Id::Other, Display::Inline},
    {"ul", Id::Other, Display::Block},
    {"var", Id::Other, Display::Inline},
};

KnownElement lookUp(std::string_view name) {
  const auto found = std::lower_bound(
      std::begin(kElements), std::end(kElements), name,
      [](const KnownElement& element, std::string_view key) { return element.name < key; });
  if (found != std::end(kElements) && found->name == name) return *found;
  return {name, Id::Unknown, Display::Inline};
}

// Where the engine lets an element stand; it climbs to an ancestor that allows it.
bool allowedIn(Id element, Id parent) {
  switch (element) {
    case Id::DefinitionItem:
      return parent == Id::DefinitionList;
    case Id::Row:
      return parent == Id::Table || parent == Id::Section;
    case Id::Cell:
    case Id::HeaderCell:
      return parent == Id::Row;
    case Id::Section:
    case Id::Caption:
      return parent == Id::Table;
    case Id::Body:
      return parent != Id::Head;
    default:
      return true;
  }
}

bool takesNoContent(Id id) {
  return id == Id::Picture || id == Id::Empty;
}

double tableWeight(std::size_t tableDepth) {
  return std::pow(kTableFactor, static_cast<double>(tableDepth));
}

// The largest number the engine could read from an attribute's value; infinite for "inf".
double largestNumberIn(std::string_view value) {
  double largest = 0;
  forEachNumber(value, [&](double number, std::string_view) {
    largest = std::max(largest, std::fabs(number));
  });
  return largest;
}

bool isNumericAttribute(std::string_view name) {
  for (std::string_view numeric :
       {"width", "height", "border", "cellpadding", "cellspacing", "colspan", "rowspan", "size"})
    if (name == numeric) return true;
  return false;
}

bool isWordBreak(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

class PageMeasure {
 public:
  explicit PageMeasure(const StyleSheetReader& readStyleSheet) : readStyleSheet_(readStyleSheet) {
    nodes_.push_back(Node{});
  }

  void tag(const HtmlTag& tag) {
    if (problem_ != PageProblem::None) return;
    if (tag.unusualNames) return fail(PageProblem::UnusualMarkup);
    tag.closing ? close(tag) : open(tag);
  }

  void text(std::string_view run) {
    if (problem_ != PageProblem::None) return;
    if (styleElement_) {
      // The engine decodes references before it reads the sheet; no sheet needs them.
      if (run.find('&') != std::string_view::npos) return fail(PageProblem::UnusualMarkup);
      styleText_.append(run);
    }
    // Text the engine does not show (in a title, a script) is counted as if it were shown.
    const double weight = tableWeight(nodes_[current_].tableDepth);
    work_ += static_cast<double>(run.size()) * (weight - 1);
    for (char c : run) {
      if (c == '\n') ++lines_;
      if (isWordBreak(c)) {
        endWord();
      } else {
        ++word_;
        wordWeight_ = std::max(wordWeight_, weight);
      }
    }
  }

  PageCheck finish(std::size_t bytes) {
    PageCheck check;
    check.demand = demand_;
    check.demand.bytes = bytes;
    if (problem_ != PageProblem::None) {
      check.problem = problem_;
      return check;
    }
    endWord();
    work_ += static_cast<double>(bytes);
    // The engine gathers an element's style from the element and every ancestor, trying each
    // selector on each (a class selector looks through the class attribute's words).
    const double selectorStep = 1 + longestValue_ / kSelectorStepBytes;
    work_ += ancestorSteps_ * kSelectorStepWork *
             (1 + static_cast<double>(demand_.selectors) * selectorStep);
    for (const Table& table : tables_) {
      const double cells = table.rows * (table.widestRow + table.spanningColumns);
      check.demand.tableCells += static_cast<std::uint64_t>(cells);
      work_ += cells * kTableCellWork * tableWeight(table.tableDepth);
    }
    const double lineHeight = std::max({kLineHeight, 1.5 * styles_.fontSize, styles_.lineHeight}) *
                              std::max(1.0, styles_.lineHeightFactor);
    const double elements = static_cast<double>(demand_.elements);
    height_ += elements * sheetLengths_ + (lines_ + elements) * lineHeight;
    check.demand.height = height_;
    check.demand.work = work_ >= 1e18 ? std::numeric_limits<std::uint64_t>::max()
                                      : static_cast<std::uint64_t>(work_);
    if (height_ > kMaxPageHeight) check.problem = PageProblem::TooTall;
    if (work_ > static_cast<double>(kMaxLayoutWork)) check.problem = PageProblem::TooMuchWork;
    return check;
  }

 private:
  struct Node {
    std::size_t parent = 0;
    Id id = Id::Unknown;
    bool hidden = false;  // shown as nothing, and so everything inside
    bool block = false;   // starts a block of its own, as the engine decides it
    std::string tag;
    std::size_t depth = 0;
    std::size_t tableDepth = 0;
    std::size_t table = kNone;  // a table's entry in tables_, or the table a row belongs to
    double columns = 0;         // of a row: the columns its cells span
  };
  struct Table {
    std::size_t tableDepth = 0;
    double rows = 0;
    double widestRow = 0;
    // Columns that cells spanning several rows can push the later rows' cells along by.
    double spanningColumns = 0;
  };
  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

  void fail(PageProblem problem) {
    if (problem_ == PageProblem::None) problem_ = problem;
  }

  void endWord() {
    if (word_ == 0) return;
    const double length = static_cast<double>(word_);
    work_ += length * length / kWordWorkDivisor * wordWeight_;
    demand_.longestWord = std::max(demand_.longestWord, word_);
    ++lines_;
    word_ = 0;
    wordWeight_ = 1;
  }

  // The engine's parser: an element goes under the element that is open, unless its kind
  // sends it further up, and a cell or row outside a table gets a table made for it.
  void open(const HtmlTag& tag) {
    std::size_t valueBytes = 0;
    for (const auto& attribute : tag.attributes) {
      valueBytes += attribute.second.size();
      longestValue_ = std::max(longestValue_, static_cast<double>(attribute.second.size()));
    }
    if (tag.attributes.size() > kMaxAttributes || valueBytes > kMaxAttributeBytes)
      return fail(PageProblem::TooManyAttributes);
    const KnownElement element = lookUp(tag.name);
    std::size_t parent = current_;
    if (element.id == Id::Cell && !ancestor(parent, Id::Row)) {
      parent = addWrapper(addWrapper(parent, Id::Table, "table"), Id::Row, "tr");
    } else if (element.id == Id::Row && !ancestor(parent, Id::Table)) {
      parent = addWrapper(parent, Id::Table, "table");
    }
    if (element.id == Id::Paragraph) {
      std::size_t block = parent;
      while (block && !nodes_[block].block) block = nodes_[block].parent;
      if (block && nodes_[block].id == Id::Paragraph) parent = block;
    }
    if ((element.id == Id::Paragraph || element.id == Id::ListItem) &&
        nodes_[parent].id == element.id)
      parent = nodes_[parent].parent;
    while ((parent && !allowedIn(element.id, nodes_[parent].id)) ||
           takesNoContent(nodes_[parent].id))
      parent = nodes_[parent].parent;
    if (problem_ != PageProblem::None) return;
    const std::size_t node = addNode(parent, element.id, tag.name, element.display);
    if (problem_ != PageProblem::None) return;
    if (element.display != Display::Inline || element.id == Id::Empty) endWord();
    measureAttributes(node, tag);
    styleElement_ = element.id == Id::Style && !tag.selfClosing;
    styleText_.clear();
    styleReads_ = 0;
    // An element without a name only holds text; one without content leaves its parent open.
    if (!tag.name.empty()) current_ = takesNoContent(element.id) || tag.selfClosing ? parent : node;
  }

  void close(const HtmlTag& tag) {
    if (styleElement_) {
      // The engine reads the open style element's text at every closing tag that follows it
      // directly: twice would be the same sheet twice.
      if (styleReads_++ > 0) return fail(PageProblem::UnusualMarkup);
      addStyles(measureStyleSheet(styleText_), true);
    }
    if (tag.name.empty()) return;
    for (std::size_t node = current_; node; node = nodes_[node].parent) {
      if (nodes_[node].tag != tag.name) continue;
      if (nodes_[node].block || nodes_[node].id == Id::Table) endWord();
      current_ = nodes_[node].parent;
      styleElement_ = false;
      return;
    }
  }

  bool ancestor(std::size_t node, Id id) const {
    for (; node; node = nodes_[node].parent)
      if (nodes_[node].id == id) return true;
    return false;
  }

  // The table and row the engine makes for a cell or row outside a table: shown whatever
  // holds them, for the engine gives them no properties of their own.
  std::size_t addWrapper(std::size_t parent, Id id, std::string_view tag) {
    const std::size_t node = addNode(parent, id, tag, Display::Inline);
    nodes_[node].hidden = false;
    return node;
  }

  std::size_t addNode(std::size_t parent, Id id, std::string_view tag, Display display) {
    Node node;
    node.parent = parent;
    node.id = id;
    node.hidden = nodes_[parent].hidden || display == Display::None;
    node.block = display == Display::Block && !node.hidden;
    node.tag = tag;
    node.depth = nodes_[parent].depth + 1;
    node.tableDepth = nodes_[parent].tableDepth + (id == Id::Table ? 1 : 0);
    if (node.depth > kMaxPageDepth) fail(PageProblem::TooDeep);
    if (node.tableDepth > kMaxTableDepth) fail(PageProblem::TablesTooDeep);
    demand_.depth = std::max(demand_.depth, node.depth);
    demand_.tableDepth = std::max(demand_.tableDepth, node.tableDepth);
    ++demand_.elements;
    ancestorSteps_ += static_cast<double>(node.depth);
    work_ += kElementWork * tableWeight(node.tableDepth);
    height_ += kElementHeight;
    if (id == Id::Table) {
      node.table = tables_.size();
      tables_.push_back(Table{node.tableDepth});
    }
    if (id == Id::Row) {
      const Node& container = nodes_[parent];
      const Node& owner = container.id == Id::Section ? nodes_[container.parent] : container;
      if (owner.id == Id::Table) {
        node.table = owner.table;
        tables_[node.table].rows += 1;
      }
    }
    nodes_.push_back(std::move(node));
    return nodes_.size() - 1;
  }

  void measureAttributes(std::size_t node, const HtmlTag& tag) {
    double colspan = 1;
    double rowspan = 1;
    double width = 0;
    double height = -1;
    for (const auto& [name, value] : tag.attributes) {
      if (isNumericAttribute(name)) {
        const double number = largestNumberIn(value);
        if (!(number <= kMaxNumber)) return fail(PageProblem::HugeNumber);
        if (name == "colspan") colspan = std::clamp(number, 1.0, 20480.0);
        if (name == "rowspan") rowspan = std::max(number, 1.0);
        if (name == "width") width = number;
        if (name == "height") height = std::max(height, number);
        if (name == "border" || name == "cellpadding" || name == "cellspacing")
          height_ += 2 * number;
      } else if (name == "style") {
        const StyleDemand style = measureDeclarations(value);
        height_ += style.lengthSum;
        addStyles(style, false);
      } else if (name == "href" && nodes_[node].id == Id::Link) {
        useStyleSheet(value);
      }
      if (problem_ != PageProblem::None) return;
    }
    const Node& element = nodes_[node];
    if (element.id == Id::Picture) {
      const double side = static_cast<double>(kMaxPictureSide);
      height_ += height >= 0 ? height : width > 0 ? width * kMaxPictureAspect : side;
    } else if (height > 0) {
      height_ += height;
    }
    if ((element.id == Id::Cell || element.id == Id::HeaderCell) &&
        nodes_[element.parent].id == Id::Row) {
      Node& row = nodes_[element.parent];
      row.columns += colspan;
      if (row.table != kNone) {
        Table& table = tables_[row.table];
        table.widestRow = std::max(table.widestRow, row.columns);
        if (rowspan > 1) table.spanningColumns += colspan;
      }
    }
  }

  void addStyles(const StyleDemand& style, bool sheet) {
    if (!(style.largestNumber <= kMaxNumber)) return fail(PageProblem::HugeNumber);
    demand_.selectors += style.selectors;
    styles_.fontSize = std::max(styles_.fontSize, style.fontSize);
    styles_.lineHeight = std::max(styles_.lineHeight, style.lineHeight);
    styles_.lineHeightFactor = std::max(styles_.lineHeightFactor, style.lineHeightFactor);
    if (sheet) sheetLengths_ += style.lengthSum;
    for (const std::string& import : style.imports) useStyleSheet(import);
  }

  void useStyleSheet(const std::string& reference) {
    if (problem_ != PageProblem::None || !usedSheets_.insert(reference).second) return;
    if (usedSheets_.size() > kMaxStyleSheets) return fail(PageProblem::TooManyStyleSheets);
    const auto sheet = readStyleSheet_ ? readStyleSheet_(reference) : std::nullopt;
    if (!sheet) return;
    if (sheet->size() > kMaxStyleSheetBytes) return fail(PageProblem::TooManyStyleSheets);
    ++demand_.styleSheets;
    work_ += static_cast<double>(sheet->size());
    addStyles(measureStyleSheet(*sheet), true);
  }

  const StyleSheetReader& readStyleSheet_;
  PageProblem problem_ = PageProblem::None;
  PageDemand demand_;
  std::vector<Node> nodes_;
  std::vector<Table> tables_;
  std::size_t current_ = 0;    // the element that text and new elements go into
  bool styleElement_ = false;  // the style element just opened still takes the text
  std::string styleText_;
  int styleReads_ = 0;
  std::set<std::string> usedSheets_;
  StyleDemand styles_;
  double sheetLengths_ = 0;
  double ancestorSteps_ = 0;
  double longestValue_ = 0;  // of any attribute
  double work_ = 0;
  double height_ = 0;
  double lines_ = 0;
  std::size_t word_ = 0;
  double wordWeight_ = 1;
};

}  // namespace

PageCheck checkPage(std::string_view html, const StyleSheetReader& readStyleSheet) {
  PageMeasure measure(readStyleSheet);
  scanHtml(
      html, [&](const HtmlTag& tag) { measure.tag(tag); },
      [&](std::string_view run) { measure.text(run); });
  return measure.finish(html.size());
}

std::string pageNotice(PageProblem problem) {
  const char* reason = "it could not be read";
  switch (problem) {
    case PageProblem::None:
      break;
    case PageProblem::UnusualMarkup:
      reason = "its markup is written in a way the help window does not read";
      break;
    case PageProblem::TooDeep:
      reason = "its elements are nested too deeply";
      break;
    case PageProblem::TablesTooDeep:
      reason = "its tables are nested too deeply";
      break;
    case PageProblem::TooManyAttributes:
      reason = "an element of it has too many attributes";
      break;
    case PageProblem::HugeNumber:
      reason = "it sets a size too large to lay out";
      break;
    case PageProblem::TooManyStyleSheets:
      reason = "it uses too many or too large style sheets";
      break;
    case PageProblem::TooTall:
      reason = "it would be too tall to lay out";
      break;
    case PageProblem::TooMuchWork:
      reason = "it would take too long to lay out";
      break;
  }
  return std::string("<p>This page of the help file is not shown: ") + reason + ".</p>";
}

}  // namespace vantro::help
