// Renders an SVG picture into a square PNG of a given size: the fixed-size icons a desktop's
// icon theme looks for beside the scalable one.
//
//   vantro_render_icon picture.svg 48 out.png

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s picture.svg size out.png\n", argv[0]);
    return 2;
  }
  bool sized = false;
  const int size = QString::fromLocal8Bit(argv[2]).toInt(&sized);
  QSvgRenderer picture(QString::fromLocal8Bit(argv[1]));
  if (!picture.isValid() || !sized || size <= 0 || size > 4096) {
    std::fprintf(stderr, "%s: cannot render %s at %s pixels\n", argv[0], argv[1], argv[2]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  picture.render(&painter);
  painter.end();
  return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
