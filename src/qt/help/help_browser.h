#pragma once
// The page view of the help window: a text browser that reads pages, pictures and style
// sheets from the help file, by URLs of the form chm:///html%20Docs/index.htm.

#include <QTextBrowser>
#include <memory>
#include <string>

#include "help/help_book.h"

namespace vantro::qt {

class HelpBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpBrowser(QWidget* parent = nullptr);

  // Shows nothing until a page is opened; forgets the history.
  void setBook(std::shared_ptr<const help::HelpBook> book);
  // Opens a page of the book by its archive path; false (and nothing changes) when the book
  // has no such page.
  bool openPage(const std::string& archivePath);
  // The archive path of the page shown; empty before the first.
  std::string currentPage() const;

  static QUrl urlOf(const std::string& archivePath);

  QVariant loadResource(int type, const QUrl& name) override;

 private:
  void followLink(const QUrl& url);

  std::shared_ptr<const help::HelpBook> book_;
};

}  // namespace vantro::qt
