#pragma once
// The help window: the table of contents, the index and a search over the pages beside the
// page view, with back and forward, find in page, zoom and printing. A top-level window that
// no other window owns.

#include <QFont>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "help/help_book.h"
#include "qt/help/page_zoom.h"

class QLineEdit;
class QListWidget;
class QMenuBar;
class QPrinter;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantro::qt {

class FindBar;
class HelpBrowser;
class IndexTab;
class PageMatches;

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "Vantro Calculator Help";

  HelpWindow();
  ~HelpWindow() override;

  // Shows `book` from now on: a new contents tree and index, an empty search, no history.
  void setBook(std::shared_ptr<const help::HelpBook> book);
  const help::HelpBook* book() const { return book_.get(); }
  // Opens a page of the book by its topic path; false when it has none.
  bool showPage(const std::string& topicPath);
  // Brings the contents tree to the front.
  void showContentsTab();
  // The archive path of the page shown.
  std::string currentPage() const;
  // Prints the page shown, at its normal size, into a PDF file; false when it cannot write it.
  bool savePdf(const QString& file);
  // Makes the window no larger than most of its screen's free area and moves it wholly onto
  // it; one never placed goes to the middle. Showing a window never placed does this too.
  void fitToScreen();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMenuBar* createMenus();
  void addEntries(QTreeWidgetItem* parent, const std::vector<help::ContentsEntry>& entries);
  void runSearch();
  void selectInContents(const std::string& page);
  void openTopic(const std::string& topicPath, const std::string& fragment);
  void pageShown();
  void openFindBar();
  void find(bool backward);
  void markFound();
  void zoom(bool (PageZoom::*change)());
  void resetZoom();
  void applyZoomToPage();
  QPrinter& printer();
  // Paints the page at its normal size.
  std::function<void(QPrinter&)> pagePainter();

  std::shared_ptr<const help::HelpBook> book_;
  QTabWidget* tabs_;
  QTreeWidget* contents_;
  IndexTab* index_;
  QLineEdit* searchBox_;
  QListWidget* searchResults_;
  HelpBrowser* browser_;
  FindBar* findBar_;
  QToolButton* back_;
  QToolButton* forward_;
  std::unique_ptr<PageMatches> matches_;
  // The zoom holds for the session: closing the window keeps it, nothing writes it down.
  PageZoom zoom_;
  QFont pageFont_;  // the page view's font at the normal size
  int wheelTurn_ = 0;
  bool firstPage_ = true;              // the next page shown is the first of the history
  std::unique_ptr<QPrinter> printer_;  // made at the first print; keeps the printer chosen
  std::map<std::string, QTreeWidgetItem*> itemOfPage_;  // by folded archive path
};

}  // namespace vantro::qt
