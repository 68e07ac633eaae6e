#pragma once
// The main window Form1: its widgets, their adapters for the logic, and the window-level
// events (key preview, close, the Exit menu item). Works with any event sink: the logic's
// Form1Events in the program, a recording sink in the tests.

#include <QMainWindow>
#include <array>
#include <memory>
#include <vector>

#include "qt/analysis/qt_analysis_viewer.h"
#include "qt/control_adapters.h"
#include "qt/event_router.h"
#include "qt/main_window_announcements.h"
#include "qt/main_window_layout.h"
#include "qt/main_window_menus.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_event_pump.h"
#include "ui/form1.h"

namespace vantro::qt {

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(ui::EventSink* sink = nullptr);
  ~MainWindow() override;

  void attach(ui::EventSink* sink) { router_.attach(sink); }
  // The program has ended: no further event reaches the logic, and the analysis window, which
  // reads the logic's fields, closes.
  void stopEvents() {
    router_.stop();
    analysis_.stop();
  }
  // An event of the window itself that Qt does not raise (Load).
  void raise(ui::EventArgs&& event) { router_.deliver(ui::ControlId::Form1, event); }

  // The controls for ui::Form1.
  ui::Form1Controls controls();

  // The logic's interface of each control.
  FormWindowAdapter& form() { return form_; }
  ui::TextBox& textBox(ui::ControlId id);
  ui::Label& label(ui::ControlId id);
  ui::CheckBox& checkBox(ui::ControlId id);
  ui::Panel& panel(ui::ControlId id);
  ui::EventPump& pump() { return pump_; }
  ui::Clipboard& clipboard() { return clipboard_; }
  ui::AnalysisViewer& analysis() { return analysis_; }
  AnalysisWindow* analysisWindow() const { return analysis_.window(); }
  // The widget of a control (nullptr for Form1 and the menu items).
  QWidget* widget(ui::ControlId id) const { return widgets_.byId[static_cast<std::size_t>(id)]; }
  QAction* menuItem(ui::ControlId id) const { return menus_.items[static_cast<std::size_t>(id)]; }
  QToolBar* toolbar() const { return menus_.toolbar; }

  // Before the logic loads: the window centred on the primary screen.
  void placeAtDefaultPosition();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  class KeyPreviewFilter;

  EventRouter router_;
  MainWindowWidgets widgets_;
  FormWindowAdapter form_;
  std::array<std::unique_ptr<LabelAdapter>, ui::kControlCount> labels_;
  std::unique_ptr<ResultAnnouncements> announcements_;  // over the display and the status bar
  std::unique_ptr<CheckBoxAdapter> checkPayment_;
  std::unique_ptr<PanelAdapter> frame1_;
  QtEventPump pump_;
  QtClipboard clipboard_;
  QtAnalysisViewer analysis_;
  MainWindowMenus menus_;
  KeyPreviewFilter* keyPreviewFilter_ = nullptr;
};

}  // namespace vantro::qt
