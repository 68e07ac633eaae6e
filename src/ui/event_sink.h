#pragma once
// Where a control set delivers the events of its controls. The window logic is one sink
// (Form1Events, below); the contract tests use a recording one.

#include <string>

#include "control_id.h"
#include "wiring.h"

namespace vantro::ui {

class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void onEvent(ControlId control, Event event) = 0;
  virtual void onKeyPress(ControlId control, int& keyAscii) = 0;
  virtual void onKeyDown(ControlId control, int keyCode, int shift) = 0;
  virtual void onKeyUp(ControlId control, int keyCode, int shift) = 0;
  virtual void onMouseUp(ControlId control, int button, int shift, double x, double y) = 0;
  // A button of a toolbar, named by its key.
  virtual void onButtonClick(ControlId control, const std::string& key) = 0;
};

// Delivers events to the window logic through the wiring table.
class Form1Events : public EventSink {
 public:
  explicit Form1Events(Form1& form) : form_(form) {}
  void onEvent(ControlId control, Event event) override { raise(form_, control, event); }
  void onKeyPress(ControlId control, int& keyAscii) override {
    raiseKeyPress(form_, control, keyAscii);
  }
  void onKeyDown(ControlId control, int keyCode, int shift) override {
    raiseKeyDown(form_, control, keyCode, shift);
  }
  void onKeyUp(ControlId control, int keyCode, int shift) override {
    raiseKeyUp(form_, control, keyCode, shift);
  }
  void onMouseUp(ControlId control, int button, int shift, double x, double y) override {
    raiseMouseUp(form_, control, button, shift, x, y);
  }
  void onButtonClick(ControlId control, const std::string& key) override {
    raiseButtonClick(form_, control, key);
  }

 private:
  Form1& form_;
};

}  // namespace vantro::ui
