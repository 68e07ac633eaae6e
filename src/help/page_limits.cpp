#include "help/page_limits.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "help/html_scan.h"
#include "help/rich_text_import.h"
#include "help/rich_text_tree.h"
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
// tallest line of text at the sizes the engine uses by itself (a heading's, a font of size 7).
constexpr double kElementHeight = 24;
constexpr double kLineHeight = 32;

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

// A shown element that starts a block of its own, or a line: text on either side of it is
// never one word.
bool breaksWords(const RichTextNode& node) {
  return !node.hidden && (!node.inlineDisplay || node.kind == ElementKind::Empty);
}

class PageMeasure {
 public:
  explicit PageMeasure(const StyleSheetReader& readStyleSheet)
      : readStyleSheet_(readStyleSheet), nodeWork_(1) {}

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
    if (run.find_first_not_of(" \t\n\v\f\r") != std::string_view::npos) nameless_ = false;
    // Text the engine does not show (in a title, a script) is counted as if it were shown.
    const std::size_t owner = tree_.current();
    nodeWork_[owner].textBytes += static_cast<double>(run.size());
    // Every character may be a line of its own: a word wider than the view breaks anywhere,
    // and margins can leave less than a character's width.
    for (char c : run) {
      if (c == '\n') ++lines_;
      if (isWordBreak(c)) {
        endWord();
      } else {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++lines_;
        ++word_;
        wordOwner_ = owner;
      }
    }
  }

  PageCheck finish(std::size_t bytes) {
    PageCheck check;
    check.demand = demand_;
    check.demand.bytes = bytes;
    if (problem_ == PageProblem::None) weigh(bytes, check.demand);
    check.problem = problem_;
    return check;
  }

 private:
  // What a node holds that the work estimate weighs once its tables are laid out.
  struct NodeWork {
    double textBytes = 0;
    double words = 0;  // the work of the words that end in it, unweighted
  };

  void fail(PageProblem problem) {
    if (problem_ == PageProblem::None) problem_ = problem;
  }

  void endWord() {
    if (word_ == 0) return;
    const double length = static_cast<double>(word_);
    nodeWork_[wordOwner_].words += length * length / kWordWorkDivisor;
    demand_.longestWord = std::max(demand_.longestWord, word_);
    word_ = 0;
  }

  void open(const HtmlTag& tag) {
    std::size_t valueBytes = 0;
    for (const auto& attribute : tag.attributes) {
      valueBytes += attribute.second.size();
      longestValue_ = std::max(longestValue_, static_cast<double>(attribute.second.size()));
    }
    if (tag.attributes.size() > kMaxAttributes || valueBytes > kMaxAttributeBytes)
      return fail(PageProblem::TooManyAttributes);
    // The engine reuses an element without a name that nothing was written into for the next
    // element, and lists it twice among its parent's children: rows with cells counted twice.
    if (nameless_) return fail(PageProblem::UnusualMarkup);
    nameless_ = tag.name.empty();
    const std::size_t first = tree_.nodes().size();
    const std::size_t element = tree_.open(tag);
    for (std::size_t added = first; added < tree_.nodes().size(); ++added) {
      const RichTextNode& node = tree_.nodes()[added];
      if (node.depth > kMaxPageDepth) return fail(PageProblem::TooDeep);
      if (node.tableDepth > kMaxTableDepth) return fail(PageProblem::TablesTooDeep);
      demand_.depth = std::max(demand_.depth, node.depth);
      demand_.tableDepth = std::max(demand_.tableDepth, node.tableDepth);
      ++demand_.elements;
      ancestorSteps_ += static_cast<double>(node.depth);
      height_ += kElementHeight;
      nodeWork_.emplace_back();
      if (breaksWords(node)) endWord();
    }
    measureAttributes(element, tag);
    styleElement_ = tree_.nodes()[element].kind == ElementKind::Style && !tag.selfClosing;
    styleText_.clear();
    styleReads_ = 0;
  }

  void close(const HtmlTag& tag) {
    if (styleElement_) {
      // The engine reads the open style element's text at every closing tag that follows it
      // directly: twice would be the same sheet twice.
      if (styleReads_++ > 0) return fail(PageProblem::UnusualMarkup);
      addStyles(measureStyleSheet(styleText_), true);
    }
    if (const std::size_t closed = tree_.close(tag.name)) {
      styleElement_ = false;
      nameless_ = false;
      if (breaksWords(tree_.nodes()[closed])) endWord();
    }
  }

  void measureAttributes(std::size_t element, const HtmlTag& tag) {
    const RichTextNode& node = tree_.nodes()[element];
    double width = 0;
    double height = -1;
    for (const auto& [name, value] : tag.attributes) {
      if (isNumericAttribute(name)) {
        const double number = largestNumberIn(value);
        if (!(number <= kMaxNumber)) return fail(PageProblem::HugeNumber);
        if (name == "width") width = number;
        if (name == "height") height = std::max(height, number);
        if (name == "border" || name == "cellpadding" || name == "cellspacing")
          height_ += 2 * number;
      } else if (name == "style") {
        const StyleDemand style = measureDeclarations(value);
        height_ += style.lengthSum;
        addStyles(style, false);
      } else if (name == "href" && node.kind == ElementKind::Link) {
        useStyleSheet(value);
      }
      if (problem_ != PageProblem::None) return;
    }
    if (node.kind == ElementKind::Picture) {
      const double side = static_cast<double>(kMaxPictureSide);
      height_ += height >= 0 ? height : width > 0 ? width * kMaxPictureAspect : side;
    } else if (height > 0) {
      height_ += height;
    }
  }

  void addStyles(const StyleDemand& style, bool sheet) {
    if (style.engineProperties) return fail(PageProblem::UnusualMarkup);
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
    sheetBytes_ += static_cast<double>(sheet->size());
    addStyles(measureStyleSheet(*sheet), true);
  }

  // The work and height estimates, once the whole page is known: every node weighed by the
  // deepest table frame the engine lays its text out in.
  void weigh(std::size_t bytes, PageDemand& demand) {
    endWord();
    const std::vector<RichTextNode>& nodes = tree_.nodes();
    const TableLayout tables =
        layOutTables(nodes, static_cast<std::uint64_t>(kMaxLayoutWork / kTableCellWork));
    if (tables.tooManyCells) return fail(PageProblem::TooMuchWork);
    demand.tableDepth = std::max(demand.tableDepth, tables.deepestFrame);
    if (tables.deepestFrame > kMaxTableDepth) return fail(PageProblem::TablesTooDeep);
    double work = static_cast<double>(bytes) + sheetBytes_;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
      const double weight = tableWeight(std::max(nodes[i].tableDepth, tables.frameDepth[i]));
      work += nodeWork_[i].textBytes * (weight - 1) + nodeWork_[i].words * weight;
      if (i > 0) work += kElementWork * weight;
      if (tables.cells[i] == 0) continue;
      demand.tableCells += tables.cells[i];
      work += static_cast<double>(tables.cells[i]) * kTableCellWork *
              tableWeight(tables.frameDepth[i] - 1);
    }
    // The engine gathers an element's style from the element and every ancestor, trying each
    // selector on each (a class selector looks through the class attribute's words).
    const double selectorStep = 1 + longestValue_ / kSelectorStepBytes;
    work += ancestorSteps_ * kSelectorStepWork *
            (1 + static_cast<double>(demand.selectors) * selectorStep);
    const double lineHeight = std::max({kLineHeight, 1.5 * styles_.fontSize, styles_.lineHeight}) *
                              std::max(1.0, styles_.lineHeightFactor);
    const double elements = static_cast<double>(demand.elements);
    demand.height = height_ + elements * sheetLengths_ + (lines_ + elements) * lineHeight;
    demand.work =
        work >= 1e18 ? std::numeric_limits<std::uint64_t>::max() : static_cast<std::uint64_t>(work);
    if (demand.height > kMaxPageHeight) fail(PageProblem::TooTall);
    if (work > static_cast<double>(kMaxLayoutWork)) fail(PageProblem::TooMuchWork);
  }

  const StyleSheetReader& readStyleSheet_;
  PageProblem problem_ = PageProblem::None;
  PageDemand demand_;
  RichTextTree tree_;
  std::vector<NodeWork> nodeWork_;  // by node, the root's first
  bool styleElement_ = false;       // the style element just opened still takes the text
  bool nameless_ = false;           // the last element has no name and holds no text
  std::string styleText_;
  int styleReads_ = 0;
  std::set<std::string> usedSheets_;
  StyleDemand styles_;
  double sheetBytes_ = 0;
  double sheetLengths_ = 0;
  double ancestorSteps_ = 0;
  double longestValue_ = 0;  // of any attribute
  double height_ = 0;
  double lines_ = 0;
  std::size_t word_ = 0;
  std::size_t wordOwner_ = 0;  // the node the word being read ends in
};

}  // namespace

PageCheck checkPage(std::string_view html, const StyleSheetReader& readStyleSheet) {
  PageCheck check;
  check.demand.bytes = html.size();
  // Every byte is at least one unit of work; the engine takes only the part of a page between
  // these markers, which would not be the page measured.
  if (html.size() > kMaxLayoutWork) check.problem = PageProblem::TooMuchWork;
  if (html.find("<!--StartFragment-->") != std::string_view::npos)
    check.problem = PageProblem::UnusualMarkup;
  if (!check.fits()) return check;
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
