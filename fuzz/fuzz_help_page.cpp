// The page limits on arbitrary markup. Nothing may crash or hang, and for every input:
// - the check's time grows in proportion to the page: the input repeated to 64 kB takes at
//   most about sixteen times as long as repeated to 4 kB, far from the 256 times of a check
//   that is quadratic;
// - a page the check lets through is within its bounds as the page view's own engine builds
//   it (QTextDocument, the view's document class): its tables nest no deeper and hold no more
//   cells than measured, its lists nest no deeper than its elements, it has no more blocks
//   than elements, line breaks and cells, and laid out in a narrow view it is no taller than
//   the height estimate.

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <algorithm>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "help/page_limits.h"
#include "require.h"

using namespace vantro::help;

namespace {

using vantro::fuzz::require;

// The shortest of five runs of the check, in microseconds of this thread's processor time:
// other programs running meanwhile do not count.
double checkTime(const std::string& html) {
  double shortest = 1e300;
  for (int run = 0; run < 5; ++run) {
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    (void)checkPage(html);
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    shortest = std::min(shortest, static_cast<double>(end.tv_sec - start.tv_sec) * 1e6 +
                                      static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e3);
  }
  return shortest;
}

std::string repeatedTo(std::string_view unit, std::size_t size) {
  std::string out;
  out.reserve(size + unit.size());
  while (out.size() < size) out.append(unit);
  return out;
}

void requireLinearTime(std::string_view input) {
  if (input.empty()) return;
  const double small = checkTime(repeatedTo(input, 4 * 1024));
  const double large = checkTime(repeatedTo(input, 64 * 1024));
  require(large <= 64 * small + 3000, "the check's time grows in proportion to the page");
}

// A document that loads nothing: a page could name any file of this machine (/dev/zero).
class ClosedDocument final : public QTextDocument {
 protected:
  QVariant loadResource(int, const QUrl&) override { return {}; }
};

struct Built {
  std::size_t tableDepth = 0;
  std::uint64_t tableCells = 0;
};

// Tables nest; any other frame the engine makes (one for each picture) holds nothing.
void walkFrames(const QTextFrame& frame, std::size_t tables, Built& built) {
  const auto* table = qobject_cast<const QTextTable*>(&frame);
  if (table) {
    ++tables;
    built.tableCells += static_cast<std::uint64_t>(table->rows()) * table->columns();
  } else if (frame.parentFrame()) {
    require(frame.childFrames().isEmpty(), "only tables hold frames");
  }
  built.tableDepth = std::max(built.tableDepth, tables);
  for (const QTextFrame* child : frame.childFrames()) walkFrames(*child, tables, built);
}

std::size_t lineBreaks(std::string_view text) {
  std::size_t breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  for (std::size_t at = text.find("\xE2\x80\xA9"); at != std::string_view::npos;
       at = text.find("\xE2\x80\xA9", at + 1))
    ++breaks;  // the paragraph separator
  return breaks;
}

void requireWithinBoundsAsBuilt(const std::string& page, const PageDemand& demand) {
  ClosedDocument document;
  document.setHtml(QString::fromUtf8(page.data(), static_cast<qsizetype>(page.size())));
  Built built;
  walkFrames(*document.rootFrame(), 0, built);
  require(built.tableDepth <= demand.tableDepth, "tables nest no deeper than measured");
  require(built.tableDepth <= kMaxTableDepth, "tables nest within the bound");
  require(built.tableCells <= demand.tableCells, "tables hold no more cells than measured");
  // A list's indent is its nesting, unless a style sets it ("-qt-list-indent").
  if (QString::fromStdString(page).indexOf(QLatin1String("-qt-"), 0, Qt::CaseInsensitive) < 0)
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
      if (const QTextList* list = block.textList())
        require(static_cast<std::size_t>(list->format().indent()) <= demand.depth,
                "lists nest no deeper than the elements");
  require(static_cast<std::uint64_t>(document.blockCount()) <=
              demand.elements + lineBreaks(page) + demand.tableCells + 2,
          "no more blocks than elements, line breaks and table cells");
  document.setTextWidth(120);
  require(document.documentLayout()->documentSize().height() <= demand.height + 100,
          "no taller than the estimate");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  requireLinearTime(input);
  // The page as the view gets it: decoded, so valid UTF-8.
  const QByteArray text = QString::fromUtf8(input.data(), static_cast<qsizetype>(size)).toUtf8();
  const std::string page(text.constData(), static_cast<std::size_t>(text.size()));
  const PageCheck check = checkPage(page);
  if (check.fits()) {
    require(check.demand.work <= kMaxLayoutWork && check.demand.height <= kMaxPageHeight &&
                check.demand.depth <= kMaxPageDepth,
            "a page that fits is within the bounds");
    requireWithinBoundsAsBuilt(page, check.demand);
  }
  return 0;
}
