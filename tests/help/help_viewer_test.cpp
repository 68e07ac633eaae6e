// The help viewer on the built help file and on files made to be hostile: one window for every
// call, afresh once closed, nothing at all for a file or topic it cannot show; pages that would
// take the page view down shown as a notice; a file read while the calculator goes on answering,
// once for all the calls made meanwhile, and not again until it changes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextFrame>
#include <QToolButton>
#include <QTreeWidget>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/temp_folder.h"
#include "qt/help/help_window.h"
#include "qt/help/qt_help_viewer.h"

namespace vantro::qt {
namespace {

namespace fs = std::filesystem;
const fs::path kHelpFile = VANTRO_HELP_FILE;
const std::string kLicence = "/html Docs/License_Agreement.htm";

// The help file is read on a thread of its own; the window opens when it has been read. The
// events a call posted (a message box would open from them) have run by the end.
bool waitForRead(const QtHelpViewer& viewer) {
  const bool read = QTest::qWaitFor([&] { return !viewer.reading(); }, 10000);
  QTest::qWait(50);
  return read;
}

int visibleTopLevelWindows() {
  const QWidgetList windows = QApplication::topLevelWidgets();
  return int(
      std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); }));
}

// A reader that holds each read until the test lets it go or the viewer stops it.
struct HeldReader {
  QtHelpViewer::BookReader reader() {
    return [this](const fs::path& file) -> QtHelpViewer::FinishRead {
      startedOn = std::this_thread::get_id();
      auto rest = QtHelpViewer::readHelpFile(file);
      return [this, rest](std::stop_token stop) -> std::shared_ptr<const help::HelpBook> {
        ++reads;
        // Not for ever: a viewer that waits for its reader must fail the test, not hang it.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!released && !stop.stop_requested() && std::chrono::steady_clock::now() < end)
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return stop.stop_requested() ? nullptr : rest(stop);
      };
    };
  }
  std::atomic<bool> released = false;
  std::atomic<int> reads = 0;
  std::atomic<std::thread::id> startedOn;
};

struct HelpViewerTest : ::testing::Test {
  void TearDown() override { ASSERT_EQ(QApplication::activeModalWidget(), nullptr); }
  QtHelpViewer viewer;
};

TEST_F(HelpViewerTest, LaterCallsRaiseTheSameWindowAndAClosedOneOpensAfresh) {
  viewer.showTopic(kHelpFile, "/HTML DOCS/license_agreement.htm");
  ASSERT_TRUE(waitForRead(viewer));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Vantro Calculator Help");
  EXPECT_EQ(window->parentWidget(), nullptr);
  EXPECT_EQ(window->currentPage(), kLicence);
  auto* tree = window->findChild<QTreeWidget*>("helpContents");
  ASSERT_NE(tree->currentItem(), nullptr);
  EXPECT_EQ(tree->currentItem()->data(0, Qt::UserRole).toString().toStdString(), kLicence);
  EXPECT_EQ(std::size_t(tree->topLevelItemCount()), window->book()->contents().size());
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

  window->close();
  viewer.showContents(kHelpFile);
  EXPECT_EQ(viewer.window(), window);
  EXPECT_EQ(window->currentPage(), window->book()->startPage());
  EXPECT_FALSE(window->findChild<QTextBrowser*>("helpPage")->toPlainText().isEmpty());
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_FALSE(back->isEnabled());
  EXPECT_TRUE(searchBox->text().isEmpty());
  EXPECT_TRUE(QTest::qWaitForWindowActive(window));
  EXPECT_EQ(visibleTopLevelWindows(), 1);
}

TEST_F(HelpViewerTest, LinksBackAndForward) {
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
  QTest::mouseClick(window->findChild<QToolButton*>("helpBack"), Qt::LeftButton);
  EXPECT_EQ(window->currentPage(), start);
  QTest::keySequence(window, QKeySequence(QKeySequence::Forward));
  EXPECT_EQ(window->currentPage(), kLicence);
  QTest::keySequence(window, QKeySequence(QKeySequence::Back));
  EXPECT_EQ(window->currentPage(), start);
}

