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

}  // namespace

// The logic is meant never to throw; should it, the program stays alive and says so.
template <typename Delivery>
void EventRouter::deliver(ui::ControlId control, const char* what, Delivery delivery) {
  if (!sink_ || stopped_) return;
  try {
    delivery(*sink_);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vantro-calculator: %s of %s failed: %s\n", what,
                 std::string(ui::controlInfo(control).name).c_str(), error.what());
  } catch (...) {
    std::fprintf(stderr, "vantro-calculator: %s of %s failed\n", what,
                 std::string(ui::controlInfo(control).name).c_str());
  }
}

void EventRouter::event(ui::ControlId control, ui::Event event) {
  deliver(control, "event", [&](ui::EventSink& sink) { sink.onEvent(control, event); });
}

void EventRouter::keyPress(ui::ControlId control, int& keyAscii) {
  deliver(control, "KeyPress", [&](ui::EventSink& sink) { sink.onKeyPress(control, keyAscii); });
}

void EventRouter::keyDown(ui::ControlId control, int keyCode, int shift) {
  deliver(control, "KeyDown",
          [&](ui::EventSink& sink) { sink.onKeyDown(control, keyCode, shift); });
}

void EventRouter::keyUp(ui::ControlId control, int keyCode, int shift) {
  deliver(control, "KeyUp", [&](ui::EventSink& sink) { sink.onKeyUp(control, keyCode, shift); });
}

void EventRouter::mouseUp(ui::ControlId control, int button, int shift, double x, double y) {
  deliver(control, "MouseUp",
          [&](ui::EventSink& sink) { sink.onMouseUp(control, button, shift, x, y); });
}

void EventRouter::buttonClick(ui::ControlId control, const std::string& key) {
  deliver(control, "ButtonClick", [&](ui::EventSink& sink) { sink.onButtonClick(control, key); });
}

void EventRouter::focusIn(ui::ControlId control, Qt::FocusReason) {
  if (focused_ == control) return;
  const std::optional<ui::ControlId> old = focused_;
  focused_ = control;
  if (old) event(*old, ui::Event::LostFocus);
  event(control, ui::Event::GotFocus);
}

void EventRouter::focusOut(ui::ControlId control, Qt::FocusReason reason) {
  if (isActivationChange(reason) || focused_ != control) return;
  focused_.reset();
  event(control, ui::Event::LostFocus);
}

void EventRouter::focusMovedWhileInactive(ui::ControlId control) {
  focusIn(control, Qt::OtherFocusReason);
}

}  // namespace vantro::qt
