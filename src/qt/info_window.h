#pragma once
// The splash and About windows' own window: a fixed client area with the background picture at
// its top-left, and the events the logic answers (close, character keys, clicks and pointer
// moves on the background); with its adapter for the logic.

#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <functional>

#include "ui/controls.h"

namespace vantro::qt {

class InfoWindowWidget : public QWidget {
 public:
  InfoWindowWidget(QSize clientSize, Qt::WindowFlags flags);

  bool loaded() const { return loaded_; }
  // The program has ended: the window closes without its Unload handler.
  void stopEvents() { stopped_ = true; }

  std::function<void()> onUnload;
  // A character key while the window or one of its controls has the focus. Without it,
  // Escape closes the window.
  std::function<void(int& keyAscii)> onKeyPress;
  std::function<void()> onClick;      // on the background
  std::function<void()> onMouseMove;  // over the background

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QPixmap background_;  // rendered for the pixel ratio of the first paint
  bool loaded_ = true;
  bool stopped_ = false;
};

class InfoWindowAdapter : public ui::InfoWindow {
 public:
  explicit InfoWindowAdapter(InfoWindowWidget& window) : window_(window) {}
  std::string caption() const override;
  void setCaption(const std::string& caption) override;
  double width() const override;
  double height() const override;
  double left() const override;
  double top() const override;
  void move(double left, double top) override;
  double screenWidth() const override;
  double screenHeight() const override;
  ui::MousePointer mousePointer() const override { return pointer_; }
  void setMousePointer(ui::MousePointer pointer) override;
  bool topmost() const override;
  void setTopmost(bool on) override;
  bool loaded() const override { return window_.loaded(); }
  bool visible() const override { return window_.isVisible(); }
  void show() override;
  void unload() override;

 private:
  InfoWindowWidget& window_;
  ui::MousePointer pointer_ = ui::MousePointer::Default;
};

// The controls of both windows, placed in pixels from the client area's top-left.
QLabel& addLabel(QWidget& window, const char* name, const char* caption, const QFont& font,
                 QRect where);
// Image1, the product picture.
void addProductPicture(QWidget& window, QPoint where);
// Line1, the separator.
void addSeparator(QWidget& window, QRect where);

}  // namespace vantro::qt