// The page view shows a notice, not the page: no table, no list, a line or two.
void expectNotice(const QTextBrowser& view) {
  const QTextDocument& document = *view.document();
  EXPECT_TRUE(document.rootFrame()->childFrames().isEmpty());
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    EXPECT_EQ(block.textList(), nullptr);
  EXPECT_LE(document.blockCount(), 3);
  EXPECT_FALSE(document.toPlainText().trimmed().isEmpty());
}

TEST(HostilePagesTest, PagesThatAskTooMuchOfTheLayoutShowANoticeHoweverTheyAreReached) {
  const std::string hostile = "/html Docs/hostile.htm";
  for (const char* file : {VANTRO_HOSTILE_TABLES, VANTRO_HOSTILE_LISTS}) {
    SCOPED_TRACE(file);
    QtHelpViewer viewer;
    viewer.showContents(file);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.window() != nullptr; }, 10000));
    HelpWindow& window = *viewer.window();
    auto& view = *window.findChild<QTextBrowser*>("helpPage");
    EXPECT_EQ(window.currentPage(), hostile);
    expectNotice(view);
    ASSERT_TRUE(window.showPage("/html Docs/ordinary.htm"));
    EXPECT_NE(view.document()->toPlainText().indexOf("ordinary"), -1);
    emit view.anchorClicked(view.source().resolved(QUrl("hostile.htm")));
    EXPECT_EQ(window.currentPage(), hostile);
    expectNotice(view);
    view.backward();
    EXPECT_EQ(window.currentPage(), "/html Docs/ordinary.htm");
    view.forward();
    EXPECT_EQ(window.currentPage(), hostile);
    expectNotice(view);
  }
}

struct HelpReadingTest : ::testing::Test {
  void SetUp() override {
    calculator.show();
    calculator.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&calculator));
  }
  QLineEdit calculator;  // stands for the calculator's display
  HeldReader held;
};

TEST_F(HelpReadingTest, TheCalculatorAnswersKeysWhileTheFileIsReadOnceForEveryCall) {
  QtHelpViewer viewer(held.reader());
  viewer.showContents(kHelpFile);
  EXPECT_TRUE(viewer.reading());
  QTest::keyClicks(&calculator, "12+3");
  EXPECT_EQ(calculator.text(), "12+3");
  viewer.showContents(kHelpFile);
  viewer.showTopic(kHelpFile, kLicence);  // the last call made while reading decides
  EXPECT_EQ(viewer.window(), nullptr);
  held.released = true;
  ASSERT_TRUE(waitForRead(viewer));
  ASSERT_NE(viewer.window(), nullptr);
  EXPECT_EQ(viewer.window()->currentPage(), kLicence);
  EXPECT_EQ(held.reads.load(), 1);
  // A child process forked on the reading thread could inherit a lock that another thread held
  // at that moment (the allocator's) and wait on it for ever.
  EXPECT_EQ(held.startedOn.load(), std::this_thread::get_id());
}

TEST_F(HelpReadingTest, ClosingWhileTheFileIsReadStopsTheRead) {
  auto viewer = std::make_unique<QtHelpViewer>(held.reader());
  viewer->showContents(kHelpFile);
  EXPECT_TRUE(viewer->reading());
  viewer.reset();  // waits for the reader only until it has seen the stop
  EXPECT_EQ(held.reads.load(), 1);
  QTest::keyClicks(&calculator, "7");
  EXPECT_EQ(calculator.text(), "7");
}

// A file read once is read again only when it changed; one that could not be read leaves the
// open window with the book it has, and is not read again until it changes.
TEST_F(HelpReadingTest, AFileIsReadAgainOnlyOnceItChanged) {
  const test::TempFolder folder;
  const fs::path file = folder.path() / "CalcHelp.chm";
  fs::copy_file(kHelpFile, file);
  held.released = true;
  QtHelpViewer viewer(held.reader());
  viewer.showTopic(file, kLicence);
  ASSERT_TRUE(waitForRead(viewer));
  ASSERT_NE(viewer.window(), nullptr);
  HelpWindow& window = *viewer.window();
  const help::HelpBook* first = window.book();
  viewer.showContents(file);
  EXPECT_FALSE(viewer.reading());
  fs::resize_file(file, 200);
  for (int call = 0; call < 3; ++call) {
    viewer.showContents(file);
    ASSERT_TRUE(waitForRead(viewer));
  }
  EXPECT_EQ(held.reads.load(), 2);
  EXPECT_EQ(window.book(), first);
  EXPECT_EQ(window.currentPage(), kLicence);
  fs::copy_file(kHelpFile, file, fs::copy_options::overwrite_existing);
  viewer.showContents(file);
  ASSERT_TRUE(waitForRead(viewer));
  EXPECT_EQ(held.reads.load(), 3);
  EXPECT_EQ(viewer.window(), &window);
  EXPECT_NE(window.book(), first);
  EXPECT_EQ(window.currentPage(), window.book()->startPage());
}

