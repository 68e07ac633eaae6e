// Thousands of clicks and keys in random order: no exception escapes a handler, and the
// display only ever holds what the keypad can build.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "form_fixture.h"
#include "ui/keys.h"

namespace vantro::test {
namespace {

bool displayIsBuildable(const std::string& text) {
  if (text.find_first_not_of("0123456789.-+E") != std::string::npos) return false;
  return std::count(text.begin(), text.end(), '.') <= 1 &&
         std::count(text.begin(), text.end(), 'E') <= 1;
}

bool fieldIsBuildable(const std::string& text) {
  return text.find_first_not_of("0123456789.-*/") == std::string::npos &&
         std::count(text.begin(), text.end(), '.') <= 1 &&
         std::count_if(text.begin(), text.end(), [](char c) { return c == '*' || c == '/'; }) <= 1;
}

void checkInvariants(LoadedForm& f) {
  auto& w = f.window;
  const ui::Form1State& s = f.state();
  const std::string display = f.display();
  ASSERT_TRUE(displayIsBuildable(display)) << display;
  for (const std::string& shown : {display, f.status()}) {
    ASSERT_EQ(shown.find("inf"), std::string::npos) << shown;
    ASSERT_EQ(shown.find("nan"), std::string::npos) << shown;
  }
  for (ControlId field : {ControlId::TextN, ControlId::TextInterest, ControlId::TextPV,
                          ControlId::TextFV, ControlId::TextPMT, ControlId::TextPer})
    ASSERT_TRUE(fieldIsBuildable(w.text(field))) << w.text(field);
  ASSERT_EQ(w.text(ControlId::TextDecimal).find_first_not_of("0123456789"), std::string::npos);
  for (const std::string& op : {w.caption(ControlId::Label1), s.PendingOperator})
    ASSERT_TRUE(op == "" || op == "+" || op == "-" || op == "X" || op == "/") << op;
  const std::string constant = w.caption(ControlId::Label3), memory = w.caption(ControlId::Label2);
  ASSERT_TRUE(constant == "" || constant == "K") << constant;
  ASSERT_TRUE(memory == "" || memory == "M") << memory;
  ASSERT_TRUE(std::isfinite(s.MemoryValue));
  // Without its mark, no constant and nothing in memory.
  ASSERT_TRUE(!constant.empty() || s.ConstantOperand == 0) << s.ConstantOperand;
  ASSERT_TRUE(!memory.empty() || s.MemoryValue == 0) << s.MemoryValue;
  ASSERT_TRUE(s.ActiveField >= 0 && s.ActiveField <= 7);
  // The cash-flow panel is open exactly while its box has the focus, at its full height.
  ASSERT_EQ(w.panel(ControlId::Frame1).visible(), w.focused() == ControlId::TextCF);
  ASSERT_EQ(w.panel(ControlId::Frame1).height(), 2400);
  ASSERT_EQ(w.text(ControlId::TextCF).find_first_not_of("0123456789.$-\r\n"), std::string::npos);
  // Key preview is off exactly while the display has the focus.
  ASSERT_EQ(w.form().keyPreview(), w.focused() != ControlId::Text1);
}

std::vector<ControlId> controlsOfKind(ui::ControlKind kind) {
  std::vector<ControlId> ids;
  for (const ui::ControlInfo& info : ui::kControls)
    if (info.kind == kind && info.id != ControlId::MenuExit) ids.push_back(info.id);
  return ids;
}

class RandomEvents : public ::testing::TestWithParam<unsigned> {};

TEST_P(RandomEvents, NeverThrowAndKeepTheDisplayBuildable) {
  std::mt19937 random(GetParam());
  LoadedForm f;
  const std::vector<ControlId> keys = controlsOfKind(ui::ControlKind::Button);
  const std::vector<ControlId> boxes = {
      ControlId::Text1,   ControlId::TextN,       ControlId::TextInterest,
      ControlId::TextPV,  ControlId::TextFV,      ControlId::TextPMT,
      ControlId::TextPer, ControlId::TextDecimal, ControlId::TextCF};
  const std::string typed = "0123456789.+-*/\r\b\x1b a,E";
  const int navigation[] = {ui::keys::vkLeft, ui::keys::vkRight, 36, 35};
  auto pick = [&](const auto& items) { return items[random() % std::size(items)]; };

  for (int step = 0; step < 5000; ++step) {
    const auto action = random() % 100;
    // Digits most often, so that numbers grow long and results reach the double's limits.
    if (action < 35) {
      f.window.click(
          static_cast<ControlId>(static_cast<int>(ControlId::Num0Command) + random() % 10));
    } else if (action < 70) {
      f.window.click(pick(keys));
    } else if (action < 85) {
      f.window.type(std::string(1, pick(typed)));
    } else if (action < 90) {
      f.window.pressKey(pick(navigation));
    } else if (action < 94) {
      f.window.pressKeypadOperator(pick(std::string_view("*+-/")));
    } else {
      const ControlId box = pick(boxes);
      f.window.click(box);
      auto& target = f.window.textBox(box);
      target.setSelStart(static_cast<int>(random() % 40));
    }
    ASSERT_NO_FATAL_FAILURE(checkInvariants(f)) << "seed " << GetParam() << " step " << step;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEvents, ::testing::Values(1u, 2u, 3u, 42u, 2026u, 99991u));

}  // namespace
}  // namespace vantro::test
