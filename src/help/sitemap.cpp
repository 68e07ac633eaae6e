#include "help/sitemap.h"

#include <algorithm>

#include "help/html_scan.h"
#include "help/text_case.h"

namespace vantro::help {

namespace {

// The entries of a sitemap as a tree. `onParam(entry, name, value)` takes each <PARAM> of an
// entry, its name folded to lower case; `keep(entry)` says at its end whether it stays.
template <typename Entry, typename OnParam, typename Keep>
std::vector<Entry> parseEntries(std::string_view sitemap, OnParam onParam, Keep keep) {
  std::vector<Entry> roots;
  // Each level is the children of the last entry of the level below; only the top one grows,
  // so the pointers below it stay valid.
  std::vector<std::vector<Entry>*> levels{&roots};
  // Each open <UL>: true when it opened a level, false when it did not (the outer list, one
  // with no entry before it, one beyond the depth limit).
  std::vector<bool> openLists;
  bool inEntry = false;
  Entry entry;
  scanHtml(
      sitemap,
      [&](const HtmlTag& tag) {
        if (tag.name == "ul") {
          if (!tag.closing) {
            std::vector<Entry>& top = *levels.back();
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
            if (keep(entry)) levels.back()->push_back(std::move(entry));
          }
        } else if (tag.name == "param" && inEntry) {
          onParam(entry, foldCase(tag.attribute("name")), tag.attribute("value"));
        }
      },
      [](std::string_view) {});
  return roots;
}

std::string fragmentOf(std::string_view path) {
  const std::size_t hash = path.find('#');
  if (hash == std::string_view::npos) return {};
  const std::string_view fragment = path.substr(hash + 1);
  return std::string(fragment.substr(0, fragment.find('?')));
}

}  // namespace

std::vector<ContentsEntry> parseSitemap(std::string_view sitemap) {
  return parseEntries<ContentsEntry>(
      sitemap,
      [](ContentsEntry& entry, const std::string& name, std::string value) {
        if (name == "name" && entry.title.empty()) {
          entry.title = std::move(value);
        } else if (name == "local" && entry.topicPath.empty()) {
          entry.topicPath = archivePath(value);
        }
      },
      [](const ContentsEntry& entry) { return !entry.title.empty() || !entry.topicPath.empty(); });
}

std::vector<IndexEntry> parseIndex(std::string_view sitemap) {
  return parseEntries<IndexEntry>(
      sitemap,
      [](IndexEntry& entry, const std::string& name, std::string value) {
        if (name == "name") {
          if (entry.keyword.empty())
            entry.keyword = std::move(value);
          else
            entry.topics.push_back({std::move(value), {}, {}});  // titles the next "Local"
        } else if (name == "local") {
          const bool titled = !entry.topics.empty() && entry.topics.back().topicPath.empty();
          if (!titled) entry.topics.emplace_back();
          entry.topics.back().topicPath = archivePath(value);
          entry.topics.back().fragment = fragmentOf(value);
        }
      },
      [](IndexEntry& entry) {
        std::erase_if(entry.topics,
                      [](const IndexTopic& topic) { return topic.topicPath.empty(); });
        return !entry.keyword.empty();
      });
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
