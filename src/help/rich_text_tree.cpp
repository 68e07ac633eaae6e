#include "help/rich_text_tree.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <optional>

namespace vantro::help {
namespace {

enum class Display { Inline, Block, Table, None };

struct KnownElement {
  std::string_view name;
  ElementKind kind;
  Display display;
};

using enum ElementKind;

// The engine's elements, sorted by name for the look-up; any other name is an inline element
// of no kind.
constexpr KnownElement kElements[] = {
    {"a", Other, Display::Inline},
    {"address", Other, Display::Inline},
    {"b", Other, Display::Inline},
    {"big", Other, Display::Inline},
    {"blockquote", Other, Display::Block},
    {"body", Body, Display::Block},
    {"br", Empty, Display::Inline},
    {"caption", Caption, Display::Block},
    {"center", Other, Display::Block},
    {"cite", Other, Display::Inline},
    {"code", Other, Display::Inline},
    {"dd", DefinitionItem, Display::Block},
    {"dfn", Other, Display::Inline},
    {"div", Other, Display::Block},
    {"dl", DefinitionList, Display::Block},
    {"dt", DefinitionItem, Display::Block},
    {"em", Other, Display::Inline},
    {"font", Other, Display::Inline},
    {"h1", Other, Display::Block},
    {"h2", Other, Display::Block},
    {"h3", Other, Display::Block},
    {"h4", Other, Display::Block},
    {"h5", Other, Display::Block},
    {"h6", Other, Display::Block},
    {"head", Head, Display::None},
    {"hr", Empty, Display::Block},
    {"html", Other, Display::Inline},
    {"i", Other, Display::Inline},
    {"img", Picture, Display::Inline},
    {"kbd", Other, Display::Inline},
    {"li", ListItem, Display::Block},
    {"link", Link, Display::None},
    {"meta", Empty, Display::None},
    {"nobr", Other, Display::Inline},
    {"ol", Other, Display::Block},
    {"p", Paragraph, Display::Block},
    {"pre", Other, Display::Block},
    {"qt", Body, Display::Block},
    {"s", Other, Display::Inline},
    {"samp", Other, Display::Inline},
    {"script", Other, Display::None},
    {"small", Other, Display::Inline},
    {"span", Other, Display::Inline},
    {"strong", Other, Display::Inline},
    {"style", Style, Display::None},
    {"sub", Other, Display::Inline},
    {"sup", Other, Display::Inline},
    {"table", Table, Display::Table},
    {"tbody", Section, Display::Table},
    {"td", Cell, Display::Block},
    {"tfoot", Section, Display::Table},
    {"th", HeaderCell, Display::Block},
    {"thead", Section, Display::Table},
    {"title", Other, Display::None},
    {"tr", Row, Display::Table},
    {"tt", Other, Display::Inline},
    {"u", Other, Display::Inline},
    {"ul", Other, Display::Block},
    {"var", Other, Display::Inline},
};

KnownElement lookUp(std::string_view name) {
  const auto found = std::lower_bound(
      std::begin(kElements), std::end(kElements), name,
      [](const KnownElement& element, std::string_view key) { return element.name < key; });
  if (found != std::end(kElements) && found->name == name) return *found;
  return {name, Unknown, Display::Inline};
}

// Where the engine lets an element stand; it climbs to an ancestor that allows it.
bool allowedIn(ElementKind element, ElementKind parent) {
  switch (element) {
    case DefinitionItem:
      return parent == DefinitionList;
    case Row:
      return parent == Table || parent == Section;
    case Cell:
    case HeaderCell:
      return parent == Row;
    case Section:
    case Caption:
      return parent == Table;
    case Body:
      return parent != Head;
    default:
      return true;
  }
}

bool takesNoContent(ElementKind kind) {
  return kind == Picture || kind == Empty;
}

// The engine's reading of a whole number: white space around it, a sign, digits, all within
// an int; nothing for anything else. It reads the text as a C string, up to a NUL.
std::optional<int> wholeNumber(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  while (const std::size_t length = whiteSpaceLength(text, 0)) text.remove_prefix(length);
  while (!text.empty()) {
    std::size_t last = text.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(text[last]) & 0xC0) == 0x80) --last;
    const std::size_t length = whiteSpaceLength(text, last);
    if (!length || last + length != text.size()) break;
    text.remove_suffix(length);
  }
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  value = negative ? -value : value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

RichTextTree::RichTextTree() {
  nodes_.emplace_back();
}

std::size_t RichTextTree::add(std::size_t parent, ElementKind kind, std::string_view tag,
                              bool listed) {
  const KnownElement element = lookUp(tag);
  RichTextNode node;
  node.parent = parent;
  node.kind = kind;
  node.tag = tag;
  node.depth = nodes_[parent].depth + 1;
  node.tableDepth = nodes_[parent].tableDepth + (kind == Table ? 1 : 0);
  if (listed) {
    node.hidden = nodes_[parent].hidden || element.display == Display::None;
    node.block = element.display == Display::Block && !node.hidden;
    node.inlineDisplay = element.display == Display::Inline;
    nodes_[parent].children.push_back(nodes_.size());
  }
  nodes_.push_back(std::move(node));
  return nodes_.size() - 1;
}

std::size_t RichTextTree::open(const HtmlTag& tag) {
  const KnownElement element = lookUp(tag.name);
  std::size_t parent = current_;
  const auto inside = [&](ElementKind kind) {
    for (std::size_t node = parent; node; node = nodes_[node].parent)
      if (nodes_[node].kind == kind) return true;
    return false;
  };
  // The engine gives the table and row it makes no properties: not even hidden in a head.
  // The table is not among its parent's children; the row is among the table's.
  if (element.kind == Cell && !inside(Row)) {
    const std::size_t table = add(parent, Table, "table", false);
    parent = add(table, Row, "tr", false);
    nodes_[table].children.push_back(parent);
  } else if (element.kind == Row && !inside(Table)) {
    parent = add(parent, Table, "table", false);
  }
  if (element.kind == Paragraph) {  // a paragraph ends the paragraph it is in
    std::size_t block = parent;
    while (block && !nodes_[block].block) block = nodes_[block].parent;
    if (block && nodes_[block].kind == Paragraph) parent = block;
  }
  if ((element.kind == Paragraph || element.kind == ListItem) &&
      nodes_[parent].kind == element.kind)
    parent = nodes_[parent].parent;
  while ((parent && !allowedIn(element.kind, nodes_[parent].kind)) ||
         takesNoContent(nodes_[parent].kind))
    parent = nodes_[parent].parent;
  const std::size_t node = add(parent, element.kind, tag.name, true);
  if (element.kind == Cell || element.kind == HeaderCell) {
    for (const auto& [name, value] : tag.attributes) {
      const auto number =
          name == "colspan" || name == "rowspan" ? wholeNumber(value) : std::nullopt;
      if (!number) continue;
      if (name == "colspan") nodes_[node].columnSpan = std::clamp(*number, 1, 20480);
      if (name == "rowspan") nodes_[node].rowSpan = std::max(*number, 1);
    }
  }
  if (!tag.name.empty()) current_ = takesNoContent(element.kind) || tag.selfClosing ? parent : node;
  return node;
}

std::size_t RichTextTree::close(std::string_view name) {
  if (name.empty()) return 0;
  for (std::size_t node = current_; node; node = nodes_[node].parent) {
    if (nodes_[node].tag == name) {
      current_ = nodes_[node].parent;
      return node;
    }
  }
  return 0;
}

}  // namespace vantro::help
