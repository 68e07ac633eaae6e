#pragma once
// The pictures of the splash and About windows, rendered from their SVG resources at the size
// they are shown. Their windows keep what they render. A missing or broken picture gives an
// empty pixmap (the window shows without it) and the plain pointing hand for the pointer.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>

namespace vantro::qt::artwork {

inline constexpr const char* kBackground = ":/artwork/splash_background.svg";
inline constexpr QSize kBackgroundSize{678, 474};
inline constexpr const char* kProduct = ":/artwork/product.svg";
inline constexpr QSize kProductSize{81, 91};

// `size` in logical pixels, rendered for `pixelRatio` device pixels per logical pixel.
QPixmap picture(const QString& resource, QSize size, qreal pixelRatio);
// The top-left `part` of a picture drawn unscaled at its own size: a window shows only that
// much of its background, and rendering the rest would be work for nothing.
QPixmap pictureTopLeft(const QString& resource, QSize part, qreal pixelRatio);

QIcon applicationIcon();
QIcon aboutIcon();
// The pointer over the About window's links.
QCursor linkPointer(qreal pixelRatio);
// The hot spot that a pointer's SVG names in its comment ("Hot spot 13,1"); (0, 0) if none.
QPoint hotSpotOf(const QByteArray& svg);

}  // namespace vantro::qt::artwork
