#pragma once
// The main window's controls in memory, with a focus and a keyboard, driven the way a user's
// hands drive the real window: click(NumPlusCommand); type("3\r"); ...

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/event_sink.h"
#include "ui/form1.h"
#include "ui/testing/memory_controls.h"

namespace vantro::ui::testing {

class MemoryWindow {
 public:
  MemoryWindow();

  // The controls for the window logic.
  Form1Controls controls();
  // Events go to `sink` from now on (nullptr: nowhere).
  void attach(EventSink* sink) { sink_ = sink; }

  std::optional<ControlId> focused() const { return focused_; }
  // Moves the focus: LostFocus of the old control, then GotFocus of the new one.
  void focus(ControlId id);

  // A mouse click: the control takes the focus (a check box toggles), then its Click runs; on
  // a text box the release of the button raises MouseUp. Menu items leave the focus alone.
  void click(ControlId id);
  // Typed characters, each as a real key press on whichever control has the focus then:
  // the window's KeyDown (while key preview is on), the control's KeyDown, its KeyPress and,
  // unless KeyPress dropped it, the box's own edit, and KeyUp when the key is released.
  // "\r" is Enter, "\b" Backspace.
  void type(std::string_view keys);
  void typeInto(ControlId id, std::string_view keys) {
    focus(id);
    type(keys);
  }
  // A button of the toolbar, by its key: the focus stays where it is.
  void clickToolbarButton(const std::string& key) {
    deliver(ControlId::Toolbar1, events::ButtonClick{key});
  }
  // A key without a character of its own (arrows, Home, End, Delete).
  void pressKey(int keyCode);
  // The numeric keypad's * + - / keys: their own key codes, with the character they type.
  void pressKeypadOperator(char op);

  MemoryTextBox& textBox(ControlId id);
  MemoryLabel& label(ControlId id);
  MemoryCheckBox& checkBox(ControlId id);
  MemoryPanel& panel(ControlId id);
  MemoryFormWindow& form() { return form_; }
  MemoryEventPump& pump() { return pump_; }
  MemoryClipboard& clipboard() { return clipboard_; }
  MemoryAnalysisViewer& analysis() { return analysis_; }

  std::string text(ControlId id) { return textBox(id).text(); }
  std::string caption(ControlId id) { return label(id).caption(); }

 private:
  void keyStroke(int keyCode, int keyAscii);
  // Hands `event` to the sink; what the sink changed in it stays there.
  void deliver(ControlId id, EventArgs& event) {
    if (sink_) sink_->onEvent(id, event);
  }
  void deliver(ControlId id, EventArgs&& event) { deliver(id, event); }

  EventSink* sink_ = nullptr;
  std::optional<ControlId> focused_;
  MemoryFormWindow form_;
  MemoryEventPump pump_;
  MemoryClipboard clipboard_;
  MemoryAnalysisViewer analysis_;
  std::array<std::unique_ptr<MemoryTextBox>, kControlCount> textBoxes_;
  std::array<std::unique_ptr<MemoryLabel>, kControlCount> labels_;
  std::array<std::unique_ptr<MemoryCheckBox>, kControlCount> checkBoxes_;
  std::array<std::unique_ptr<MemoryPanel>, kControlCount> panels_;
};

// The key code a main-keyboard character sends with its key press (0 when none matters).
int keyCodeOfCharacter(char c);

}  // namespace vantro::ui::testing
