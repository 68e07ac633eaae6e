// The help window's page view laying out pages at the page limits (help/page_limits.h), against
// the largest page of the program's own help file as the baseline, in the same run. Each page
// is generated as large as the limits let it be in one direction (the deepest nesting of
// tables, lists or inline elements, the most bytes, elements, table cells, selectors, the
// longest words, the tallest page, the most pictures) and opened as the help window opens it:
// checked, parsed, laid out to its end and painted. None may take more than half a second.
// Two refused pages show what the check and the notice cost.
// Runs on the offscreen platform unless the caller chose one.

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QTest>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "help/page_limits.h"
#include "qt/help/help_browser.h"
#include "qt_bench_main.h"

namespace {

using vantro::help::HelpArchive;
using vantro::help::HelpBook;

class GeneratedArchive final : public HelpArchive {
 public:
  void add(std::string path, std::string contents) {
    if (files_.emplace(path, std::move(contents)).second) paths_.push_back(std::move(path));
  }
  std::optional<std::string> read(std::string_view path) const override {
    const auto found = files_.find(std::string(path));
    if (found == files_.end()) return std::nullopt;
    return found->second;
  }
  const std::vector<std::string>& paths() const override { return paths_; }

 private:
  std::map<std::string, std::string> files_;
  std::vector<std::string> paths_;
};

std::string repeated(const std::string& text, std::size_t count) {
  std::string out;
  out.reserve(text.size() * count);
  for (std::size_t i = 0; i < count; ++i) out += text;
  return out;
}

// The largest `n` for which `page(n)` fits the limits.
std::size_t largestFitting(const std::function<std::string(std::size_t)>& page) {
  const auto fits = [&](std::size_t n) { return vantro::help::checkPage(page(n)).fits(); };
  std::size_t low = 0;
  std::size_t high = 1;
  while (fits(high)) {
    low = high;
    high *= 2;
  }
  while (high - low > 1) {
    const std::size_t middle = low + (high - low) / 2;
    (fits(middle) ? low : high) = middle;
  }
  return low;
}

const std::string kSentence = "The quick brown fox jumps over the lazy dog, again and again. ";

std::string nestedWithText(const std::string& opening, const std::string& closing,
                           std::size_t levels, std::size_t sentences) {
  return repeated(opening, levels) + repeated(kSentence, sentences) + repeated(closing, levels);
}

// The deepest nesting `opening` allows, filled with as much text as then still fits.
std::string deepest(const std::string& opening, const std::string& closing) {
  const std::size_t levels =
      largestFitting([&](std::size_t n) { return nestedWithText(opening, closing, n, 1); });
  const std::size_t sentences =
      largestFitting([&](std::size_t n) { return nestedWithText(opening, closing, levels, n); });
  return nestedWithText(opening, closing, levels, sentences);
}

std::string mostOf(const std::string& head, const std::string& unit, const std::string& tail) {
  const std::size_t count =
      largestFitting([&](std::size_t n) { return head + repeated(unit, n) + tail; });
  return head + repeated(unit, count) + tail;
}

// Tables three deep, each cell of each holding the next: the nesting multiplies the cells.
std::string tableTree(std::size_t side) {
  std::string table = "x";
  for (int level = 0; level < 3; ++level)
    table = "<table border=\"1\">" +
            repeated("<tr>" + repeated("<td>" + table + "</td>", side) + "</tr>", side) +
            "</table>";
  return table;
}

std::string squareTable(std::size_t side) {
  return "<table border=\"1\">" +
         repeated("<tr>" + repeated("<td>12.50</td>", side) + "</tr>", side) + "</table>";
}

// Selectors of a class alone, tried on every element and ancestor, and of a class above a
// paragraph, each of which climbs the ancestors; the classes as long as values may be.
std::string selectorsOverDeepElements(std::size_t selectors) {
  std::string css;
  for (std::size_t i = 0; i < selectors; ++i)
    css += ".c" + std::to_string(i) + (i % 2 ? " p" : "") + " { color: red }\n";
  return "<style>" + css + "</style>" +
         repeated("<div class=\"" + std::string(vantro::help::kMaxAttributeBytes, 'c') + "\">",
                  60) +
         repeated("<p class=\"c1 c2\">x</p>", 200) + repeated("</div>", 60);
}

std::string picture(int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * seed, y + seed, x ^ y));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

// The generated pages by archive path, and the book that holds them with their pictures.
struct GeneratedBook {
  std::map<std::string, std::string> pages;
  std::shared_ptr<const HelpBook> book;
};

