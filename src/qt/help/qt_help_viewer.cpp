#include "qt/help/qt_help_viewer.h"

#include <system_error>

#include "qt/help/help_window.h"
#include "qt/placement_beside.h"

namespace vantro::qt {

QtHelpViewer::QtHelpViewer() = default;
QtHelpViewer::~QtHelpViewer() = default;

std::shared_ptr<const help::HelpBook> QtHelpViewer::bookOf(const std::filesystem::path& helpFile) {
  std::error_code error;
  const std::filesystem::path file = std::filesystem::absolute(helpFile, error);
  if (error || !std::filesystem::is_regular_file(file, error)) return nullptr;
  const auto size = std::filesystem::file_size(file, error);
  if (error) return nullptr;
  const auto modified = std::filesystem::last_write_time(file, error);
  if (error) return nullptr;
  if (opened_ && opened_->file == file && opened_->size == size && opened_->modified == modified)
    return opened_->book;
  std::shared_ptr<const help::HelpBook> book = help::HelpBook::openFile(file);
  if (!book) return nullptr;
  opened_ = OpenedFile{file, size, modified, book};
  return book;
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

// Opening help must never disturb the calculator: any failure, down to running out of
// memory, ends the call with nothing shown.
void QtHelpViewer::showContents(const std::filesystem::path& helpFile) {
  try {
    const auto book = bookOf(helpFile);
    if (!book) return;
    // An open window keeps its page; a closed one opens afresh at the start.
    const bool keepPage = window_ && window_->isVisible() && window_->book() == book.get() &&
                          !window_->currentPage().empty();
    present(book, keepPage ? std::string() : book->startPage());
    window_->showContentsTab();
  } catch (...) {
  }
}

void QtHelpViewer::showTopic(const std::filesystem::path& helpFile, const std::string& topicPath) {
  try {
    const auto book = bookOf(helpFile);
    if (!book) return;
    const auto page = book->findTopic(topicPath);
    if (!page) return;
    present(book, *page);
  } catch (...) {
  }
}

}  // namespace vantro::qt
