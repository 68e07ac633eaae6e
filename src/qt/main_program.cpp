#include "qt/main_program.h"

#include <cstdlib>

namespace vantro::qt {

MainProgram::MainProgram(ui::Module1& module)
    : form_(window_.controls(), module),
      events_(form_),
      tape_(window_, core::tape::defaultTapeFolder(&std::getenv)) {
  window_.attach(&events_);
  tape_.setRecall([this](const core::tape::Entry& line) { form_.RecallTapeLine(line); });
  tape_.addWindowAction(*window_.menuItem(ui::ControlId::MenuHelpTopics));
  module.setTape(&tape_);
}

void MainProgram::open() {
  // Load takes the position the window has when it is created as the default.
  window_.placeAtDefaultPosition();
  window_.raise(ui::events::Load{});
  window_.show();
  window_.activateWindow();
}

}  // namespace vantro::qt
