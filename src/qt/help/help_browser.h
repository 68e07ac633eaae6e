#pragma once
// The page view of the help window: a text browser that reads pages, pictures and style
// sheets from the help file, by URLs of the form chm:///html%20Docs/index.htm. Every page,
// however it is reached (opened, a link, back, forward), is checked against the page limits
// first: one that goes beyond them is shown as a one-line notice, never laid out.

#include <QTextBrowser>
#include <cstdint>
#include <memory>
#include <set>
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

 protected:
  void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

 private:
  void followLink(const QUrl& url);
  QVariant page(const QUrl& url);
  QVariant styleSheet(const QUrl& url) const;
  QVariant picture(const QUrl& url);

  std::shared_ptr<const help::HelpBook> book_;
  // Of the page being shown: where it is, the style sheets its check read (by folded archive
  // path), and the pictures loaded for it so far.
  QUrl pageUrl_;
  std::set<std::string> checkedStyleSheets_;
  std::size_t pictures_ = 0;
  std::uint64_t picturePixels_ = 0;
};

}  // namespace vantro::qt
