#pragma once
// A forgiving scan of HTML: the tags with their attributes, the text between them, character
// references decoded. Enough for help pages and sitemap files; not a conforming HTML parser.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantro::help {

struct HtmlTag {
  std::string name;  // lower case, without the "/" of a closing tag
  bool closing = false;
  std::vector<std::pair<std::string, std::string>> attributes;  // names in lower case

  // The value of an attribute, entities decoded; empty when absent.
  std::string attribute(std::string_view name) const;
};

// Calls `onTag` for each tag and `onText` for each run of text between tags, in order.
// Comments, declarations and processing instructions are skipped.
void scanHtml(std::string_view html, const std::function<void(const HtmlTag&)>& onTag,
              const std::function<void(std::string_view)>& onText);

// Replaces character references (&amp; &#233; &#xE9; and the common named ones) by their
// UTF-8 text; unknown ones stay as they are.
std::string decodeEntities(std::string_view text);

// The page's visible text (no tags, scripts or styles), entities decoded, runs of white space
// as one space.
std::string pageText(std::string_view html);

// The text of the page's <title>, trimmed; empty when it has none.
std::string pageTitle(std::string_view html);

}  // namespace vantro::help
