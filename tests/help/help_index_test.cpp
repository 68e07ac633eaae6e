// The help file's index: keywords read from the sitemap, each with its pages and the keywords
// below it; the built file's index.
#include <gtest/gtest.h>

#include <set>

#include "help/help_book.h"
#include "help/html_scan.h"

namespace vantro::help {
namespace {

// "keyword[title=path#fragment, ...]{children}", titles and fragments only where present.
std::string describe(const std::vector<IndexEntry>& entries) {
  std::string text;
  for (const IndexEntry& entry : entries) {
    if (!text.empty()) text += ' ';
    text += entry.keyword + '[';
    for (std::size_t i = 0; i < entry.topics.size(); ++i) {
      const IndexTopic& topic = entry.topics[i];
      if (i > 0) text += ", ";
      if (!topic.title.empty()) text += topic.title + '=';
      text += topic.topicPath;
      if (!topic.fragment.empty()) text += '#' + topic.fragment;
    }
    text += ']';
    if (!entry.children.empty()) text += '{' + describe(entry.children) + '}';
  }
  return text;
}

// The places of a page that a link's fragment can name: its elements' ids and anchors' names.
std::set<std::string> placesOf(const std::string& html) {
  std::set<std::string> places;
  scanHtml(
      html,
      [&](const HtmlTag& tag) {
        if (tag.closing) return;
        places.insert(tag.attribute("id"));
        if (tag.name == "a") places.insert(tag.attribute("name"));
      },
      [](std::string_view) {});
  return places;
}

const char* const kIndex = R"(<ul>
  <li><object type="text/sitemap"><param name="Name" value="Copy &amp; paste">
      <param name="Local" value="html Docs\menus.htm#edit"></object>
  <li><OBJECT type="text/sitemap"><PARAM NAME="name" VALUE="Keys">
      <param name="Name" value="Keyboard"><param name="Local" value="keyboard.htm">
      <param name="Name" value="Help window"><param name="Local" value="menus.htm#help">
      <param name="Name" value="Title without a page"></OBJECT>
    <ul><li><object type="text/sitemap"><param name="Name" value="numeric keypad">
        <param name="Local" value="./keyboard.htm#pad"></object></ul>
  <li><object type="text/sitemap"><param name="Local" value="no_keyword.htm"></object>
  <li><object type="text/sitemap"><param name="Name" value="Heading"></object>
</ul>)";

TEST(HelpIndexTest, KeywordsWithTheirPagesAndSubKeywords) {
  EXPECT_EQ(describe(parseIndex(kIndex)),
            "Copy & paste[/html Docs/menus.htm#edit] "
            "Keys[Keyboard=/keyboard.htm, Help window=/menus.htm#help]"
            "{numeric keypad[/keyboard.htm#pad]} Heading[]");
}

// Every topic of the built file's index is a page of the file, and every place it names is on
// its page.
TEST(HelpIndexTest, TheBuiltFileLeadsToItsPages) {
  const auto built = HelpBook::openFile(VANTRO_HELP_FILE);
  ASSERT_NE(built, nullptr);
  ASSERT_FALSE(built->index().empty());
  std::size_t withSeveralPages = 0;
  for (const IndexEntry& entry : built->index()) {
    EXPECT_FALSE(entry.topics.empty()) << entry.keyword;
    for (const IndexTopic& topic : entry.topics) {
      EXPECT_EQ(built->findTopic(topic.topicPath), topic.topicPath) << entry.keyword;
      if (!topic.fragment.empty()) {
        EXPECT_TRUE(placesOf(*built->read(topic.topicPath)).contains(topic.fragment))
            << entry.keyword << " names no place on its page: " << topic.fragment;
      }
    }
    if (entry.topics.size() > 1) ++withSeveralPages;
  }
  EXPECT_GT(withSeveralPages, 0u);
}

}  // namespace
}  // namespace vantro::help
