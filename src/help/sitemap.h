#pragma once
// The table of contents of a help file: its .hhc sitemap (nested <UL> lists of
// <OBJECT type="text/sitemap"> entries with "Name" and "Local" parameters) as a tree.

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

// A path of the sitemap or of a link ("html Docs\index.htm", "html Docs/a.htm#part") as an
// archive path: "/" separators, a leading "/", no fragment or query, "." and ".." resolved.
std::string archivePath(std::string_view path);

}  // namespace vantro::help
