// The order of search results: pages whose title holds the words first, then pages where the
// words occur more often, then by title.
#include <gtest/gtest.h>

#include "files_archive.h"
#include "help/help_book.h"

namespace vantro::help {
namespace {

TEST(SearchRankingTest, TitleFirstThenOccurrencesThenTitle) {
  const auto page = FilesArchive::page;
  const auto book = HelpBook::open(
      std::make_unique<FilesArchive>(std::vector<std::pair<std::string, std::string>>{
          {"/a.htm", page("Alpha", "the rate and the rate and the rate")},
          {"/b.htm", page("Interest Rate", "one interest and no more")},
          {"/c.htm", page("Loans", "rate rate rate interest")},
          {"/d.htm", page("Rate tables", "a rate of interest")},
          {"/e.htm", page("Beta", "RATE rate interest interest interest")},
          {"/f.htm", page("Other", "nothing to find")},
          {"/g.htm", page("Gamma", "rates of interest")},
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
