#include "qt/help/qt_help_viewer.h"

#include <thread>

#include "help/help_archive.h"
#include "qt/help/help_window.h"
#include "qt/placement_beside.h"

namespace vantro::qt {

namespace {

// Longer than any real help file takes; a file that makes chmlib hang is refused after it.
constexpr int kReadTimeoutMilliseconds = 10000;

}  // namespace

struct QtHelpViewer::Reading {
  help::FileIdentity file;
  std::jthread thread;
};

QtHelpViewer::FinishRead QtHelpViewer::readHelpFile(const std::filesystem::path& file) {
  // The child process starts here, on the GUI thread: see ChmReading.
  auto reading = std::make_shared<help::ChmReading>(help::startChmReading(file));
  return [reading](const std::stop_token& stop) -> std::shared_ptr<const help::HelpBook> {
    return help::HelpBook::open(reading->finish(kReadTimeoutMilliseconds, stop));
  };
}

QtHelpViewer::QtHelpViewer(BookReader readBook)
    : readBook_(std::move(readBook)), receiver_(std::make_unique<QObject>()) {}

QtHelpViewer::~QtHelpViewer() {
  reading_.reset();   // requests the stop and joins
  receiver_.reset();  // drops the finished read's message, if it was posted
}

void QtHelpViewer::request(Request request) {
  const auto file = help::regularFileIdentity(request.file);
  if (!file) return;
  if (reading_) {
    waiting_ = std::move(request);
    return;
  }
  if (opened_ && opened_->file == *file) return serve(request, opened_->book);
  if (refused_ == file) return;
  reading_ = std::make_unique<Reading>();
  reading_->file = *file;
  FinishRead finish = readBook_(request.file);
  waiting_ = std::move(request);
  reading_->thread = std::jthread(
      [this, finish = std::move(finish), receiver = receiver_.get()](std::stop_token stop) {
        std::shared_ptr<const help::HelpBook> book;
        try {
          if (finish) book = finish(std::move(stop));
        } catch (...) {
        }
        QMetaObject::invokeMethod(
            receiver, [this, book] { finishReading(book); }, Qt::QueuedConnection);
      });
}

// Opening help must never disturb the calculator: any failure, down to running out of
// memory, ends here with nothing shown.
void QtHelpViewer::finishReading(std::shared_ptr<const help::HelpBook> book) {
  try {
    if (!reading_) return;
    const help::FileIdentity file = reading_->file;
    reading_.reset();
    if (book) {
      opened_ = OpenedFile{file, std::move(book)};
    } else {
      refused_ = file;
    }
    if (auto next = std::exchange(waiting_, std::nullopt)) request(std::move(*next));
  } catch (...) {
  }
}

void QtHelpViewer::serve(const Request& request,
                         const std::shared_ptr<const help::HelpBook>& book) {
  if (!request.topic) {
    // An open window keeps its page; a closed one opens afresh at the start.
    const bool keepPage = window_ && window_->isVisible() && window_->book() == book.get() &&
                          !window_->currentPage().empty();
    present(book, keepPage ? std::string() : book->startPage());
    window_->showContentsTab();
    return;
  }
  const auto page = book->findTopic(*request.topic);
  if (page) present(book, *page);
}

void QtHelpViewer::present(const std::shared_ptr<const help::HelpBook>& book,
                           const std::string& page) {
  if (!window_) window_ = std::make_unique<HelpWindow>();
  if (window_->book() != book.get()) window_->setBook(book);
  if (!page.empty()) window_->showPage(page);
  window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
  if (!window_->isVisible()) {
    if (const QWidget* calculator = shownCalculatorWindow())
      placeBesideCalculator(*window_, *calculator);
    else
      window_->fitToScreen();
  }
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void QtHelpViewer::showContents(const std::filesystem::path& helpFile) {
  try {
    request({helpFile, std::nullopt});
  } catch (...) {
  }
}

void QtHelpViewer::showTopic(const std::filesystem::path& helpFile, const std::string& topicPath) {
  try {
    request({helpFile, topicPath});
  } catch (...) {
  }
}

}  // namespace vantro::qt
