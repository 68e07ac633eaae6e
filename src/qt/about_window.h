#pragma once
// The About window: its widgets, their adapters, and the logic ui::FrmAbout behind them.

#include <QLabel>
#include <QPushButton>

#include "qt/control_adapters.h"
#include "qt/info_window.h"
#include "ui/info/frm_about.h"

namespace vantro::qt {

class AboutWindow {
 public:
  // Creates the window hidden; loading it (its Load handler) is the caller's.
  AboutWindow(ui::Module1& module, ui::FormWindow& mainWindow, ui::UrlOpener& shell,
              ui::ProgramLauncher& programs);
  ~AboutWindow();

  InfoWindowWidget& widget() { return window_; }
  ui::FrmAbout& form() { return form_; }

 private:
  class ChildEvents;

  InfoWindowWidget window_;
  LabelAdapter lblTitle_;
  LabelAdapter lblVersion_;
  LabelAdapter lblDescription_;
  LabelAdapter Label1Description_;
  LabelAdapter lblDisclaimer_;
  LabelAdapter HomePageLabel_;
  LabelAdapter Label1_;
  LabelAdapter EmailLabel_;
  LabelAdapter Label2_;
  InfoWindowAdapter adapter_;
  ui::FrmAbout form_;
  ChildEvents* childEvents_ = nullptr;
};

}  // namespace vantro::qt
