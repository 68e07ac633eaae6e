// The help window on the built help file: opened at the contents and at a topic, one window
// for every call, afresh once closed, nothing at all for a file or topic it cannot show.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "qt/help/help_window.h"
#include "qt/help/qt_help_viewer.h"

namespace vantro::qt {
namespace {

const std::filesystem::path kHelpFile = VANTRO_HELP_FILE;
const std::string kLicence = "/html Docs/License_Agreement.htm";

int visibleTopLevelWindows() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible()) ++count;
  return count;
}

// Runs the events that a call may have posted (a message box would open from them).
void settle() {
  QTest::qWait(50);
}

// The help file is read on a thread of its own; the window opens when it has been read.
bool waitForRead(const QtHelpViewer& viewer) {
  return QTest::qWaitFor([&] { return !viewer.reading(); }, 10000);
}

struct HelpViewerTest : ::testing::Test {
  void TearDown() override { ASSERT_EQ(QApplication::activeModalWidget(), nullptr); }
  QtHelpViewer viewer;
};

TEST_F(HelpViewerTest, OpensAtTheContents) {
  viewer.showContents(kHelpFile);
  ASSERT_TRUE(waitForRead(viewer));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  EXPECT_EQ(window->windowTitle(), "Vantro Calculator Help");
  EXPECT_EQ(window->parentWidget(), nullptr);
  EXPECT_EQ(window->currentPage(), window->book()->startPage());
  auto* tree = window->findChild<QTreeWidget*>("helpContents");
  ASSERT_NE(tree, nullptr);
  EXPECT_TRUE(tree->isVisible());
  EXPECT_EQ(std::size_t(tree->topLevelItemCount()), window->book()->contents().size());
  EXPECT_FALSE(window->findChild<QTextBrowser*>("helpPage")->toPlainText().isEmpty());
}

TEST_F(HelpViewerTest, LaterCallsRaiseTheSameWindow) {
  viewer.showTopic(kHelpFile, "/HTML DOCS/license_agreement.htm");
  ASSERT_TRUE(waitForRead(viewer));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->currentPage(), kLicence);
  const QTreeWidgetItem* current = window->findChild<QTreeWidget*>("helpContents")->currentItem();
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(current->data(0, Qt::UserRole).toString().toStdString(), kLicence);
  auto* tabs = window->findChild<QTabWidget*>();
  auto* back = window->findChild<QToolButton*>("helpBack");
  auto* searchBox = window->findChild<QLineEdit*>("helpSearchBox");
  ASSERT_TRUE(tabs && back && searchBox);
  ASSERT_TRUE(window->showPage(window->book()->startPage()) && window->showPage(kLicence));
  tabs->setCurrentIndex(tabs->count() - 1);
  searchBox->setText("rate");
  viewer.showContents(kHelpFile);
  EXPECT_EQ(window->currentPage(), kLicence) << "an open window keeps its page";
  EXPECT_EQ(tabs->currentIndex(), 0);

  // A closed window opens afresh.
  window->close();
  viewer.showContents(kHelpFile);
  EXPECT_EQ(window->currentPage(), window->book()->startPage());
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_FALSE(back->isEnabled());
  EXPECT_TRUE(searchBox->text().isEmpty());
  viewer.showTopic(kHelpFile, kLicence);
  settle();
  EXPECT_EQ(viewer.window(), window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(QTest::qWaitForWindowActive(window));
  EXPECT_EQ(visibleTopLevelWindows(), 1);
}

