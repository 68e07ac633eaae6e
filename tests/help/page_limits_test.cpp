// The page limits: pages made to be hostile are refused for the right reason, whatever spelling
// of the markup they hide behind; every page of the built help file fits.
#include <gtest/gtest.h>

#include <map>

#include "help/help_book.h"
#include "help/page_limits.h"
#include "help/style_scan.h"

namespace vantro::help {
namespace {

std::string repeated(const std::string& text, std::size_t count) {
  std::string out;
  out.reserve(text.size() * count);
  for (std::size_t i = 0; i < count; ++i) out += text;
  return out;
}

std::string nested(const std::string& opening, const std::string& closing, std::size_t count) {
  return repeated(opening, count) + "x" + repeated(closing, count);
}

TEST(PageLimitsTest, HostilePagesAreRefusedForWhatTheyAsk) {
  const std::string style9000 = "<p style=\"margin-top:9000px\">x</p>";
  const struct {
    const char* name;
    std::string html;
    PageProblem problem;
  } cases[] = {
      {"3,000 nested tables", nested("<table><tr><td>", "</td></tr></table>", 3000),
       PageProblem::TablesTooDeep},
      {"20,000 nested lists", nested("<ul><li>", "</li></ul>", 20000), PageProblem::TooDeep},
      {"256 nested inline elements", nested("<b>", "</b>", 256), PageProblem::None},
      {"257 nested inline elements", nested("<b>", "</b>", 257), PageProblem::TooDeep},
      {"unknown elements nest too", nested("<x>", "</x>", 257), PageProblem::TooDeep},
      {"processing instructions nest", repeated("<?x>", 257), PageProblem::TooDeep},
      {"6 nested tables", nested("<table><tr><td>", "</td></tr></table>", 6), PageProblem::None},
      // The engine makes a table for every cell or row outside one.
      {"cells closed by rows", repeated("<td>x</td></tr>", 9), PageProblem::TablesTooDeep},
      {"rows closed by tables", repeated("<tr><td>x</td></tr></table>", 9), PageProblem::None},
      // After a table whose cells are used up the engine inserts the next one inside it.
      {"tables after the last cell", "<table><tr><td>a</td></tr>" + repeated("<td>x</table>", 9),
       PageProblem::TablesTooDeep},
      {"a space after <", nested("< table><tr><td>", "</td></tr></table>", 9),
       PageProblem::TablesTooDeep},
      {"closing tags cut short", nested("<table><tr><td>", "</td</tr</table<", 9),
       PageProblem::TablesTooDeep},
      {"a quoted name", "<\"table\">", PageProblem::UnusualMarkup},
      {"an encoded name", "<&#116;able>", PageProblem::UnusualMarkup},
      {"an encoded attribute", "<td c&#111;lspan=9>", PageProblem::UnusualMarkup},
      {"a style element read twice", "<style>p{}</b></b></style>", PageProblem::UnusualMarkup},
      {"the engine's own properties", "<table style=\"-qt-table-type: frame\">",
       PageProblem::UnusualMarkup},
      {"a fragment of the page", "<p>x<!--StartFragment--><td>", PageProblem::UnusualMarkup},
      {"an empty element reused", "<table><tr><td>a</td><><td>b</table>",
       PageProblem::UnusualMarkup},
      {"an unescaped <= in text", "<p>a <= b</p>", PageProblem::None},
      {"a wide table", "<table><tr><td colspan=20000>x</td></tr><tr><td>y</td></tr></table>",
       PageProblem::TooMuchWork},
      {"a span after a no-break space",
       "<table><tr><td\xC2\xA0"
       "colspan=20000>x</td></tr><tr><td>y</td></tr></table>",
       PageProblem::TooMuchWork},
      {"a span written twice",
       "<table><tr><td colspan=1 colspan=20000>x</td></tr><tr><td>y</td></tr></table>",
       PageProblem::TooMuchWork},
      {"a 100 by 100 table",
       "<table>" + repeated("<tr>" + repeated("<td>1</td>", 100) + "</tr>", 100) + "</table>",
       PageProblem::TooMuchWork},
      {"a word of 50,000 bytes", "<p>" + std::string(50000, 'x') + "</p>",
       PageProblem::TooMuchWork},
      {"100,000 letters", "<p>" + repeated("x ", 100000) + "</p>", PageProblem::TooTall},
      {"a megabyte in one paragraph", "<p>" + repeated("lorem ipsum ", 90000) + "</p>",
       PageProblem::TooMuchWork},
      {"a cell padding of 10^8", "<table cellpadding=100000000><tr><td>x</td></tr></table>",
       PageProblem::HugeNumber},
      {"a width of 1e9", "<img src=a.png width=1e9>", PageProblem::HugeNumber},
      {"an infinite border", "<table border=inf>", PageProblem::HugeNumber},
      {"a margin of 10^9 pixels", "<p style=\"margin:1e9px\">x</p>", PageProblem::HugeNumber},
      {"1,000 margins of 9,000 pixels", repeated(style9000, 1000), PageProblem::TooTall},
      {"1,000 lines 10,000 pixels high",
       "<p style=\"line-height:10000px\">" + repeated("x<br>", 1000) + "</p>",
       PageProblem::TooTall},
      {"33 attributes", "<p" + repeated(" a=1", 33) + ">", PageProblem::TooManyAttributes},
      {"a class of 3,000 bytes", "<p class=\"" + std::string(3000, 'c') + "\">",
       PageProblem::TooManyAttributes},
      {"1,000 selectors for 1,000 deep elements",
       "<style>" + repeated(".c {}\n", 1000) + "</style>" + repeated("<div>", 100) +
           repeated("<span>x</span>", 1000),
       PageProblem::TooMuchWork},
  };
  for (const auto& c : cases) EXPECT_EQ(checkPage(c.html).problem, c.problem) << c.name;
}

TEST(PageLimitsTest, StyleSheetsAreMeasuredWithThePageOnceEach) {
  const std::map<std::string, std::string, std::less<>> sheets{
      {"a.css", "@import 'b.css'; p { color: red }"},
      {"b.css", "@import url(\"a.css\"); p, li { margin-top: 5px }"},
      {"huge.css", "p { margin-top: 1e9px }"},
  };
  const StyleSheetReader read = [&](std::string_view reference) -> std::optional<std::string> {
    const auto found = sheets.find(reference);
    if (found == sheets.end()) return std::nullopt;
    return found->second;
  };
  const PageCheck linked = checkPage("<link href=a.css><p>x</p>", read);
  EXPECT_TRUE(linked.fits());
  EXPECT_EQ(linked.demand.styleSheets, 2u);
  EXPECT_EQ(linked.demand.selectors, 3u);
  EXPECT_EQ(checkPage("<style>@import 'huge.css';</style>", read).problem, PageProblem::HugeNumber);
  std::string links;
  for (int i = 0; i <= 8; ++i) links += "<link href=s" + std::to_string(i) + ".css>";
  EXPECT_EQ(checkPage(links, read).problem, PageProblem::TooManyStyleSheets);
}

TEST(PageLimitsTest, EveryPageOfTheHelpFileFitsWellWithinTheLimits) {
  const auto book = HelpBook::openFile(VANTRO_HELP_FILE);
  ASSERT_NE(book, nullptr);
  for (const std::string& page : book->pages()) {
    const std::string folder = page.substr(0, page.rfind('/') + 1);
    const PageCheck check = checkPage(*book->read(page), [&](std::string_view reference) {
      return book->read(folder + std::string(reference));
    });
    EXPECT_TRUE(check.fits()) << page;
    EXPECT_EQ(check.demand.styleSheets, 1u) << page;
    EXPECT_LT(check.demand.work, kMaxLayoutWork / 8) << page;
    EXPECT_LT(check.demand.height, kMaxPageHeight / 4) << page;
  }
}

TEST(StyleScanTest, SelectorsImportsAndNumbers) {
  const struct {
    const char* css;
    std::size_t selectors;
    std::vector<std::string> imports;
    double largestNumber;
  } cases[] = {
      {"h1, h2 { font-size: 16pt } p { margin: 0 }", 3, {}, 16},
      {"@media screen { a { color: #123456 } b, i { top: 2px } }", 3, {}, 2},
      {"@import url(one.css); @import 'two.css' screen;", 0, {"one.css", "two.css"}, 0},
      {"p { background: url(picture1234567.png) } /* 99999 */", 1, {}, 0},
      {"p { margin: 1e5px; content: \"a{b}c\" } q {}", 2, {}, 100000},
      {"p { width: infpx }", 1, {}, std::numeric_limits<double>::infinity()},
      {".h1x2 { width: -3.5em }", 1, {}, 3.5},
  };
  for (const auto& c : cases) {
    const StyleDemand demand = measureStyleSheet(c.css);
    EXPECT_EQ(demand.selectors, c.selectors) << c.css;
    EXPECT_EQ(demand.imports, c.imports) << c.css;
    EXPECT_EQ(demand.largestNumber, c.largestNumber) << c.css;
  }
}

}  // namespace
}  // namespace vantro::help
