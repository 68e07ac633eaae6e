#include "help/sitemap.h"

#include <algorithm>

#include "help/html_scan.h"
#include "help/text_case.h"

namespace vantro::help {

std::vector<ContentsEntry> parseSitemap(std::string_view sitemap) {
  std::vector<ContentsEntry> roots;
  // Each level is the children of the last entry of the level below; only the top one grows,
  // so the pointers below it stay valid.
  std::vector<std::vector<ContentsEntry>*> levels{&roots};
  // Each open <UL>: true when it opened a level, false when it did not (the outer list, one
  // with no entry before it, one beyond the depth limit).
  std::vector<bool> openLists;
  bool inEntry = false;
  ContentsEntry entry;
  scanHtml(
      sitemap,
      [&](const HtmlTag& tag) {
        if (tag.name == "ul") {
          if (!tag.closing) {
            std::vector<ContentsEntry>& top = *levels.back();
            const bool opensLevel = !top.empty() && levels.size() < kMaxContentsDepth;
            if (opensLevel) levels.push_back(&top.back().children);
            openLists.push_back(opensLevel);
          } else if (!openLists.empty()) {
            if (openLists.back()) levels.pop_back();
            openLists.pop_back();
          }
        } else if (tag.name == "object") {
          if (!tag.closing && foldCase(tag.attribute("type")) == "text/sitemap") {
            inEntry = true;
            entry = {};
          } else if (tag.closing && inEntry) {
            inEntry = false;
            if (!entry.title.empty() || !entry.topicPath.empty())
              levels.back()->push_back(std::move(entry));
          }
        } else if (tag.name == "param" && inEntry) {
          const std::string name = foldCase(tag.attribute("name"));
          if (name == "name" && entry.title.empty()) entry.title = tag.attribute("value");
          if (name == "local" && entry.topicPath.empty())
            entry.topicPath = archivePath(tag.attribute("value"));
        }
      },
      [](std::string_view) {});
  return roots;
}

std::string archivePath(std::string_view path) {
  // "CalcHelp.chm::/html Docs/a.htm" names a page of the file itself.
  if (const std::size_t file = path.rfind("::"); file != std::string_view::npos)
    path.remove_prefix(file + 2);
  std::string cleaned(path.substr(0, path.find_first_of("#?")));
  std::replace(cleaned.begin(), cleaned.end(), '\\', '/');
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= cleaned.size()) {
    std::size_t end = cleaned.find('/', start);
    if (end == std::string::npos) end = cleaned.size();
    const std::string part = cleaned.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  if (parts.empty()) return {};
  std::string result;
  for (const std::string& part : parts) {
    result += '/';
    result += part;
  }
  return result;
}

}  // namespace vantro::help
