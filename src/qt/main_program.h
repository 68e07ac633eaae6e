#pragma once
// The program's main window: the Qt window with the window logic ui::Form1 behind it.

#include "qt/main_window.h"
#include "qt/tape/qt_tape.h"
#include "ui/event_sink.h"
#include "ui/form1.h"
#include "ui/module1.h"

namespace vantro::qt {

class MainProgram {
 public:
  explicit MainProgram(ui::Module1& module);

  // Places the window at its default position, runs the logic's Load (which may move it),
  // then shows and activates the window.
  void open();

  MainWindow& window() { return window_; }
  ui::Form1& form() { return form_; }
  QtTape& tape() { return tape_; }

 private:
  MainWindow window_;
  ui::Form1 form_;
  ui::Form1Events events_;
  // Kept per user, in $XDG_DATA_HOME/vantro-calculator.
  QtTape tape_;
};

}  // namespace vantro::qt
