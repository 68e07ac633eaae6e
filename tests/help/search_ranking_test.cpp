// The order of search results: pages whose title holds the words first, then pages where the
// words occur more often, then by title.
#include <gtest/gtest.h>

#include <map>

#include "help/help_archive.h"
#include "help/help_book.h"

namespace vantro::help {
namespace {

// Pages held in memory, in the given order.
class PagesArchive : public HelpArchive {
 public:
  explicit PagesArchive(const std::vector<std::pair<std::string, std::string>>& titledTexts) {
    for (const auto& [path, titleAndText] : titledTexts) {
      paths_.push_back(path);
      const auto bar = titleAndText.find('|');
      files_[path] = "<html><head><title>" + titleAndText.substr(0, bar) +
                     "</title></head><body><p>" + titleAndText.substr(bar + 1) +
                     "</p></body></html>";
    }
  }
  std::optional<std::string> read(std::string_view path) const override {
    const auto found = files_.find(std::string(path));
    return found == files_.end() ? std::nullopt : std::optional(found->second);
  }
  const std::vector<std::string>& paths() const override { return paths_; }

 private:
  std::vector<std::string> paths_;
  std::map<std::string, std::string> files_;
};

TEST(SearchRankingTest, TitleFirstThenOccurrencesThenTitle) {
  const auto book = HelpBook::open(
      std::make_unique<PagesArchive>(std::vector<std::pair<std::string, std::string>>{
          {"/a.htm", "Alpha|the rate and the rate and the rate"},
          {"/b.htm", "Interest Rate|one interest and no more"},
          {"/c.htm", "Loans|rate rate rate interest"},
          {"/d.htm", "Rate tables|a rate of interest"},
          {"/e.htm", "Beta|RATE rate interest interest interest"},
          {"/f.htm", "Other|nothing to find"},
          {"/g.htm", "Gamma|rates of interest"},
      }));
  ASSERT_NE(book, nullptr);
  const struct {
    const char* query;
    std::vector<std::string> titles;
  } cases[] = {
      // Title hits first; among the others three occurrences come before two, ties by title.
      {"rate", {"Rate tables", "Interest Rate", "Alpha", "Loans", "Beta", "Gamma"}},
      // Both words in the title, then one, then none; the occurrences of both words add up.
      {"interest rate", {"Interest Rate", "Rate tables", "Beta", "Loans", "Gamma"}},
      {"RATES", {"Gamma"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> titles;
    for (const SearchHit& hit : book->search(c.query)) titles.push_back(hit.title);
    EXPECT_EQ(titles, c.titles) << c.query;
  }
}

}  // namespace
}  // namespace vantro::help
