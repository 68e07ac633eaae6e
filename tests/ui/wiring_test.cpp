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

TEST(Wiring, NoControlEventIsWiredTwice) {
  std::set<std::pair<ControlId, Event>> seen;
  for (const ui::Wire& wire : ui::wiring())
    EXPECT_TRUE(seen.insert({wire.control, wire.event}).second)
        << ui::controlInfo(wire.control).name;
}

TEST(Wiring, EveryKeyAndMenuItemAnswersItsClick) {
  for (const ui::ControlInfo& info : ui::kControls) {
    if (info.kind == ui::ControlKind::Button || info.kind == ui::ControlKind::MenuItem) {
      EXPECT_TRUE(ui::hasHandler(info.id, Event::Click)) << info.name;
    }
  }
}

TEST(Wiring, HandlersMatchTheirEventsSignature) {
  for (const ui::Wire& wire : ui::wiring()) {
    const bool key = wire.event == Event::KeyDown || wire.event == Event::KeyUp;
    EXPECT_EQ(std::holds_alternative<ui::KeyPressHandler>(wire.handler),
              wire.event == Event::KeyPress)
        << ui::controlInfo(wire.control).name;
    EXPECT_EQ(std::holds_alternative<ui::KeyHandler>(wire.handler), key)
        << ui::controlInfo(wire.control).name;
    EXPECT_EQ(std::holds_alternative<ui::MouseHandler>(wire.handler), wire.event == Event::MouseUp)
        << ui::controlInfo(wire.control).name;
    EXPECT_EQ(std::holds_alternative<ui::ButtonHandler>(wire.handler),
              wire.event == Event::ButtonClick)
        << ui::controlInfo(wire.control).name;
  }
}

}  // namespace
}  // namespace vantro::test
