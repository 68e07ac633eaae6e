// Feeds arbitrary bytes to the help reader as a compiled help file (through an in-memory
// file, read by chmlib in this process so that its faults show) and as a sitemap and a page.
// Nothing may crash or hang, and a few properties hold for every input: a file the reader accepts
// lists pages that it finds again by their own paths, search finds only pages, a sitemap's tree
// stays within its depth limit, archive paths are stable once cleaned, the index leads only to
// pages of the file, and a page the page limits let through is within every one of them (the
// bytes checked as a page, and each page of an accepted file with the file's style sheets).

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "help/help_book.h"
#include "help/html_scan.h"
#include "help/page_limits.h"
#include "help/sitemap.h"
#include "require.h"

using namespace vantro::help;

namespace {

using vantro::fuzz::require;

void checkAsPage(std::string_view html, const StyleSheetReader& readStyleSheet) {
  const PageCheck check = checkPage(html, readStyleSheet);
  if (!check.fits()) return;
  const PageDemand& demand = check.demand;
  require(demand.depth <= kMaxPageDepth, "a page that fits is within the depth limit");
  require(demand.tableDepth <= kMaxTableDepth, "a page that fits is within the table limit");
  require(demand.styleSheets <= kMaxStyleSheets, "a page that fits is within the sheet limit");
  require(demand.height <= kMaxPageHeight, "a page that fits is within the height limit");
  require(demand.work <= kMaxLayoutWork, "a page that fits is within the work limit");
}

std::size_t depthOf(const std::vector<ContentsEntry>& entries) {
  std::size_t deepest = 0;
  for (const ContentsEntry& entry : entries) {
    require(entry.topicPath.empty() || archivePath(entry.topicPath) == entry.topicPath,
            "a contents path is stable once cleaned");
    deepest = std::max(deepest, depthOf(entry.children));
  }
  return entries.empty() ? 0 : deepest + 1;
}

std::size_t depthOf(const std::vector<IndexEntry>& entries, const HelpBook* book = nullptr) {
  std::size_t deepest = 0;
  for (const IndexEntry& entry : entries) {
    for (const IndexTopic& topic : entry.topics) {
      require(archivePath(topic.topicPath) == topic.topicPath, "an index path is stable");
      require(!book || book->findTopic(topic.topicPath) == topic.topicPath, "index topic page");
      require(!book || !topic.title.empty(), "an index topic of the book has a title");
    }
    require(!book || !entry.topics.empty() || !entry.children.empty(), "a keyword leads on");
    deepest = std::max(deepest, depthOf(entry.children, book));
  }
  return entries.empty() ? 0 : deepest + 1;
}

void readAsHelpFile(const std::uint8_t* data, std::size_t size) {
  static const int file = memfd_create("fuzz_help", 0);
  require(file >= 0, "memfd_create");
  require(ftruncate(file, 0) == 0, "ftruncate");
  for (std::size_t written = 0; written < size;) {
    const ssize_t n = pwrite(file, data + written, size - written, off_t(written));
    require(n > 0, "pwrite");
    written += std::size_t(n);
  }
  const std::string path = "/proc/self/fd/" + std::to_string(file);

  auto archive = openChmArchiveInProcess(path);
  if (!archive) return;
  for (const std::string& member : archive->paths()) (void)archive->read(member);
  auto book = HelpBook::open(std::move(archive));
  if (!book) return;
  require(depthOf(book->contents()) <= kMaxContentsDepth, "contents depth within its limit");
  require(depthOf(book->index(), book.get()) <= kMaxContentsDepth, "index depth within its limit");
  for (const std::string& page : book->pages()) {
    require(book->findTopic(page) == page, "page");
    if (const auto html = book->read(page))
      checkAsPage(*html, [&](std::string_view reference) { return book->read(reference); });
  }
  for (const char* query : {"the", "a e", "calculator help"})
    for (const SearchHit& hit : book->search(query))
      require(book->findTopic(hit.topicPath) == hit.topicPath, "a hit is a page");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  readAsHelpFile(data, size);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  require(depthOf(parseSitemap(text)) <= kMaxContentsDepth, "sitemap depth within its limit");
  require(depthOf(parseIndex(text)) <= kMaxContentsDepth, "index depth within its limit");
  checkAsPage(text, [&](std::string_view) { return std::string(text); });
  (void)pageText(text);
  (void)pageTitle(text);
  const std::string cleaned = archivePath(text);
  require(archivePath(cleaned) == cleaned, "archive paths are stable once cleaned");
  return 0;
}
