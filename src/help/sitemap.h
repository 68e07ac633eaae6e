#pragma once
// The table of contents and the index of a help file. Both are sitemaps (.hhc, .hhk): nested
// <UL> lists of <OBJECT type="text/sitemap"> entries with "Name" and "Local" parameters.

#include <string>
#include <string_view>
#include <vector>

namespace vantro::help {

struct ContentsEntry {
  std::string title;
  std::string topicPath;  // "/html Docs/index.htm"; empty for a heading without a page
  std::vector<ContentsEntry> children;
};

// Nesting deeper than this is kept at this depth: a crafted file cannot make the tree (and
// the recursion that walks it) arbitrarily deep.
inline constexpr std::size_t kMaxContentsDepth = 32;

std::vector<ContentsEntry> parseSitemap(std::string_view sitemap);

struct IndexTopic {
  std::string title;      // empty when the index names none
  std::string topicPath;  // "/html Docs/keyboard.htm"
  std::string fragment;   // the part after "#": the place on the page; often empty
};

// A keyword of the index, the pages it leads to and the keywords below it.
struct IndexEntry {
  std::string keyword;
  std::vector<IndexTopic> topics;
  std::vector<IndexEntry> children;
};

// An index entry is the keyword (its first "Name"), then its pages: a "Local" each, after the
// "Name" that titles it when there are several.
std::vector<IndexEntry> parseIndex(std::string_view sitemap);

// A path of the sitemap or of a link ("html Docs\index.htm", "html Docs/a.htm#part") as an
// archive path: "/" separators, a leading "/", no fragment or query, "." and ".." resolved.
std::string archivePath(std::string_view path);

}  // namespace vantro::help
