// The wiring table: every control event the window answers has exactly one handler, and the
// keys whose handlers exist are wired to the control they belong to.

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "ui/control_id.h"
#include "ui/wiring.h"

namespace vantro::test {
namespace {

using ui::ControlId;
using ui::Event;

// A handler of another signature than its event's would never be called.
TEST(Wiring, EachControlEventHasOneHandlerOfItsEventsSignature) {
  std::set<std::pair<ControlId, Event>> seen;
  for (const ui::Wire& wire : ui::wiring()) {
    const auto name = ui::controlInfo(wire.control).name;
    const Event e = wire.event;
    const auto& h = wire.handler;
    EXPECT_TRUE(seen.insert({wire.control, e}).second) << name;
    EXPECT_EQ(std::holds_alternative<ui::KeyPressHandler>(h), e == Event::KeyPress) << name;
    EXPECT_EQ(std::holds_alternative<ui::KeyHandler>(h), e == Event::KeyDown || e == Event::KeyUp)
        << name;
    EXPECT_EQ(std::holds_alternative<ui::MouseHandler>(h), e == Event::MouseUp) << name;
    EXPECT_EQ(std::holds_alternative<ui::ButtonHandler>(h), e == Event::ButtonClick) << name;
  }
}

TEST(Wiring, EveryKeyAndMenuItemAnswersItsClick) {
  for (const ui::ControlInfo& info : ui::kControls) {
    if (info.kind == ui::ControlKind::Button || info.kind == ui::ControlKind::MenuItem) {
      EXPECT_TRUE(ui::hasHandler(info.id, Event::Click)) << info.name;
    }
  }
}

}  // namespace
}  // namespace vantro::test