TEST_F(HelpViewerTest, LinksBackForwardAndSearch) {
  viewer.showContents(kHelpFile);
  ASSERT_TRUE(waitForRead(viewer));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  const std::string start = window->currentPage();
  ASSERT_NE(start, kLicence);
  // A link of the page, as the browser hands it on once resolved against the page.
  auto* page = window->findChild<QTextBrowser*>("helpPage");
  emit page->anchorClicked(page->source().resolved(QUrl("No_Such_Page.htm")));
  EXPECT_EQ(window->currentPage(), start);
  emit page->anchorClicked(page->source().resolved(QUrl("License_Agreement.htm")));
  EXPECT_EQ(window->currentPage(), kLicence);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  auto* back = window->findChild<QToolButton*>("helpBack");
  auto* forward = window->findChild<QToolButton*>("helpForward");
  ASSERT_TRUE(back && forward);
  QTest::mouseClick(back, Qt::LeftButton);
  EXPECT_EQ(window->currentPage(), start);
  QTest::keySequence(window, QKeySequence(QKeySequence::Forward));
  EXPECT_EQ(window->currentPage(), kLicence);
  QTest::keySequence(window, QKeySequence(QKeySequence::Back));
  EXPECT_EQ(window->currentPage(), start);

  auto* searchBox = window->findChild<QLineEdit*>("helpSearchBox");
  auto* hits = window->findChild<QListWidget*>("helpSearchResults");
  ASSERT_TRUE(searchBox && hits);
  searchBox->setText("LICENSE agreement");
  QTest::keyClick(searchBox, Qt::Key_Return);
  ASSERT_GE(hits->count(), 1);
  const auto found = hits->findItems("License", Qt::MatchContains);
  ASSERT_FALSE(found.isEmpty());
  hits->setCurrentItem(found.front());
  emit hits->itemActivated(found.front());
  EXPECT_EQ(window->currentPage(), kLicence);
}

TEST_F(HelpViewerTest, ShowsNothingForWhatItCannotOpen) {
  const auto folder = std::filesystem::path(::testing::TempDir()) / "help_viewer_cases";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "damaged.chm", std::ios::binary) << "ITSF\3\0\0\0garbage";
  const struct {
    std::filesystem::path file;
    std::string topic;  // empty: the contents
  } cases[] = {
      {folder / "missing.chm", ""},
      {folder / "missing.chm", kLicence},
      {folder / "damaged.chm", ""},
      {folder, ""},
      {kHelpFile, "/html Docs/No_Such_Page.htm"},
      {kHelpFile, "/License_Agreement.htm"},
  };
  for (const auto& c : cases) {
    c.topic.empty() ? viewer.showContents(c.file) : viewer.showTopic(c.file, c.topic);
    ASSERT_TRUE(waitForRead(viewer));
    settle();
    EXPECT_EQ(viewer.window(), nullptr) << c.file << " " << c.topic;
    EXPECT_EQ(visibleTopLevelWindows(), 0) << c.file << " " << c.topic;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  // An open window stays as it was.
  viewer.showTopic(kHelpFile, kLicence);
  ASSERT_TRUE(waitForRead(viewer));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  for (const auto& c : cases) {
    c.topic.empty() ? viewer.showContents(c.file) : viewer.showTopic(c.file, c.topic);
    ASSERT_TRUE(waitForRead(viewer));
    EXPECT_EQ(viewer.window(), window);
    EXPECT_EQ(window->currentPage(), kLicence);
  }
  EXPECT_EQ(visibleTopLevelWindows(), 1);
  std::filesystem::remove_all(folder);
}

TEST_F(HelpViewerTest, ReadsTheFileAgainOnlyWhenItChangedAndStillOpens) {
  const auto folder = std::filesystem::path(::testing::TempDir()) / "help_viewer_changes";
  std::filesystem::create_directories(folder);
  const auto file = folder / "CalcHelp.chm";
  const auto overwrite = std::filesystem::copy_options::overwrite_existing;
  std::filesystem::copy_file(kHelpFile, file, overwrite);
  viewer.showTopic(file, kLicence);
  ASSERT_TRUE(waitForRead(viewer));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  const help::HelpBook* first = window->book();
  viewer.showContents(file);
  EXPECT_FALSE(viewer.reading());
  EXPECT_EQ(window->book(), first);

  std::filesystem::resize_file(file, 200);
  viewer.showContents(file);
  ASSERT_TRUE(waitForRead(viewer));
  EXPECT_EQ(window->book(), first);
  EXPECT_EQ(window->currentPage(), kLicence);

  std::filesystem::copy_file(kHelpFile, file, overwrite);
  viewer.showContents(file);
  ASSERT_TRUE(waitForRead(viewer));
  EXPECT_EQ(viewer.window(), window);
  EXPECT_NE(window->book(), first);
  EXPECT_EQ(window->currentPage(), window->book()->startPage());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vantro::qt
