// Help files made to be hostile, and the calculator beside them: pages that would take the page
// view down are shown as a notice; a file is read while the calculator goes on answering, once
// for all the calls made meanwhile, and not again after a failure until it changes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "qt/help/help_window.h"
#include "qt/help/qt_help_viewer.h"

namespace vantro::qt {
namespace {

const std::filesystem::path kHelpFile = VANTRO_HELP_FILE;
const std::string kLicence = "/html Docs/License_Agreement.htm";
const std::string kHostilePage = "/html Docs/hostile.htm";
const std::string kOrdinaryPage = "/html Docs/ordinary.htm";

bool waitForRead(const QtHelpViewer& viewer) {
  return QTest::qWaitFor([&] { return !viewer.reading(); }, 10000);
}

// The page view shows a notice, not the page: no table, no list, a line or two.
void expectNotice(const QTextBrowser& view) {
  const QTextDocument& document = *view.document();
  EXPECT_TRUE(document.rootFrame()->childFrames().isEmpty());
  int listItems = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    if (block.textList()) ++listItems;
  EXPECT_EQ(listItems, 0);
  EXPECT_LE(document.blockCount(), 3);
  EXPECT_FALSE(document.toPlainText().trimmed().isEmpty());
}

TEST(HostilePagesTest, PagesThatAskTooMuchOfTheLayoutShowANoticeHoweverTheyAreReached) {
  for (const char* file : {VANTRO_HOSTILE_TABLES, VANTRO_HOSTILE_LISTS}) {
    SCOPED_TRACE(file);
    QtHelpViewer viewer;
    viewer.showContents(file);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.window() != nullptr; }, 10000));
    HelpWindow& window = *viewer.window();
    auto& view = *window.findChild<QTextBrowser*>("helpPage");
    EXPECT_EQ(window.currentPage(), kHostilePage);
    expectNotice(view);

    ASSERT_TRUE(window.showPage(kOrdinaryPage));
    EXPECT_NE(view.document()->toPlainText().indexOf("ordinary"), -1);
    emit view.anchorClicked(view.source().resolved(QUrl("hostile.htm")));
    EXPECT_EQ(window.currentPage(), kHostilePage);
    expectNotice(view);
    view.backward();
    EXPECT_EQ(window.currentPage(), kOrdinaryPage);
    view.forward();
    EXPECT_EQ(window.currentPage(), kHostilePage);
    expectNotice(view);
  }
}

// A reader that holds each read until the test lets it go or the viewer stops it.
class HeldReader {
 public:
  QtHelpViewer::BookReader reader() {
    return [this](const std::filesystem::path& file) -> QtHelpViewer::FinishRead {
      {
        const std::lock_guard lock(mutex_);
        startedOn_ = std::this_thread::get_id();
      }
      auto rest = QtHelpViewer::readHelpFile(file);
      return [this, rest](std::stop_token stop) -> std::shared_ptr<const help::HelpBook> {
        std::unique_lock lock(mutex_);
        ++reads_;
        // Not for ever: a viewer that waits for its reader must fail the test, not hang it.
        changed_.wait_for(lock, stop, std::chrono::seconds(3), [this] { return released_; });
        return stop.stop_requested() ? nullptr : rest(stop);
      };
    };
  }
  void release() {
    const std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }
  int reads() {
    const std::lock_guard lock(mutex_);
    return reads_;
  }
  std::thread::id startedOn() {
    const std::lock_guard lock(mutex_);
    return startedOn_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable_any changed_;
  bool released_ = false;
  int reads_ = 0;
  std::thread::id startedOn_;
};

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
  held.release();
  ASSERT_TRUE(waitForRead(viewer));
  ASSERT_NE(viewer.window(), nullptr);
  EXPECT_EQ(viewer.window()->currentPage(), kLicence);
  EXPECT_EQ(held.reads(), 1);
  // A child process forked on the reading thread could inherit a lock that another thread held
  // at that moment (the allocator's) and wait on it for ever.
  EXPECT_EQ(held.startedOn(), std::this_thread::get_id());
}

TEST_F(HelpReadingTest, ClosingWhileTheFileIsReadStopsTheRead) {
  auto viewer = std::make_unique<QtHelpViewer>(held.reader());
  viewer->showContents(kHelpFile);
  EXPECT_TRUE(viewer->reading());
  viewer.reset();  // waits for the reader only until it has seen the stop
  EXPECT_EQ(held.reads(), 1);
  QTest::keyClicks(&calculator, "7");
  EXPECT_EQ(calculator.text(), "7");
}

TEST_F(HelpReadingTest, AFileThatCouldNotBeReadIsReadAgainOnlyOnceItChanged) {
  const auto folder = std::filesystem::path(::testing::TempDir()) / "help_reading_refused";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const auto file = folder / "CalcHelp.chm";
  std::ofstream(file, std::ios::binary) << "ITSF damaged";
  held.release();
  QtHelpViewer viewer(held.reader());
  for (int call = 0; call < 3; ++call) {
    viewer.showContents(file);
    ASSERT_TRUE(waitForRead(viewer));
  }
  EXPECT_EQ(held.reads(), 1);
  EXPECT_EQ(viewer.window(), nullptr);
  std::filesystem::copy_file(kHelpFile, file, std::filesystem::copy_options::overwrite_existing);
  viewer.showTopic(file, kLicence);
  ASSERT_TRUE(waitForRead(viewer));
  EXPECT_EQ(held.reads(), 2);
  ASSERT_NE(viewer.window(), nullptr);
  std::filesystem::remove_all(folder);
}

// Whatever lies where the help file should be, reading it ends, with the calculator answering
// meanwhile and no window unless the file is a help file after all.
TEST_F(HelpReadingTest, BadFilesEndTheReadWithTheCalculatorAnswering) {
  const auto folder = std::filesystem::path(::testing::TempDir()) / "help_reading_bad";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::ifstream in(kHelpFile, std::ios::binary);
  const std::string good{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<std::filesystem::path> files;
  const auto write = [&](const std::string& name, const std::string& bytes) {
    files.push_back(folder / name);
    std::ofstream(files.back(), std::ios::binary) << bytes;
  };
  write("truncated.chm", good.substr(0, good.size() / 3));
  for (std::size_t offset = 0; offset < good.size(); offset += good.size() / 16 + 1) {
    std::string flipped = good;
    flipped[offset] = static_cast<char>(flipped[offset] ^ 0x10);
    write("flipped_" + std::to_string(offset) + ".chm", flipped);
  }
  files.push_back(folder / "huge.chm");
  std::ofstream(files.back(), std::ios::binary) << good;
  std::filesystem::resize_file(files.back(), std::uintmax_t{1} << 30);  // sparse
  files.push_back(folder / "a folder");
  std::filesystem::create_directory(files.back());
  files.push_back(folder / "zeros.chm");
  std::filesystem::create_symlink("/dev/zero", files.back());
  files.push_back(folder / "pipe.chm");
  ASSERT_EQ(::mkfifo(files.back().c_str(), 0600), 0);

  for (const auto& file : files) {
    SCOPED_TRACE(file.filename());
    calculator.clear();
    QtHelpViewer viewer;
    viewer.showContents(file);
    QTest::keyClicks(&calculator, "42");
    EXPECT_EQ(calculator.text(), "42");
    ASSERT_TRUE(waitForRead(viewer));
    if (file.filename().string().rfind("flipped_", 0) == 0) continue;  // may still be readable
    EXPECT_EQ(viewer.window(), nullptr);
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vantro::qt
