#include "qt/artwork.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

static void initArtwork() {
  Q_INIT_RESOURCE(artwork);
}

namespace vantro::qt::artwork {

namespace {

constexpr const char* kPointer = ":/artwork/link_pointer.svg";
constexpr QSize kPointerSize{32, 32};

QPixmap render(const QByteArray& svg, QSize size, qreal pixelRatio, QRect viewBox = {}) {
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) return {};
  if (viewBox.isValid()) renderer.setViewBox(viewBox);
  QPixmap pixmap(size * pixelRatio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  painter.end();
  pixmap.setDevicePixelRatio(pixelRatio);
  return pixmap;
}

QByteArray contentOf(const QString& resource) {
  initArtwork();
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// The small picture serves 16 and 22 pixels, where the large one's detail would blur.
QIcon icon(const char* large, const char* small) {
  QIcon result;
  const QByteArray smallSvg = contentOf(QString::fromLatin1(small));
  const QByteArray largeSvg = contentOf(QString::fromLatin1(large));
  for (const int side : {16, 22}) result.addPixmap(render(smallSvg, QSize(side, side), 1));
  for (const int side : {24, 32, 48, 64, 128, 256})
    result.addPixmap(render(largeSvg, QSize(side, side), 1));
  return result;
}

}  // namespace

QPixmap picture(const QString& resource, QSize size, qreal pixelRatio) {
  return render(contentOf(resource), size, pixelRatio);
}

QPixmap pictureTopLeft(const QString& resource, QSize part, qreal pixelRatio) {
  return render(contentOf(resource), part, pixelRatio, QRect(QPoint(0, 0), part));
}

QIcon applicationIcon() {
  return icon(":/artwork/app_icon.svg", ":/artwork/app_icon_16.svg");
}

QIcon aboutIcon() {
  return icon(":/artwork/about_icon.svg", ":/artwork/about_icon_16.svg");
}

QCursor linkPointer(qreal pixelRatio) {
  const QByteArray svg = contentOf(QString::fromLatin1(kPointer));
  const QPixmap pixmap = render(svg, kPointerSize, pixelRatio);
  if (pixmap.isNull()) return QCursor(Qt::PointingHandCursor);
  const QPoint hotSpot = hotSpotOf(svg);
  return QCursor(pixmap, hotSpot.x(), hotSpot.y());
}

QPoint hotSpotOf(const QByteArray& svg) {
  static const QRegularExpression pattern(QStringLiteral("hot spot\\s*(\\d+)\\s*,\\s*(\\d+)"),
                                          QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(svg));
  if (!match.hasMatch()) return {};
  return {match.captured(1).toInt(), match.captured(2).toInt()};
}

}  // namespace vantro::qt::artwork
