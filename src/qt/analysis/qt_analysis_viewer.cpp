#include "qt/analysis/qt_analysis_viewer.h"

#include "qt/analysis/analysis_window.h"
#include "qt/placement_beside.h"

namespace vantro::qt {

QtAnalysisViewer::QtAnalysisViewer(const QWidget& calculator) : calculator_(calculator) {}
QtAnalysisViewer::~QtAnalysisViewer() = default;

void QtAnalysisViewer::show(ui::AnalysisPage page, ui::AnalysisLink link) {
  if (stopped_) return;
  if (!window_) {
    window_ = std::make_unique<AnalysisWindow>();
    for (QAction* action : windowActions_) window_->addAction(action);
  }
  if (!window_->isVisible()) placeBesideCalculator(*window_, calculator_);
  window_->setFieldReader(std::move(link.readFields));
  window_->setInterestWriter(std::move(link.setInterest));
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
  window_->setInterestWriter(nullptr);
  window_->close();
}

}  // namespace vantro::qt
