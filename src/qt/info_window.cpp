#include "qt/info_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "qt/artwork.h"
#include "qt/code_points.h"
#include "qt/layout_support.h"
#include "qt/twips.h"

namespace vantro::qt {

InfoWindowWidget::InfoWindowWidget(QSize clientSize, Qt::WindowFlags flags)
    : QWidget(nullptr, flags) {
  setFixedSize(clientSize);
  setMouseTracking(true);
}

void InfoWindowWidget::closeEvent(QCloseEvent* event) {
  event->accept();
  if (!loaded_) return;
  loaded_ = false;
  if (!stopped_ && onUnload) onUnload();
}

// The background is rendered again only for a screen of another pixel ratio.
void InfoWindowWidget::paintEvent(QPaintEvent*) {
  if (background_.isNull() || background_.devicePixelRatio() != devicePixelRatioF())
    background_ =
        artwork::pictureTopLeft(QString::fromLatin1(artwork::kBackground),
                                size().boundedTo(artwork::kBackgroundSize), devicePixelRatioF());
  QPainter painter(this);
  painter.drawPixmap(0, 0, background_);
}

void InfoWindowWidget::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (onKeyPress && !text.isEmpty()) {
    int keyAscii = static_cast<int>(text.at(0).unicode());
    if (!stopped_) onKeyPress(keyAscii);
    return;
  }
  if (!onKeyPress && event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void InfoWindowWidget::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

void InfoWindowWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
      !stopped_ && onClick)
    onClick();
}

void InfoWindowWidget::mouseMoveEvent(QMouseEvent*) {
  if (!stopped_ && onMouseMove) onMouseMove();
}

std::string InfoWindowAdapter::caption() const {
  return toUtf8(window_.windowTitle());
}

void InfoWindowAdapter::setCaption(const std::string& caption) {
  window_.setWindowTitle(fromUtf8(caption));
}

double InfoWindowAdapter::width() const {
  return window_.frameGeometry().width() * double{kTwipsPerPixel};
}

double InfoWindowAdapter::height() const {
  return window_.frameGeometry().height() * double{kTwipsPerPixel};
}

double InfoWindowAdapter::left() const {
  return window_.pos().x() * double{kTwipsPerPixel};
}

double InfoWindowAdapter::top() const {
  return window_.pos().y() * double{kTwipsPerPixel};
}

void InfoWindowAdapter::move(double left, double top) {
  window_.move(positionToPixels(left), positionToPixels(top));
}

static QRect screenGeometry(const QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect();
}

double InfoWindowAdapter::screenWidth() const {
  return screenGeometry(window_).width() * double{kTwipsPerPixel};
}

double InfoWindowAdapter::screenHeight() const {
  return screenGeometry(window_).height() * double{kTwipsPerPixel};
}

void InfoWindowAdapter::setMousePointer(ui::MousePointer pointer) {
  if (pointer == pointer_) return;
  pointer_ = pointer;
  if (pointer == ui::MousePointer::Custom)
    window_.setCursor(artwork::linkPointer(window_.devicePixelRatioF()));
  else
    window_.unsetCursor();
}

bool InfoWindowAdapter::topmost() const {
  return window_.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

// Changing a window's flags hides it: a window on screen is shown again.
void InfoWindowAdapter::setTopmost(bool on) {
  if (topmost() == on) return;
  const bool wasVisible = window_.isVisible();
  window_.setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (wasVisible) window_.show();
}

void InfoWindowAdapter::show() {
  if (!window_.loaded()) return;
  window_.show();
  window_.raise();
  window_.activateWindow();
}

void InfoWindowAdapter::unload() {
  if (window_.loaded()) window_.close();
}

QLabel& addLabel(QWidget& window, const char* name, const char* caption, const QFont& font,
                 QRect where) {
  QLabel* label = layout::makeLabel(window, QString::fromLatin1(name), QString::fromLatin1(caption),
                                    QString(), font);
  label->setGeometry(where);
  return *label;
}

void addProductPicture(QWidget& window, QPoint where) {
  auto* image = new QLabel(&window);
  image->setObjectName(QStringLiteral("Image1"));
  image->setGeometry(QRect(where, artwork::kProductSize));
  image->setPixmap(artwork::picture(QString::fromLatin1(artwork::kProduct), artwork::kProductSize,
                                    window.devicePixelRatioF()));
}

void addSeparator(QWidget& window, QRect where) {
  auto* line = new QFrame(&window);
  line->setObjectName(QStringLiteral("Line1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(where);
}

}  // namespace vantro::qt
