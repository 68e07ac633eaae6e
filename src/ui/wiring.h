#pragma once
// The one table of which handler answers which control's event. The in-memory controls and
// the Qt front end both raise events through it.

#include <span>
#include <string>
#include <variant>

#include "control_id.h"

namespace vantro::ui {

class Form1;

enum class Event {
  Load,
  Unload,
  Click,
  GotFocus,
  LostFocus,
  KeyPress,
  KeyDown,
  KeyUp,
  MouseUp,
  ButtonClick
};

using PlainHandler = void (Form1::*)();
using KeyPressHandler = void (Form1::*)(int& keyAscii);
// KeyDown and KeyUp: the virtual key code and the shift state.
using KeyHandler = void (Form1::*)(int keyCode, int shift);
// MouseUp: the button, the shift state and the pointer's position in the control, in twips.
using MouseHandler = void (Form1::*)(int button, int shift, double x, double y);
// ButtonClick of a toolbar: the key of the clicked button.
using ButtonHandler = void (Form1::*)(const std::string& key);
using Handler =
    std::variant<PlainHandler, KeyPressHandler, KeyHandler, MouseHandler, ButtonHandler>;

struct Wire {
  ControlId control;
  Event event;
  Handler handler;
};

std::span<const Wire> wiring();
bool hasHandler(ControlId control, Event event);

// Each runs the handler wired to the control's event, if there is one.
void raise(Form1& form, ControlId control, Event event);
// `keyAscii` set to 0 by the handler means the key is dropped.
void raiseKeyPress(Form1& form, ControlId control, int& keyAscii);
void raiseKeyDown(Form1& form, ControlId control, int keyCode, int shift);
void raiseKeyUp(Form1& form, ControlId control, int keyCode, int shift);
void raiseMouseUp(Form1& form, ControlId control, int button, int shift, double x, double y);
void raiseButtonClick(Form1& form, ControlId control, const std::string& key);

}  // namespace vantro::ui
