#include "qt/main_program.h"

namespace vantro::qt {

MainProgram::MainProgram(ui::Module1& module) : form_(window_.controls(), module), events_(form_) {
  window_.attach(&events_);
}

void MainProgram::open() {
  // Load takes the position the window has when it is created as the default.
  window_.placeAtDefaultPosition();
  window_.raise(ui::events::Load{});
  window_.show();
  window_.activateWindow();
}

}  // namespace vantro::qt
