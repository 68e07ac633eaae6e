#pragma once
// Where a control set delivers the events of its controls. The window logic is one sink
// (Form1Events, below); the contract tests use a recording one.

#include "control_id.h"
#include "events.h"
#include "wiring.h"

namespace vantro::ui {

class EventSink {
 public:
  virtual ~EventSink() = default;
  // What the receiver changes in `event` (a KeyPress dropped) is what the control set acts on.
  virtual void onEvent(ControlId control, EventArgs& event) = 0;
};

// Delivers events to the window logic through the wiring table.
class Form1Events : public EventSink {
 public:
  explicit Form1Events(Form1& form) : form_(form) {}
  void onEvent(ControlId control, EventArgs& event) override { dispatch(form_, control, event); }

 private:
  Form1& form_;
};

}  // namespace vantro::ui
