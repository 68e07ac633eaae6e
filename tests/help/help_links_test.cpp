// Every link, picture and style sheet of every page of the built help file is in the file.
#include <gtest/gtest.h>

#include "help/help_book.h"
#include "help/html_scan.h"

namespace vantro::help {
namespace {

std::string percentDecoded(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool isExternal(const std::string& reference) {
  const std::size_t colon = reference.find(':');
  return colon != std::string::npos && colon < reference.find('/') && reference.find("::") != colon;
}

TEST(HelpLinksTest, EveryReferenceOfEveryPageIsInTheFile) {
  const auto book = HelpBook::openFile(VANTRO_HELP_FILE);
  ASSERT_NE(book, nullptr);
  ASSERT_FALSE(book->pages().empty());
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

}  // namespace
}  // namespace vantro::help
