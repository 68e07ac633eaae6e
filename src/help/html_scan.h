#pragma once
// A forgiving scan of HTML: the tags with their attributes, the text between them, character
// references decoded. It reads markup as the page view's rich-text engine does, down to its
// quirks ("< b>" is a tag, an unquoted value ends at "<", "=" or "/>", a single-quoted value
// keeps its references), so that what is measured here is what the view will build.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantro::help {

struct HtmlTag {
  std::string name;  // lower case, without the "/" of a closing tag
  bool closing = false;
  // A "/" stands before the tag's ">": an element that takes no content.
  bool selfClosing = false;
  // The name or an attribute name was quoted, held a character reference or a byte beyond
  // ASCII: markup no page needs, which the engine would still read as some element.
  bool unusualNames = false;
  // Names in lower case; values with references decoded except in single quotes; an attribute
  // without "=" has the value "1", one with an empty value is left out.
  std::vector<std::pair<std::string, std::string>> attributes;

  // The value of the first such attribute; empty when absent.
  std::string attribute(std::string_view name) const;
};

// Calls `onTag` for each tag and `onText` for each run of text between tags, in order.
// Comments and declarations ("<!...>") are skipped; every other "<" opens a tag.
void scanHtml(std::string_view html, const std::function<void(const HtmlTag&)>& onTag,
              const std::function<void(std::string_view)>& onText);

// Replaces character references (&amp; &#233; &#xE9; and the common named ones) by their
// UTF-8 text; unknown ones stay as they are.
std::string decodeEntities(std::string_view text);

// The length in bytes of the white-space character at text[position] as the engine counts
// it (ASCII tab to carriage return and space, and the Unicode separators); 0 for any other.
std::size_t whiteSpaceLength(std::string_view text, std::size_t position);

// The page's visible text (no tags, scripts or styles), entities decoded, runs of white space
// as one space.
std::string pageText(std::string_view html);

// The text of the page's <title>, trimmed; empty when it has none.
std::string pageTitle(std::string_view html);

}  // namespace vantro::help
