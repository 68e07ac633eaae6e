#include "qt/analysis/qt_analysis_viewer.h"

#include <QGuiApplication>
#include <QScreen>

#include "qt/analysis/analysis_window.h"

namespace vantro::qt {

namespace {

// To the right of the calculator, else to its left, top edges level; where neither side has
// room the window manager decides.
void placeBeside(QWidget& window, const QWidget& calculator) {
  const QScreen* screen = calculator.screen();
  if (screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  const QRect beside = calculator.frameGeometry();
  const int width = window.frameGeometry().width();
  constexpr int kGap = 8;
  QPoint corner(beside.right() + 1 + kGap, beside.top());
  if (corner.x() + width > room.right() + 1) corner.setX(beside.left() - kGap - width);
  if (corner.x() < room.left()) return;
  window.move(corner);
}

}  // namespace

QtAnalysisViewer::QtAnalysisViewer(const QWidget& calculator) : calculator_(calculator) {}
QtAnalysisViewer::~QtAnalysisViewer() = default;

void QtAnalysisViewer::show(ui::AnalysisPage page, std::function<ui::AnalysisFields()> readFields) {
  if (stopped_) return;
  if (!window_) {
    window_ = std::make_unique<AnalysisWindow>();
    for (QAction* action : windowActions_) window_->addAction(action);
    placeBeside(*window_, calculator_);
  }
  window_->setFieldReader(std::move(readFields));
  window_->showPage(page);
  // Shown before it is filled, so that the charts take points for the width they really have.
  window_->show();
  window_->raise();
  window_->activateWindow();
  window_->refresh();
}

void QtAnalysisViewer::stop() {
  stopped_ = true;
  if (!window_) return;
  window_->setFieldReader(nullptr);
  window_->close();
}

}  // namespace vantro::qt
