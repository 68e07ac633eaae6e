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

// Keeps the topics whose page is in the book, in the book's spelling, titled by the page where
// the index gives no title; drops keywords left with no topic and no keyword below them.
void resolveIndex(std::vector<IndexEntry>& entries, const HelpBook& book,
                  std::unordered_map<std::string, std::string>& titles) {
  for (IndexEntry& entry : entries) {
    for (IndexTopic& topic : entry.topics) {
      const auto page = book.findTopic(topic.topicPath);
      topic.topicPath = page.value_or(std::string());
      if (!page || !topic.title.empty()) continue;
      auto [known, added] = titles.try_emplace(*page);
      if (added) {
        const auto html = book.read(*page);
        known->second = html ? pageTitle(*html) : std::string();
        if (known->second.empty()) known->second = page->substr(page->rfind('/') + 1);
      }
      topic.title = known->second;
    }
    std::erase_if(entry.topics, [](const IndexTopic& topic) { return topic.topicPath.empty(); });
    resolveIndex(entry.children, book, titles);
  }
  std::erase_if(entries, [](const IndexEntry& entry) {
    return entry.topics.empty() && entry.children.empty();
  });
}

// How often `word` occurs in `text`, occurrences not overlapping.
std::size_t occurrences(std::string_view text, std::string_view word) {
  std::size_t count = 0;
  for (std::size_t at = text.find(word); at != std::string_view::npos;
       at = text.find(word, at + word.size()))
    ++count;
  return count;
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
    if (book->index_.empty() && endsWith(foldCase(path), ".hhk"))
      if (const auto sitemap = book->archive_->read(path)) book->index_ = parseIndex(*sitemap);
  }
  std::unordered_map<std::string, std::string> titles;
  resolveIndex(book->index_, *book, titles);
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
      std::string foldedTitle = foldCase(title);
      std::string folded = foldedTitle + ' ' + foldCase(pageText(*html));
      pageTexts_->push_back({path, std::move(title), std::move(foldedTitle), std::move(folded)});
    }
  }
  return *pageTexts_;
}

std::vector<std::string> HelpBook::searchWords(std::string_view query) {
  std::vector<std::string> words;
  std::istringstream split{foldCase(query)};
  for (std::string word; split >> word;) words.push_back(word);
  return words;
}

std::vector<SearchHit> HelpBook::search(std::string_view query) const {
  const std::vector<std::string> words = searchWords(query);
  if (words.empty()) return {};
  struct Ranked {
    const PageText* page;
    std::size_t wordsInTitle = 0;
    std::size_t occurrences = 0;
  };
  std::vector<Ranked> found;
  for (const PageText& page : pageTexts()) {
    Ranked ranked{&page};
    bool all = true;
    for (const std::string& word : words) {
      const std::size_t count = occurrences(page.foldedText, word);
      all = all && count > 0;
      ranked.occurrences += count;
      if (page.foldedTitle.find(word) != std::string::npos) ++ranked.wordsInTitle;
    }
    if (all) found.push_back(ranked);
  }
  std::sort(found.begin(), found.end(), [](const Ranked& a, const Ranked& b) {
    if (a.wordsInTitle != b.wordsInTitle) return a.wordsInTitle > b.wordsInTitle;
    if (a.occurrences != b.occurrences) return a.occurrences > b.occurrences;
    if (a.page->foldedTitle != b.page->foldedTitle)
      return a.page->foldedTitle < b.page->foldedTitle;
    return a.page->path < b.page->path;
  });
  std::vector<SearchHit> hits;
  hits.reserve(found.size());
  for (const Ranked& ranked : found) hits.push_back({ranked.page->title, ranked.page->path});
  return hits;
}

}  // namespace vantro::help
