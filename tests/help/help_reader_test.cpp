// The help reader on the help file the build compiled (its contents, topics, search and every
// page's references), its reading ended by a timeout or a stop, sitemaps and page text.
#include <gtest/gtest.h>

#include <filesystem>
#include <stop_token>

#include "help/help_book.h"
#include "help/html_scan.h"

namespace vantro::help {
namespace {

const std::filesystem::path kHelpFile = VANTRO_HELP_FILE;
const std::string kLicence = "/html Docs/License_Agreement.htm";

class HelpReaderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { book = HelpBook::openFile(kHelpFile).release(); }
  static void TearDownTestSuite() { delete book; }
  void SetUp() override { ASSERT_NE(book, nullptr); }
  static inline HelpBook* book = nullptr;
};

void expectPagesExist(const HelpBook& book, const std::vector<ContentsEntry>& entries) {
  for (const ContentsEntry& entry : entries) {
    EXPECT_FALSE(entry.title.empty());
    if (!entry.topicPath.empty()) {
      EXPECT_TRUE(book.findTopic(entry.topicPath)) << entry.topicPath;
    }
    expectPagesExist(book, entry.children);
  }
}

TEST_F(HelpReaderTest, ListsContentsWhosePagesAreInTheFile) {
  ASSERT_FALSE(book->contents().empty());
  expectPagesExist(*book, book->contents());
  EXPECT_EQ(book->startPage(), *book->findTopic(book->contents().front().topicPath));
}

TEST_F(HelpReaderTest, FindsTopicsWithoutRegardToCase) {
  const struct {
    std::string asked;
    std::optional<std::string> found;
  } cases[] = {
      {kLicence, kLicence},
      {"/HTML DOCS/license_agreement.HTM", kLicence},
      {"html Docs\\License_Agreement.htm", kLicence},
      {"/html Docs/License_Agreement.htm#top", kLicence},
      {"/html Docs/No_Such_Page.htm", std::nullopt},
      {"/License_Agreement.htm", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(book->findTopic(c.asked), c.found) << c.asked;
  const auto page = book->read("/HTML Docs/License_agreement.htm");
  ASSERT_TRUE(page);
  EXPECT_NE(pageText(*page).find("License"), std::string::npos);
  EXPECT_FALSE(book->read("/html Docs/No_Such_Page.htm"));
}

TEST_F(HelpReaderTest, SearchNeedsEveryWordInAnyCase) {
  const auto licence = [](const std::vector<SearchHit>& hits) {
    return std::count_if(hits.begin(), hits.end(),
                         [](const SearchHit& hit) { return hit.topicPath == kLicence; });
  };
  EXPECT_EQ(licence(book->search("license agreement")), 1);
  EXPECT_EQ(licence(book->search("  LICENSE  ")), 1);
  EXPECT_TRUE(book->search("license qqzzxxnotaword").empty());
  EXPECT_TRUE(book->search("   ").empty());
}

std::string percentDecoded(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escape = text[i] == '%' && i + 2 < text.size() &&
                        std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                        std::isxdigit(static_cast<unsigned char>(text[i + 2]));
    out += escape ? static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)) : text[i];
    if (escape) i += 2;
  }
  return out;
}

bool isExternal(const std::string& reference) {
  const std::size_t colon = reference.find(':');
  return colon != std::string::npos && colon < reference.find('/') && reference.find("::") != colon;
}

// Every link, picture and style sheet of every page of the built help file is in the file.
using HelpLinksTest = HelpReaderTest;
TEST_F(HelpLinksTest, EveryReferenceOfEveryPageIsInTheFile) {
  int checked = 0;
  for (const std::string& page : book->pages()) {
    const std::string folder = page.substr(0, page.rfind('/') + 1);
    std::vector<std::string> references;
    scanHtml(
        *book->read(page),
        [&](const HtmlTag& tag) {
          const char* attribute = tag.name == "a" || tag.name == "link"       ? "href"
                                  : tag.name == "img" || tag.name == "script" ? "src"
                                                                              : nullptr;
          if (attribute && !tag.closing) references.push_back(tag.attribute(attribute));
        },
        [](std::string_view) {});
    for (const std::string& reference : references) {
      if (reference.empty() || reference[0] == '#' || isExternal(reference)) continue;
      const std::string target =
          percentDecoded(reference[0] == '/' ? reference : folder + reference);
      EXPECT_TRUE(book->findTopic(target)) << page << " refers to missing " << reference;
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}

// Damaged files are refused in the help viewer's tests; here the child process that reads one.
TEST(HelpReaderRefuses, AReadThatTakesTooLongOrIsStopped) {
  EXPECT_EQ(openChmArchive(kHelpFile, 0), nullptr);
  std::stop_source stop;
  stop.request_stop();
  EXPECT_EQ(openChmArchive(kHelpFile, 10000, stop.get_token()), nullptr);
  EXPECT_NE(openChmArchive(kHelpFile), nullptr);
}

TEST(SitemapTest, NestedListsBecomeTheTree) {
  const auto tree = parseSitemap(R"(<ul>
    <li><object type="text/sitemap"><param name="Name" value="Start &amp; more">
        <param name="Local" value="html Docs\index.htm"></object>
    <ul><li><OBJECT type="text/sitemap"><PARAM NAME="local" VALUE="a/../b.htm#x">
        <param name="name" value='B'></OBJECT></ul>
    <li><object type="text/sitemap"><param name="Name" value="Heading"></object>
    </ul></ul></ul><li><object type="text/sitemap"><param name="Name" value="Last"></object>)");
  ASSERT_EQ(tree.size(), 3u);
  EXPECT_EQ(tree[0].title, "Start & more");
  EXPECT_EQ(tree[0].topicPath, "/html Docs/index.htm");
  ASSERT_EQ(tree[0].children.size(), 1u);
  EXPECT_EQ(tree[0].children[0].title, "B");
  EXPECT_EQ(tree[0].children[0].topicPath, "/b.htm");
  EXPECT_EQ(tree[1].topicPath, "");
  EXPECT_EQ(tree[2].title, "Last");

  std::string deep;
  for (int i = 0; i < 1000; ++i)
    deep += R"(<ul><li><object type="text/sitemap"><param name="Name" value="x"></object>)";
  const auto deepTree = parseSitemap(deep);
  std::size_t depth = 0;
  for (auto* level = &deepTree; !level->empty(); level = &level->back().children) ++depth;
  EXPECT_EQ(depth, kMaxContentsDepth);
}

TEST(HtmlScanTest, TextAndTitleOfAPage) {
  const std::string page =
      "<html><head><title> A &lt;b&gt;\n title</title><style>p{}</style></head>"
      "<body><!-- hidden --><p>Caf&eacute;&#32;&#x41;&nbsp;x</p><script>var s;</script>"
      "<p>two&bogus; <b>words</b></p></body></html>";
  EXPECT_EQ(pageTitle(page), "A <b> title");
  EXPECT_EQ(pageText(page), "Caf\xC3\xA9 A\xC2\xA0x two&bogus; words");
}

}  // namespace
}  // namespace vantro::help