// Whatever lies where the help file should be, and a topic the file does not hold: reading
// ends, with the calculator answering meanwhile, and nothing opens unless the file is a help file
// after all; an open window stays at its page.
TEST_F(HelpReadingTest, BadFilesAndTopicsOpenNothingWithTheCalculatorAnswering) {
  const test::TempFolder folder;
  std::ifstream in(kHelpFile, std::ios::binary);
  const std::string good{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<fs::path> files;
  const auto write = [&](const std::string& name, const std::string& bytes) {
    files.push_back(folder.path() / name);
    std::ofstream(files.back(), std::ios::binary) << bytes;
  };
  write("truncated.chm", good.substr(0, good.size() / 3));
  write("damaged.chm", std::string("ITSF\3\0\0\0garbage", 15));
  write("empty.chm", "");
  write("header_only.chm", good.substr(0, 0x60));
  write("all_but_the_last_byte.chm", good.substr(0, good.size() - 1));
  write("huge.chm", good);
  fs::resize_file(files.back(), std::uintmax_t{1} << 30);  // sparse
  files.push_back(folder.path() / "a folder");
  fs::create_directory(files.back());
  files.push_back(folder.path() / "zeros.chm");
  fs::create_symlink("/dev/zero", files.back());
  files.push_back(folder.path() / "pipe.chm");
  ASSERT_EQ(::mkfifo(files.back().c_str(), 0600), 0);

  files.push_back(folder.path() / "missing.chm");
  std::vector<std::pair<fs::path, std::string>> calls;  // an empty topic: the contents
  for (const auto& file : files) calls.emplace_back(file, "");
  calls.insert(calls.end(), {{files.back(), kLicence},
                             {kHelpFile, "/html Docs/No_Such_Page.htm"},
                             {kHelpFile, "/License_Agreement.htm"}});
  // Last, as a flipped byte may leave a readable file, which opens.
  for (std::size_t offset = 0; offset < good.size(); offset += good.size() / 16 + 1) {
    std::string flipped = good;
    flipped[offset] = static_cast<char>(flipped[offset] ^ 0x10);
    write("flipped_" + std::to_string(offset) + ".chm", flipped);
    calls.emplace_back(files.back(), "");
  }
  for (const bool windowOpen : {false, true}) {
    QtHelpViewer viewer;
    if (windowOpen) viewer.showTopic(kHelpFile, kLicence);
    ASSERT_TRUE(waitForRead(viewer));
    HelpWindow* window = viewer.window();
    ASSERT_EQ(window != nullptr, windowOpen);
    for (const auto& [file, topic] : calls) {
      const bool flipped = file.filename().string().starts_with("flipped_");
      if (flipped && windowOpen) break;
      SCOPED_TRACE(file.filename().string() + " " + topic);
      calculator.clear();
      topic.empty() ? viewer.showContents(file) : viewer.showTopic(file, topic);
      QTest::keyClicks(&calculator, "42");
      EXPECT_EQ(calculator.text(), "42");
      ASSERT_TRUE(waitForRead(viewer));
      if (flipped) continue;
      EXPECT_EQ(viewer.window(), window);
      EXPECT_EQ(visibleTopLevelWindows(), windowOpen ? 2 : 1);  // the calculator and the help
      if (window) {
        EXPECT_EQ(window->currentPage(), kLicence);
      }
    }
  }
}

}  // namespace
}  // namespace vantro::qt
