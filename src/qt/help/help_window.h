#pragma once
// The help window: the table of contents and a search over the pages beside the page view,
// with back and forward. A top-level window that no other window owns.

#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "help/help_book.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantro::qt {

class HelpBrowser;

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "Vantro Calculator Help";

  HelpWindow();

  // Shows `book` from now on: a new contents tree, an empty search and no history.
  void setBook(std::shared_ptr<const help::HelpBook> book);
  const help::HelpBook* book() const { return book_.get(); }
  // Opens a page of the book by its topic path; false when it has none.
  bool showPage(const std::string& topicPath);
  // Brings the contents tree to the front.
  void showContentsTab();
  // The archive path of the page shown.
  std::string currentPage() const;

 private:
  void addEntries(QTreeWidgetItem* parent, const std::vector<help::ContentsEntry>& entries);
  void runSearch();
  void selectInContents(const std::string& page);

  std::shared_ptr<const help::HelpBook> book_;
  QTabWidget* tabs_;
  QTreeWidget* contents_;
  QLineEdit* searchBox_;
  QListWidget* searchResults_;
  HelpBrowser* browser_;
  QToolButton* back_;
  QToolButton* forward_;
  std::map<std::string, QTreeWidgetItem*> itemOfPage_;  // by folded archive path
};

}  // namespace vantro::qt
