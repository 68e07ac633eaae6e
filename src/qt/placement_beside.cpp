#include "qt/placement_beside.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include "ui/shell/window_placement.h"

namespace vantro::qt {

namespace {

ui::ScreenRect toScreenRect(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QMargins frameMargins(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

}  // namespace

QSize smallestBeside(const QWidget& window) {
  // Half the windows' first size (900 by 620) still shows a page or a schedule beside the
  // calculator; any less and they are better over it at their full size.
  return QSize(440, 300).expandedTo(window.minimumSizeHint()).expandedTo(window.minimumSize());
}

const QWidget* shownCalculatorWindow() {
  for (const QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String("Form1") && window->isVisible()) return window;
  }
  return nullptr;
}

void placeBesideCalculator(QWidget& window, const QWidget& calculator) {
  const QScreen* screen = calculator.screen();
  if (screen == nullptr || !calculator.isVisible()) return;
  QMargins frame = frameMargins(window);
  if (frame.isNull()) frame = frameMargins(calculator);
  const QSize frameSize = window.size().grownBy(frame);
  const QSize smallest = smallestBeside(window).grownBy(frame);
  const ui::ScreenRect placed = ui::placeBeside(
      toScreenRect(screen->availableGeometry()), toScreenRect(calculator.frameGeometry()),
      {frameSize.width(), frameSize.height()}, {smallest.width(), smallest.height()});
  window.resize(QSize(placed.width, placed.height).shrunkBy(frame));
  window.move(placed.left, placed.top);  // a window's position is its frame's
}

}  // namespace vantro::qt
