#pragma once
// Which handler of the window logic answers which control's event: one table (wiring.cpp),
// checked by the compiler, and one dispatch that the in-memory controls and the Qt front end
// both reach through Form1Events.

#include "control_id.h"
#include "events.h"

namespace vantro::ui {

// Runs the handler wired to the control's event, if there is one, with the event's arguments;
// what the handler changes in them (a KeyPress's keyAscii) is left in `event`.
void dispatch(Form1& form, ControlId control, EventArgs& event);
inline void dispatch(Form1& form, ControlId control, EventArgs&& event) {
  dispatch(form, control, event);
}

}  // namespace vantro::ui
