// The help window's tools on the built help file, used with their keys: the index with
// type-ahead, find in page, zoom, printing to PDF and its preview; the window's fit on the
// screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <stdexcept>

#include "qt/help/help_window.h"
#include "qt/help/qt_help_viewer.h"
#include "qt/help/screen_fit.h"

// Rectangles in failure messages.
void PrintTo(const QRect& rect, std::ostream* out) {
  *out << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}

namespace vantro::qt {
namespace {

const std::filesystem::path kHelpFile = VANTRO_HELP_FILE;
const std::string kLicence = "/html Docs/License_Agreement.htm";
const std::string kMenus = "/html Docs/menus_toolbar.htm";
const std::string kCashFlows = "/html Docs/cash_flows.htm";

struct HelpWindowTest : ::testing::Test {
  void SetUp() override {
    viewer.showTopic(kHelpFile, kLicence);
    // The file is read on a thread of its own; the window opens once it has been read.
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.window() != nullptr; }, 10000));
    window = viewer.window();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    page = window->findChild<QTextBrowser*>("helpPage");
    ASSERT_NE(page, nullptr);
  }
  template <typename T>
  T* child(const char* name) {
    T* found = window->findChild<T*>(name);
    if (!found) throw std::logic_error(name);
    return found;
  }
  void press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(widget, key, modifiers);
  }
  // The point size of the last character of the first place where `text` stands on the page.
  double sizeOf(const QString& text) {
    const QTextCursor found = page->document()->find(text);
    EXPECT_FALSE(found.isNull()) << text.toStdString();
    const double size = found.charFormat().fontPointSize();
    return size > 0 ? size : page->document()->defaultFont().pointSizeF();
  }
  QStringList marked() {
    QStringList texts;
    for (const QTextEdit::ExtraSelection& selection : page->extraSelections())
      texts << selection.cursor.selectedText().toLower();
    return texts;
  }

  QtHelpViewer viewer;
  HelpWindow* window = nullptr;
  QTextBrowser* page = nullptr;
};

TEST_F(HelpWindowTest, IndexSelectsAsYouTypeAndOpensItsPages) {
  auto* box = child<QLineEdit>("helpIndexBox");
  auto* list = child<QTreeWidget>("helpIndex");
  press(window, Qt::Key_I, Qt::AltModifier);
  EXPECT_TRUE(box->hasFocus());
  const struct {
    const char* typed;
    const char* selected;
  } cases[] = {
      {"sh", "Shortcut keys"},   {"PAS", "Paste"},
      {"1", "1/X key"},          {"1/x kez", "1/X key"},  // nothing starts so: the selection stays
      {"help w", "Help window"},
  };
  for (const auto& c : cases) {
    box->clear();
    QTest::keyClicks(box, c.typed);
    ASSERT_NE(list->currentItem(), nullptr) << c.typed;
    EXPECT_EQ(list->currentItem()->text(0), c.selected) << c.typed;
  }
  press(box, Qt::Key_Return);
  EXPECT_EQ(window->currentPage(), kMenus);
  EXPECT_GT(page->verticalScrollBar()->value(), 0) << "the index names a place down the page";

  // A keyword of several pages offers them.
  box->clear();
  QTest::keyClicks(box, "paste");
  const QRect item = list->visualItemRect(list->currentItem());
  // A double click is a click, then the second press.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
  auto* chooser = window->findChild<QDialog*>("helpTopicChooser");
  ASSERT_NE(chooser, nullptr);
  ASSERT_TRUE(chooser->isVisible());
  auto* topics = chooser->findChild<QListWidget*>("helpTopicList");
  ASSERT_NE(topics, nullptr);
  ASSERT_EQ(topics->count(), 2);
  EXPECT_EQ(topics->item(1)->text(), "Pasting into the cash-flow list");
  EXPECT_EQ(chooser->focusWidget(), topics) << "the keys go to the pages";
  press(topics, Qt::Key_Down);
  press(topics, Qt::Key_Return);
  EXPECT_FALSE(chooser->isVisible());
  EXPECT_EQ(window->currentPage(), kCashFlows);
}

TEST_F(HelpWindowTest, FindBarMarksEveryPlaceAndSteps) {
  auto* bar = child<QWidget>("helpFindBar");
  auto* box = child<QLineEdit>("helpFindBox");
  EXPECT_FALSE(bar->isVisible());
  // The window's own Escape (closing it) must leave Escape in the find bar to the bar.
  QShortcut closeKey(Qt::Key_Escape, window, [this] { window->close(); });
  press(page, Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(bar->isVisible());
  EXPECT_TRUE(box->hasFocus());
  QTest::keyClicks(box, "THE");
  const qsizetype expected = page->toPlainText().count("the", Qt::CaseInsensitive);
  ASSERT_GT(expected, 2);
  EXPECT_EQ(marked(), QStringList(expected, "the"));
  const auto at = [this] { return page->textCursor().selectionStart(); };
  const int first = at();
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int match;  // -1: the last
  } steps[] = {
      {Qt::Key_F3, Qt::NoModifier, 1},     {Qt::Key_Return, Qt::NoModifier, 2},
      {Qt::Key_F3, Qt::ShiftModifier, 1},  {Qt::Key_Return, Qt::ShiftModifier, 0},
      {Qt::Key_F3, Qt::ShiftModifier, -1}, {Qt::Key_F3, Qt::NoModifier, 0},
  };
  QList<int> starts;
  for (const QTextEdit::ExtraSelection& selection : page->extraSelections())
    starts << selection.cursor.selectionStart();
  std::sort(starts.begin(), starts.end());
  EXPECT_EQ(first, starts.front());
  for (const auto& step : steps) {
    press(box, step.key, step.modifiers);
    EXPECT_EQ(at(), step.match < 0 ? starts.back() : starts[step.match])
        << step.key << " " << step.modifiers.toInt();
    EXPECT_EQ(page->textCursor().selectedText().toLower(), "the");
  }
  press(box, Qt::Key_Escape);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(page->extraSelections().isEmpty());
}

