#include "qt/help/help_browser.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QTextDocument>

#include "help/page_limits.h"
#include "help/text_case.h"

namespace vantro::qt {
namespace {

const QString kScheme = QStringLiteral("chm");

std::string archivePathOf(const QUrl& url) {
  return url.path(QUrl::FullyDecoded).toStdString();
}

// Formats whose readers only decode pixels; a vector or container format could ask for more.
bool isPlainPictureFormat(const QByteArray& format) {
  return format == "png" || format == "jpeg" || format == "jpg" || format == "gif" ||
         format == "bmp";
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

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
  // A help page is HTML whatever its name ends in: read as Markdown it would escape the check.
  QTextBrowser::doSetSource(name, name.scheme() == kScheme ? QTextDocument::HtmlResource : type);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  if (!book_) return {};
  const QUrl url = name.isRelative() ? pageUrl_.resolved(name) : name;
  if (url.scheme() != kScheme) return {};
  switch (type) {
    case QTextDocument::HtmlResource:
      return page(url);
    case QTextDocument::StyleSheetResource:
      return styleSheet(url);
    case QTextDocument::ImageResource:
      return picture(url);
    default:
      return {};
  }
}

QVariant HelpBrowser::page(const QUrl& url) {
  const auto contents = book_->read(archivePathOf(url));
  if (!contents) return {};
  pageUrl_ = url.adjusted(QUrl::RemoveFragment);
  checkedStyleSheets_.clear();
  pictures_ = 0;
  picturePixels_ = 0;
  // Too large to fit in any encoding (none takes more than four bytes a character): not even
  // decoded.
  if (contents->size() > 4 * help::kMaxLayoutWork)
    return QString::fromStdString(help::pageNotice(help::PageProblem::TooMuchWork));
  // The text as the browser would read it from the bytes (a byte-order mark, a character set
  // named in the page, else UTF-8), so that the check sees what the layout would get.
  const QByteArray bytes(contents->data(), static_cast<qsizetype>(contents->size()));
  QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
  if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
  const QByteArray text = QString(decoder(bytes)).toUtf8();
  const help::PageCheck check = help::checkPage(
      std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
      [this](std::string_view reference) -> std::optional<std::string> {
        const QUrl sheet = pageUrl_.resolved(
            QUrl(QString::fromUtf8(reference.data(), static_cast<qsizetype>(reference.size()))));
        if (sheet.scheme() != kScheme) return std::nullopt;
        auto css = book_->read(archivePathOf(sheet));
        if (css) checkedStyleSheets_.insert(help::foldCase(archivePathOf(sheet)));
        return css;
      });
  if (!check.fits()) {
    checkedStyleSheets_.clear();
    return QString::fromStdString(help::pageNotice(check.problem));
  }
  return QString::fromUtf8(text);
}

QVariant HelpBrowser::styleSheet(const QUrl& url) const {
  // Only the sheets that the page's check measured: any other could change what it measured.
  const std::string path = archivePathOf(url);
  if (!checkedStyleSheets_.count(help::foldCase(path))) return QString();
  const auto css = book_->read(path);
  return css ? QString::fromUtf8(css->data(), static_cast<qsizetype>(css->size())) : QString();
}

QVariant HelpBrowser::picture(const QUrl& url) {
  if (pictures_ >= help::kMaxPictures) return {};
  const auto contents = book_->read(archivePathOf(url));
  if (!contents) return {};
  QByteArray bytes(contents->data(), static_cast<qsizetype>(contents->size()));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!isPlainPictureFormat(reader.format()) || size.isEmpty() ||
      std::max(size.width(), size.height()) > help::kMaxPictureSide ||
      std::max(size.width(), size.height()) >
          help::kMaxPictureAspect * std::min(size.width(), size.height()))
    return {};
  const auto pixels = static_cast<std::uint64_t>(size.width()) * size.height();
  if (picturePixels_ + pixels > help::kMaxPicturePixels) return {};
  QImage image;
  if (!reader.read(&image)) return {};
  ++pictures_;
  picturePixels_ += pixels;
  return image;
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
