#pragma once
// The splash window: its widgets, their adapters, and the logic ui::FrmSplash behind them.

#include <QLabel>

#include "qt/control_adapters.h"
#include "qt/info_window.h"
#include "qt/qt_event_pump.h"
#include "ui/info/frm_splash.h"

namespace vantro::qt {

class SplashWindow {
 public:
  // Creates the window hidden; loading it (its Load handler) is the caller's.
  explicit SplashWindow(ui::Application& app);

  InfoWindowWidget& widget() { return window_; }
  ui::FrmSplash& form() { return form_; }

 private:
  InfoWindowWidget window_;
  LabelAdapter lblProductName_;
  LabelAdapter lblVersion_;
  LabelAdapter lblReleasedDate_;
  LabelAdapter DesLabel1_;
  LabelAdapter EmailLabel1_;
  LabelAdapter HomePageLabel1_;
  InfoWindowAdapter adapter_;
  QtEventPump pump_;
  ui::FrmSplash form_;
};

}  // namespace vantro::qt
