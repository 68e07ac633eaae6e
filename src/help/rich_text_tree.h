#pragma once
// The element tree that the page view's rich-text engine (Qt's) builds from markup, rebuilt
// by its parser's rules: where an element goes when the open one does not allow it, which
// elements close themselves, the table and row it makes for a cell or row outside a table.
// Its text nodes are left out; they change nothing of the tree's shape.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "help/html_scan.h"

namespace vantro::help {

enum class ElementKind {
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

struct RichTextNode {
  std::size_t parent = 0;
  ElementKind kind = ElementKind::Unknown;
  bool hidden = false;        // shown as nothing (a head, a title), and so everything inside
  bool block = false;         // the engine's block elements, which start a block of their own
  bool inlineDisplay = true;  // neither a block nor a table element
  std::string tag;
  std::size_t depth = 0;       // the root is 0
  std::size_t tableDepth = 0;  // tables among the node and its ancestors
  // The nodes the engine lists as this one's children, in order: every node whose parent
  // this is, except a table it made for a stray cell or row.
  std::vector<std::size_t> children;
  // Of a cell: its spans, as the engine reads the attributes.
  int columnSpan = 1;
  int rowSpan = 1;
};

class RichTextTree {
 public:
  RichTextTree();

  // Adds the element `tag` opens, after the table and row the engine makes for it if it is a
  // stray cell or row; returns its node. An element without a name is a node that only holds
  // text; an empty or self-closing one leaves its parent open.
  std::size_t open(const HtmlTag& tag);
  // Closes the innermost open element of that name and all inside it; returns that element,
  // or 0 when none is open.
  std::size_t close(std::string_view name);

  // The root first, then every node in the order the engine made them.
  const std::vector<RichTextNode>& nodes() const { return nodes_; }
  // The element that text and the next element go into.
  std::size_t current() const { return current_; }

 private:
  std::size_t add(std::size_t parent, ElementKind kind, std::string_view tag, bool listed);

  std::vector<RichTextNode> nodes_;
  std::size_t current_ = 0;
};

}  // namespace vantro::help
