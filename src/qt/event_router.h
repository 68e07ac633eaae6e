#pragma once
// Carries the main window's widget events to the logic's event sink, and turns Qt's focus
// changes into the logic's LostFocus/GotFocus pairs.
//
// The logic's focus follows Qt's, with one difference: a window losing and regaining its
// activation (a message box or a context menu opening and closing), and the menu bar taking the
// keys for a while (F10, or Escape from an open menu), is no focus change for the logic, as no
// LostFocus runs on a classic window then. So a FocusIn or FocusOut with
// Qt::ActiveWindowFocusReason, Qt::PopupFocusReason or Qt::MenuBarFocusReason counts only when
// it brings the focus to another control than the logic's focused one (for instance the first
// control when the window opens, or the control the logic chose while a message box was open).

#include <Qt>
#include <optional>

#include "ui/control_id.h"
#include "ui/event_sink.h"
#include "ui/events.h"

namespace vantro::qt {

class EventRouter {
 public:
  explicit EventRouter(ui::EventSink* sink = nullptr) : sink_(sink) {}

  void attach(ui::EventSink* sink) { sink_ = sink; }
  // The program has ended: nothing reaches the sink any more.
  void stop() { stopped_ = true; }

  // Hands `event` to the sink; what the sink changed in it (a KeyPress dropped) stays there.
  void deliver(ui::ControlId control, ui::EventArgs& event);
  void deliver(ui::ControlId control, ui::EventArgs&& event) { deliver(control, event); }

  void focusIn(ui::ControlId control, Qt::FocusReason reason);
  void focusOut(ui::ControlId control, Qt::FocusReason reason);
  // The logic gave `control` the focus while the window was not active: Qt only records it,
  // so the logic's handlers run now, as the logic expects them to, synchronously.
  void focusMovedWhileInactive(ui::ControlId control);

  std::optional<ui::ControlId> focused() const { return focused_; }

 private:
  ui::EventSink* sink_;
  bool stopped_ = false;
  std::optional<ui::ControlId> focused_;
};

}  // namespace vantro::qt
