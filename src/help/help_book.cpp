#include "help/help_book.h"

#include <algorithm>
#include <sstream>

#include "help/html_scan.h"
#include "help/text_case.h"

namespace vantro::help {
namespace {

bool endsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool isPage(std::string_view path) {
  const std::string folded = foldCase(path);
  return endsWith(folded, ".htm") || endsWith(folded, ".html");
}

const ContentsEntry* firstWithPage(const std::vector<ContentsEntry>& entries,
                                   const HelpBook& book) {
  for (const ContentsEntry& entry : entries) {
    if (!entry.topicPath.empty() && book.findTopic(entry.topicPath)) return &entry;
    if (const ContentsEntry* child = firstWithPage(entry.children, book)) return child;
  }
  return nullptr;
}

}  // namespace

HelpBook::HelpBook(std::unique_ptr<HelpArchive> archive) : archive_(std::move(archive)) {}

std::unique_ptr<HelpBook> HelpBook::open(std::unique_ptr<HelpArchive> archive) {
  if (!archive) return nullptr;
  std::unique_ptr<HelpBook> book(new HelpBook(std::move(archive)));
  for (const std::string& path : book->archive_->paths()) {
    if (archivePath(path) != path || !book->topics_.emplace(foldCase(path), path).second) continue;
    if (isPage(path)) book->pages_.push_back(path);
    if (book->contents_.empty() && endsWith(foldCase(path), ".hhc"))
      if (const auto sitemap = book->archive_->read(path)) book->contents_ = parseSitemap(*sitemap);
  }
  if (const ContentsEntry* first = firstWithPage(book->contents_, *book))
    book->startPage_ = *book->findTopic(first->topicPath);
  else if (!book->pages_.empty())
    book->startPage_ = book->pages_.front();
  if (book->startPage_.empty() || !book->read(book->startPage_)) return nullptr;
  return book;
}

std::unique_ptr<HelpBook> HelpBook::openFile(const std::filesystem::path& file) {
  return open(openChmArchive(file));
}

std::optional<std::string> HelpBook::findTopic(std::string_view topicPath) const {
  const auto found = topics_.find(foldCase(archivePath(topicPath)));
  if (found == topics_.end()) return std::nullopt;
  return found->second;
}

std::optional<std::string> HelpBook::read(std::string_view path) const {
  return archive_->read(archivePath(path));
}

const std::vector<HelpBook::PageText>& HelpBook::pageTexts() const {
  if (!pageTexts_) {
    pageTexts_.emplace();
    for (const std::string& path : pages_) {
      const auto html = archive_->read(path);
      if (!html) continue;
      std::string title = pageTitle(*html);
      if (title.empty()) title = path.substr(path.rfind('/') + 1);
      std::string folded = foldCase(title + ' ' + pageText(*html));
      pageTexts_->push_back({path, std::move(title), std::move(folded)});
    }
  }
  return *pageTexts_;
}

std::vector<SearchHit> HelpBook::search(std::string_view query) const {
  std::vector<std::string> words;
  std::istringstream split{foldCase(query)};
  for (std::string word; split >> word;) words.push_back(word);
  std::vector<SearchHit> hits;
  if (words.empty()) return hits;
  for (const PageText& page : pageTexts()) {
    const bool all = std::all_of(words.begin(), words.end(), [&](const std::string& word) {
      return page.foldedText.find(word) != std::string::npos;
    });
    if (all) hits.push_back({page.title, page.path});
  }
  std::stable_sort(hits.begin(), hits.end(), [](const SearchHit& a, const SearchHit& b) {
    return foldCase(a.title) < foldCase(b.title);
  });
  return hits;
}

}  // namespace vantro::help
