#include "qt/event_router.h"

#include <cstdio>
#include <exception>
#include <string>

namespace vantro::qt {

namespace {

bool isActivationChange(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
         reason == Qt::MenuBarFocusReason;
}

void reportFailure(ui::ControlId control, const ui::EventArgs& event, const char* reason) {
  const std::string what(ui::eventName(event));
  const std::string name(ui::controlInfo(control).name);
  std::fprintf(stderr, "vantro-calculator: %s of %s failed: %s\n", what.c_str(), name.c_str(),
               reason);
}

}  // namespace

// The logic is meant never to throw; should it, the program stays alive and says so.
void EventRouter::deliver(ui::ControlId control, ui::EventArgs& event) {
  if (!sink_ || stopped_) return;
  try {
    sink_->onEvent(control, event);
  } catch (const std::exception& error) {
    reportFailure(control, event, error.what());
  } catch (...) {
    reportFailure(control, event, "an unknown error");
  }
}

void EventRouter::focusIn(ui::ControlId control, Qt::FocusReason) {
  if (focused_ == control) return;
  const std::optional<ui::ControlId> old = focused_;
  focused_ = control;
  if (old) deliver(*old, ui::events::LostFocus{});
  deliver(control, ui::events::GotFocus{});
}

void EventRouter::focusOut(ui::ControlId control, Qt::FocusReason reason) {
  if (isActivationChange(reason) || focused_ != control) return;
  focused_.reset();
  deliver(control, ui::events::LostFocus{});
}

void EventRouter::focusMovedWhileInactive(ui::ControlId control) {
  focusIn(control, Qt::OtherFocusReason);
}

}  // namespace vantro::qt
