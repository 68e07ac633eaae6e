// The cash-flow panel's roll, with clicks arriving while it lets events run, and lists longer
// than a 16-bit count.

#include <gtest/gtest.h>

#include <string>

#include "form_fixture.h"

namespace vantro::test {
namespace {

// A click on the cash-flow key during the roll (or two) starts rolls of their own; whatever
// frame they come in, the panel ends open at its full height with the list focused.
TEST(CashFlowPanel, ClicksDuringTheRollEndOpenAtFullHeightWithTheListFocused) {
  for (const int frame : {1, 2, 6, 12}) {
    LoadedForm f;
    auto& w = f.window;
    w.pump().during(frame, [&] { w.click(ControlId::CommandCF); });
    w.pump().during(frame + 3, [&] { w.click(ControlId::CommandCF); });
    w.click(ControlId::CommandCF);
    EXPECT_EQ(w.panel(ControlId::Frame1).height(), 2400) << frame;
    EXPECT_TRUE(w.panel(ControlId::Frame1).visible()) << frame;
    EXPECT_EQ(w.focused(), ControlId::TextCF) << frame;
    // Each roll is a dozen frames of 20 ms; nested rolls stop at the height reached so far.
    EXPECT_LE(w.pump().calls(), 3 * 12) << frame;
  }
  LoadedForm f;
  f.window.click(ControlId::CommandCF);
  EXPECT_EQ(f.window.pump().calls(), 12);
  EXPECT_EQ(f.window.pump().waitedMilliseconds(), 240);
}

TEST(CashFlowPanel, LineNumbersAndCountsGoPastTheSixteenBitRange) {
  LoadedForm f;
  auto& w = f.window;
  std::string list;
  for (int i = 0; i < 40000; ++i) list += i == 0 ? "-40000\r\n" : "1\r\n";
  w.textBox(ControlId::TextCF).setText(list);
  w.click(ControlId::CommandCF);
  w.textBox(ControlId::TextCF).setSelStart(static_cast<int>(list.size()));
  w.pressKey(35);  // End
  EXPECT_EQ(w.caption(ControlId::LabelLineNum), " 40001");
  w.click(ControlId::CommandNPV);
  EXPECT_EQ(f.state().CashFlows.size(), 40000u);
  EXPECT_EQ(f.display(), "-1.00");
  EXPECT_TRUE(f.messages.shown.empty());
}

}  // namespace
}  // namespace vantro::test
