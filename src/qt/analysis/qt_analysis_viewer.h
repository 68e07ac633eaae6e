#pragma once
// The analysis window as the logic asks for it: opened on first use, raised at the page asked
// for afterwards, and closed with the main window that owns the viewer.

#include <memory>
#include <vector>

class QAction;
class QWidget;

#include "ui/services.h"

namespace vantro::qt {

class AnalysisWindow;

class QtAnalysisViewer : public ui::AnalysisViewer {
 public:
  // The window opens beside `calculator` (placeBesideCalculator).
  explicit QtAnalysisViewer(const QWidget& calculator);
  ~QtAnalysisViewer() override;

  // An action of the calculator's that keeps its shortcut in the analysis window (Help
  // Topics, F1).
  void addWindowAction(QAction& action) { windowActions_.push_back(&action); }

  void show(ui::AnalysisPage page, ui::AnalysisLink link) override;
  // The main window is going: the window closes and never reads the fields again.
  void stop();

  AnalysisWindow* window() const { return window_.get(); }

 private:
  const QWidget& calculator_;
  std::unique_ptr<AnalysisWindow> window_;
  std::vector<QAction*> windowActions_;
  bool stopped_ = false;
};

}  // namespace vantro::qt