GeneratedBook generatedBook() {
  GeneratedBook generated;
  auto archive = std::make_unique<GeneratedArchive>();
  archive->add("/blank.htm", "<p>blank</p>");
  const auto add = [&](const std::string& name, const std::string& html) {
    archive->add("/" + name + ".htm", html);
    generated.pages.emplace("/" + name + ".htm", html);
  };
  add("tables", deepest("<table border=\"1\"><tr><td>a</td><td>", "</td></tr></table>"));
  const std::string table = "<table border=\"1\"><tr><td>a</td><td>";
  const std::string tableEnd = "</td></tr></table>";
  add("text_4_tables_deep", nestedWithText(table, tableEnd, 4, largestFitting([&](std::size_t n) {
                                             return nestedWithText(table, tableEnd, 4, n);
                                           })));
  add("table_tree", tableTree(largestFitting(tableTree)));
  add("lists", deepest("<ul><li>", "</li></ul>"));
  add("inline_elements", deepest("<b>", "</b>"));
  add("paragraphs", mostOf("", "<p>" + kSentence + kSentence + "</p>\n", ""));
  add("one_paragraph", mostOf("<p>", kSentence, "</p>"));
  add("elements", mostOf("<p>", "<b>x</b> ", "</p>"));
  add("table_cells", squareTable(largestFitting(squareTable)));
  add("long_words", mostOf("<p>", std::string(8192, 'w') + " ", "</p>"));
  add("longest_word", mostOf("<p>", "w", "</p>"));
  add("selectors", selectorsOverDeepElements(largestFitting(selectorsOverDeepElements)));
  add("attributes",
      mostOf("<p>", "<span" + repeated(" a=\"" + std::string(62, 'v') + "\"", 32) + ">x</span>",
             "</p>"));
  add("tall", mostOf("", "<p style=\"margin-top:1000px\">x</p>", ""));
  std::string pictures;
  for (int i = 0; i < static_cast<int>(vantro::help::kMaxPictures); ++i) {
    archive->add("/picture" + std::to_string(i) + ".png", picture(362, 362, i));
    pictures += "<img src=\"picture" + std::to_string(i) + ".png\">";
  }
  add("pictures", "<p>" + pictures + "</p>");
  archive->add("/large.png", picture(vantro::help::kMaxPictureSide, 2048, 3));
  add("large_picture", "<p><img src=\"large.png\"></p>");
  add("refused_tables", repeated("<table><tr><td>x", 3000) + repeated("</td></tr></table>", 3000));
  // Refused by its size alone after it was read whole: the most the check itself can take.
  add("refused_megabyte", repeated("<b>x</b>", vantro::help::kMaxLayoutWork / 8));
  generated.book = HelpBook::open(std::move(archive));
  return generated;
}

class PageView {
 public:
  explicit PageView(std::shared_ptr<const HelpBook> book) {
    browser_.resize(650, 560);
    browser_.setBook(std::move(book));
    browser_.show();
    (void)QTest::qWaitForWindowExposed(&browser_);
  }
  // Opens the page as the help window does, lays the whole of it out and paints what shows.
  void open(const std::string& page) {
    browser_.openPage(page);
    benchmark::DoNotOptimize(browser_.document()->documentLayout()->documentSize());
    browser_.viewport()->repaint();
  }
  vantro::qt::HelpBrowser& browser() { return browser_; }

 private:
  vantro::qt::HelpBrowser browser_;
};

// Times opening `page`, with `other` opened between the runs so that each is a new page.
void measure(benchmark::State& state, PageView& view, const std::string& page,
             const std::string& other, const std::string& html) {
  if (!view.browser().openPage(page)) state.SkipWithError("no such page");
  for (auto _ : state) {
    state.PauseTiming();
    view.open(other);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    view.open(page);
  }
  const vantro::help::PageDemand demand = vantro::help::checkPage(html).demand;
  state.counters["kB"] = static_cast<double>(html.size()) / 1024;
  state.counters["work%"] = 100.0 * static_cast<double>(demand.work) / vantro::help::kMaxLayoutWork;
  state.counters["height%"] = 100 * demand.height / vantro::help::kMaxPageHeight;
  state.counters["depth"] = static_cast<double>(demand.depth);
  state.counters["tables"] = static_cast<double>(demand.tableDepth);
}

void BaselineLargestHelpPage(benchmark::State& state) {
  static const std::shared_ptr<const HelpBook> book = HelpBook::openFile(VANTRO_HELP_FILE);
  static PageView view(book);
  const std::string page = "/html Docs/cash_flows.htm";
  measure(state, view, page, "/html Docs/index.htm", book->read(page).value_or(""));
}

void AtTheLimits(benchmark::State& state, const std::string& name) {
  static const GeneratedBook generated = generatedBook();
  static PageView view(generated.book);
  const std::string page = "/" + name + ".htm";
  measure(state, view, page, "/blank.htm", generated.pages.at(page));
}

BENCHMARK(BaselineLargestHelpPage)->Unit(benchmark::kMillisecond)->UseRealTime();
#define VANTRO_AT_THE_LIMITS(name)                         \
  BENCHMARK_CAPTURE(AtTheLimits, name, std::string(#name)) \
      ->Unit(benchmark::kMillisecond)                      \
      ->UseRealTime()
VANTRO_AT_THE_LIMITS(tables);
VANTRO_AT_THE_LIMITS(text_4_tables_deep);
VANTRO_AT_THE_LIMITS(table_tree);
VANTRO_AT_THE_LIMITS(lists);
VANTRO_AT_THE_LIMITS(inline_elements);
VANTRO_AT_THE_LIMITS(paragraphs);
VANTRO_AT_THE_LIMITS(one_paragraph);
VANTRO_AT_THE_LIMITS(elements);
VANTRO_AT_THE_LIMITS(table_cells);
VANTRO_AT_THE_LIMITS(long_words);
VANTRO_AT_THE_LIMITS(longest_word);
VANTRO_AT_THE_LIMITS(selectors);
VANTRO_AT_THE_LIMITS(attributes);
VANTRO_AT_THE_LIMITS(tall);
VANTRO_AT_THE_LIMITS(pictures);
VANTRO_AT_THE_LIMITS(large_picture);
VANTRO_AT_THE_LIMITS(refused_tables);
VANTRO_AT_THE_LIMITS(refused_megabyte);

}  // namespace

int main(int argc, char* argv[]) {
  return vantro::bench::runWidgetBenchmarks(argc, argv);
}
