#include "qt/help/help_browser.h"

#include <QDesktopServices>
#include <QTextDocument>

namespace vantro::qt {
namespace {

const QString kScheme = QStringLiteral("chm");

std::string archivePathOf(const QUrl& url) {
  return url.path(QUrl::FullyDecoded).toStdString();
}

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  // Links are followed here: pages inside the file in this view, web and mail addresses by
  // the desktop's own programs.
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

QUrl HelpBrowser::urlOf(const std::string& archivePath) {
  QUrl url;
  url.setScheme(kScheme);
  url.setPath(QString::fromStdString(archivePath), QUrl::DecodedMode);
  return url;
}

void HelpBrowser::setBook(std::shared_ptr<const help::HelpBook> book) {
  book_ = std::move(book);
  clear();
  clearHistory();
}

bool HelpBrowser::openPage(const std::string& archivePath) {
  if (!book_) return false;
  const auto page = book_->findTopic(archivePath);
  if (!page) return false;
  setSource(urlOf(*page));
  return true;
}

std::string HelpBrowser::currentPage() const {
  return source().isEmpty() ? std::string() : archivePathOf(source());
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  if (!book_ || name.scheme() != kScheme) return {};
  const auto contents = book_->read(archivePathOf(name));
  if (!contents) return {};
  QByteArray bytes(contents->data(), static_cast<qsizetype>(contents->size()));
  // A page's bytes go to the browser, which reads the character set from the page itself.
  if (type == QTextDocument::StyleSheetResource) return QString::fromUtf8(bytes);
  return bytes;
}

void HelpBrowser::followLink(const QUrl& url) {
  if (url.scheme() == kScheme) {
    const QUrl page = url.adjusted(QUrl::RemoveFragment);
    if (page == source().adjusted(QUrl::RemoveFragment)) {
      setSource(url);  // the same page: scrolls to the fragment
      return;
    }
    if (book_ && book_->findTopic(archivePathOf(url))) setSource(url);
    return;
  }
  const QString scheme = url.scheme();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
      scheme == QLatin1String("mailto"))
    QDesktopServices::openUrl(url);
}

}  // namespace vantro::qt