TEST_F(HelpWindowTest, SearchMarksItsWordsOnThePageOpened) {
  auto* box = child<QLineEdit>("helpSearchBox");
  auto* hits = child<QListWidget>("helpSearchResults");
  box->setText("Interest  RATE");
  press(box, Qt::Key_Return);
  ASSERT_GT(hits->count(), 0);
  emit hits->itemActivated(hits->item(0));
  ASSERT_NE(window->currentPage(), kLicence);
  const QStringList words = marked();
  EXPECT_TRUE(words.contains("interest"));
  EXPECT_TRUE(words.contains("rate"));
  EXPECT_EQ(words.count("interest") + words.count("rate"), words.size());
}

TEST_F(HelpWindowTest, ZoomHoldsAcrossPagesAndReopeningUntilReset) {
  const double heading = sizeOf("License Agreement");
  const double text = sizeOf("royalty");
  press(page, Qt::Key_Plus, Qt::ControlModifier);
  press(page, Qt::Key_Equal, Qt::ControlModifier);
  const double zoom = sizeOf("License Agreement") / heading;
  EXPECT_GT(zoom, 1.2);
  EXPECT_NEAR(sizeOf("royalty") / text, zoom, 0.05);

  ASSERT_TRUE(window->showPage(kMenus));
  window->close();
  viewer.showTopic(kHelpFile, kLicence);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  EXPECT_NEAR(sizeOf("License Agreement") / heading, zoom, 0.01);

  press(page, Qt::Key_0, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(sizeOf("License Agreement"), heading);
  press(page, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_LT(sizeOf("License Agreement"), heading);
  press(page, Qt::Key_0, Qt::ControlModifier);
  EXPECT_DOUBLE_EQ(sizeOf("royalty"), text);
}

int pdfPages(const QString& file) {
  QFile pdf(file);
  if (!pdf.open(QIODevice::ReadOnly)) return 0;
  return int(QString::fromLatin1(pdf.readAll())
                 .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

TEST_F(HelpWindowTest, SavesThePageAsPdfAtItsNormalSize) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  ASSERT_TRUE(window->showPage(kCashFlows));
  const QString file = folder.filePath("page.pdf");
  ASSERT_TRUE(window->savePdf(file));
  QProcess text;
  text.start("pdftotext", {file, "-"});
  ASSERT_TRUE(text.waitForFinished(30000)) << "pdftotext (poppler-utils) is needed";
  // Compatibility forms spell out the ligatures of the printed fonts ("fl" for U+FB02).
  const QString printed = QString::fromUtf8(text.readAllStandardOutput())
                              .normalized(QString::NormalizationForm_KC)
                              .simplified();
  const QStringList lines = page->toPlainText().split('\n', Qt::SkipEmptyParts);
  EXPECT_TRUE(printed.startsWith(lines.front().simplified())) << printed.left(200).toStdString();
  EXPECT_TRUE(printed.contains(lines.back().simplified())) << lines.back().toStdString();

  for (int i = 0; i < 4; ++i) press(page, Qt::Key_Plus, Qt::ControlModifier);
  const QString zoomed = folder.filePath("zoomed.pdf");
  ASSERT_TRUE(window->savePdf(zoomed));
  EXPECT_GT(pdfPages(file), 1);
  EXPECT_EQ(pdfPages(zoomed), pdfPages(file));
  EXPECT_FALSE(window->savePdf(folder.filePath("no_such_folder/page.pdf")));
}

// The preview paints the page the printer would print, and closes without a trace.
TEST_F(HelpWindowTest, PreviewShowsThePrintedPages) {
  int previewPages = 0;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&previewPages] {
    if (auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
      previewPages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
      preview->close();
    }
  });
  closer.start(20);
  press(window, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_GT(previewPages, 0);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(ScreenFitTest, WithinNinetyPercentAndWhollyOnTheScreen) {
  const struct {
    QRect frame, available, fitted;
  } cases[] = {
      {{10, 20, 800, 600}, {0, 0, 1920, 1200}, {10, 20, 800, 600}},
      // 900 x 620 at scale 2 on 1920 x 1200: the screen is 960 x 600 logical pixels
      {{0, 0, 900, 620}, {0, 0, 960, 600}, {0, 0, 864, 540}},
      {{500, 400, 900, 620}, {0, 30, 960, 570}, {96, 87, 864, 513}},
      {{-50, -40, 300, 200}, {0, 30, 1280, 994}, {0, 30, 300, 200}},
      {{2000, 100, 400, 300}, {1280, 0, 1024, 768}, {1904, 100, 400, 300}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fitWithin(c.frame, c.available), c.fitted) << ::testing::PrintToString(c.frame);
}

TEST_F(HelpWindowTest, OpensWithinTheScreen) {
  const QRect available = window->screen()->availableGeometry();
  EXPECT_TRUE(available.contains(window->frameGeometry()))
      << ::testing::PrintToString(window->frameGeometry()) << " on "
      << ::testing::PrintToString(available);
}

}  // namespace
}  // namespace vantro::qt
