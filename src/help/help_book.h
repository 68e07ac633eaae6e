#pragma once
// A help file as the viewer uses it: its table of contents, its pages by topic path and a
// search over the pages' text.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "help/help_archive.h"
#include "help/sitemap.h"

namespace vantro::help {

struct SearchHit {
  std::string title;
  std::string topicPath;
};

class HelpBook {
 public:
  // Nothing when the archive has no page to show.
  static std::unique_ptr<HelpBook> open(std::unique_ptr<HelpArchive> archive);
  // openChmArchive, then open.
  static std::unique_ptr<HelpBook> openFile(const std::filesystem::path& file);

  const std::vector<ContentsEntry>& contents() const { return contents_; }
  // The index: only topics whose page is in the file, each with a title (the page's own when
  // the index gives none), paths in the archive's spelling; no keyword that leads nowhere.
  const std::vector<IndexEntry>& index() const { return index_; }
  // The page shown at the contents: the first page of the table of contents, else the first
  // page of the archive.
  const std::string& startPage() const { return startPage_; }
  // The archive's own spelling of a topic path given in any case, with or without its leading
  // "/"; nothing when the file has no such file.
  std::optional<std::string> findTopic(std::string_view topicPath) const;
  // A file of the archive (page, picture, stylesheet) by its archive path, in any case.
  std::optional<std::string> read(std::string_view path) const;
  // The pages whose title or text holds every word of `query`, without regard to case: first
  // those whose title holds more of the words, then those where the words occur more often,
  // then in the order of their titles. An empty query finds nothing.
  std::vector<SearchHit> search(std::string_view query) const;
  // The words that search looks for in `query`, folded to lower case.
  static std::vector<std::string> searchWords(std::string_view query);
  // Every HTML page of the archive.
  const std::vector<std::string>& pages() const { return pages_; }

 private:
  struct PageText {
    std::string path;
    std::string title;
    std::string foldedTitle;
    std::string foldedText;  // the title, then the page's text
  };
  explicit HelpBook(std::unique_ptr<HelpArchive> archive);
  const std::vector<PageText>& pageTexts() const;

  std::unique_ptr<HelpArchive> archive_;
  std::vector<ContentsEntry> contents_;
  std::vector<IndexEntry> index_;
  // Every file that a topic path can name, by its folded path: the first of names that differ
  // only in case, and none whose name a link could not spell ("#", "?", "\\", "..").
  std::unordered_map<std::string, std::string> topics_;
  std::vector<std::string> pages_;
  std::string startPage_;
  mutable std::optional<std::vector<PageText>> pageTexts_;  // read at the first search
};

}  // namespace vantro::help
