#pragma once
// The control semantics the window logic relies on, as one suite that runs against every
// control set (in memory and Qt), so that the two cannot drift apart.
//
// A control set joins by providing a Harness and instantiating the suite:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Memory, TextBoxContract, ::testing::Types<MemoryHarness>);

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/control_id.h"
#include "ui/controls.h"
#include "ui/event_sink.h"
#include "ui/form1.h"
#include "ui/keys.h"

namespace vantro::contract {

using ui::ControlId;

// Records every event but clicks, which only the in-memory boxes raise (no box answers one), as
// "Control.Event", keys with their code ("Text1.KeyDown:37"); its KeyPress answer can be set to
// drop characters.
class RecordingSink : public ui::EventSink {
 public:
  void onEvent(ControlId control, ui::EventArgs& event) override {
    if (!std::holds_alternative<ui::events::Click>(event)) record(control, describe(event));
    if (auto* press = std::get_if<ui::events::KeyPress>(&event); press && dropCharacters)
      press->keyAscii = 0;
  }
  static std::string describe(const ui::EventArgs& event) {
    std::string what(ui::eventName(event));
    if (const auto* press = std::get_if<ui::events::KeyPress>(&event))
      what += ":" + std::to_string(press->keyAscii);
    if (const auto* down = std::get_if<ui::events::KeyDown>(&event))
      what += ":" + std::to_string(down->keyCode);
    if (const auto* up = std::get_if<ui::events::KeyUp>(&event))
      what += ":" + std::to_string(up->keyCode);
    if (const auto* click = std::get_if<ui::events::ButtonClick>(&event)) what += ":" + click->key;
    return what;
  }
  // "Control.What", as the tests compare them.
  void record(ControlId control, const std::string& what) {
    events.push_back(std::string(ui::controlInfo(control).name) + "." + what);
  }

  std::vector<std::string> events;
  bool dropCharacters = false;
};

// What a control set must offer the suite. Its events go to `sink`.
//   TextBox& box(ControlId)       Text1, TextPV and TextCF at least
//   void typeCharacter(int ascii) one real key press with that character on the focused box
//   void pressKey(int keyCode)    one key without a character (ui::keys::vkLeft, ...)
//   void clickBox(ControlId)      a mouse click into a text box
//   Form1Controls controls()      the window's controls (Frame1 and Pump used here)
//   void post(std::function<void()>)  work for the event queue: it runs in a later processEvents
//   RecordingSink sink;

template <typename Harness>
class TextBoxContract : public ::testing::Test {
 protected:
  Harness h;
  ui::TextBox& display() { return h.box(ControlId::Text1); }
  ui::TextBox& pv() { return h.box(ControlId::TextPV); }
  // The present-value box holding `text`, the caret at `start` and `length` characters selected.
  ui::TextBox& pvHolding(const std::string& text, int start, int length = 0) {
    ui::TextBox& box = pv();
    box.setText(text);
    box.setSelStart(start);
    box.setSelLength(length);
    return box;
  }
};

TYPED_TEST_SUITE_P(TextBoxContract);

// Replacing the text puts the caret at 0 with nothing selected; the caret and the selection
// stay within the text, counted in characters, not bytes; moving the caret empties the
// selection; a selection replaced leaves the caret after what was inserted.
TYPED_TEST_P(TextBoxContract, TextCaretAndSelection) {
  auto& box = this->pvHolding("12345", 2, 2);
  box.setText("\u20AC23");  // euro sign, then 23
  EXPECT_EQ(box.text(), "\u20AC23");
  EXPECT_EQ(box.selStart(), 0);
  EXPECT_EQ(box.selLength(), 0);
  box.setSelStart(99);
  EXPECT_EQ(box.selStart(), 3);
  box.setSelStart(-4);
  EXPECT_EQ(box.selStart(), 0);
  box.setSelStart(1);
  box.setSelLength(99);
  EXPECT_EQ(box.selLength(), 2);
  EXPECT_EQ(box.selectedText(), "23");
  box.setSelStart(2);
  EXPECT_EQ(box.selLength(), 0);
  EXPECT_EQ(box.selectedText(), "");
  box.setSelStart(1);
  box.setSelLength(1);
  box.setSelectedText("xy z");
  EXPECT_EQ(box.text(), "\u20ACxy z3");
  EXPECT_EQ(box.selStart(), 5);
  EXPECT_EQ(box.selLength(), 0);
}

TYPED_TEST_P(TextBoxContract, FocusRunsLostFocusOfTheOldBoxThenGotFocusOfTheNewAndKeepsSelections) {
  this->display().setFocus();
  this->h.sink.events.clear();
  this->pv().setFocus();
  EXPECT_EQ(this->h.sink.events, (std::vector<std::string>{"Text1.LostFocus", "TextPV.GotFocus"}));
  this->h.sink.events.clear();
  this->pv().setFocus();  // already focused: nothing
  EXPECT_TRUE(this->h.sink.events.empty());
  EXPECT_EQ(this->h.controls().Form1.activeControl(), ControlId::TextPV);
  this->h.clickBox(ControlId::TextCF);
  EXPECT_EQ(this->h.controls().Form1.activeControl(), ControlId::TextCF);
  // A box keeps its selection when it loses the focus, and takes a new caret unfocused.
  this->pv().setFocus();
  auto& box = this->pvHolding("500", 0, 3);
  this->display().setFocus();
  EXPECT_EQ(box.selStart(), 0);
  EXPECT_EQ(box.selLength(), 3);
  box.setSelStart(2);
  EXPECT_EQ(box.selStart(), 2);
}

TYPED_TEST_P(TextBoxContract, AKeptCharacterReplacesTheSelectionAndADroppedOneNeverArrives) {
  this->pv().setFocus();
  auto& box = this->pvHolding("1234", 1, 2);
  this->h.sink.events.clear();
  this->h.typeCharacter('7');
  EXPECT_EQ(box.text(), "174");
  EXPECT_EQ(box.selStart(), 2);
  EXPECT_EQ(
      this->h.sink.events,
      (std::vector<std::string>{"TextPV.KeyDown:55", "TextPV.KeyPress:55", "TextPV.KeyUp:55"}));
  this->h.sink.dropCharacters = true;
  this->h.typeCharacter('8');
  EXPECT_EQ(box.text(), "174");
}

TYPED_TEST_P(TextBoxContract, BackspaceDeletesTheSelectionOrTheCharacterBeforeTheCaret) {
  this->pv().setFocus();
  auto& box = this->pvHolding("12345", 3);
  this->h.typeCharacter(ui::keys::kBackspace);
  EXPECT_EQ(box.text(), "1245");
  EXPECT_EQ(box.selStart(), 2);
  box.setSelStart(1);
  box.setSelLength(2);
  this->h.typeCharacter(ui::keys::kBackspace);
  EXPECT_EQ(box.text(), "15");
  EXPECT_EQ(box.selStart(), 1);
  box.setSelStart(0);
  this->h.typeCharacter(ui::keys::kBackspace);
  EXPECT_EQ(box.text(), "15");
}

TYPED_TEST_P(TextBoxContract, ArrowKeysReportTheirKeyCodeAndMoveTheCaret) {
  auto& box = this->display();
  box.setFocus();
  box.setText("123");
  box.setSelStart(3);
  this->h.sink.events.clear();
  this->h.pressKey(ui::keys::vkLeft);
  EXPECT_EQ(box.selStart(), 2);
  EXPECT_EQ(this->h.sink.events, (std::vector<std::string>{"Text1.KeyDown:37", "Text1.KeyUp:37"}));
}

TYPED_TEST_P(TextBoxContract, AClickIntoABoxFocusesItThenReleasesTheButton) {
  this->display().setFocus();
  this->h.sink.events.clear();
  this->h.clickBox(ControlId::TextPV);
  EXPECT_EQ(this->h.sink.events,
            (std::vector<std::string>{"Text1.LostFocus", "TextPV.GotFocus", "TextPV.MouseUp"}));
}

// The multi-line box: lines end in CR LF, whatever line ends it is given; a position between the
// CR and the LF of a line end is the position before the line end; Enter starts a new line.
TYPED_TEST_P(TextBoxContract, TheMultiLineBoxEndsEveryLineWithCrLf) {
  ui::Form1Controls controls = this->h.controls();
  controls.Frame1.setVisible(true);
  ui::TextBox& flows = this->h.box(ControlId::TextCF);
  flows.setFocus();
  flows.setText("-100\r\n60\n70\r");
  EXPECT_EQ(flows.text(), "-100\r\n60\r\n70\r\n");
  flows.setSelStart(6);   // before "60"
  flows.setSelLength(4);  // "60\r\n"
  EXPECT_EQ(flows.selectedText(), "60\r\n");
  flows.setSelStart(8);  // after "60"
  this->h.typeCharacter(ui::keys::kEnter);
  EXPECT_EQ(flows.text(), "-100\r\n60\r\n\r\n70\r\n");
  EXPECT_EQ(flows.selStart(), 10);
  flows.setSelStart(5);
  EXPECT_EQ(flows.selStart(), 4);
  flows.setSelectedText("5\n");
  EXPECT_EQ(flows.text(), "-1005\r\n\r\n60\r\n\r\n70\r\n");
  this->h.pressKey(ui::keys::vkRight);  // over the empty line: one line end
  EXPECT_EQ(flows.selStart(), 9);
  this->h.typeCharacter(ui::keys::kBackspace);
  EXPECT_EQ(flows.text(), "-1005\r\n60\r\n\r\n70\r\n");
  EXPECT_EQ(flows.selStart(), 7);
}

// The logic reads back the height the window really gave the panel: whole pixels of 15 twips.
TYPED_TEST_P(TextBoxContract, APanelReportsItsMeasuredHeightAndVisibility) {
  ui::Panel& panel = this->h.controls().Frame1;
  panel.setVisible(true);
  EXPECT_TRUE(panel.visible());
  panel.setHeight(0);
  EXPECT_EQ(panel.height(), 0);
  panel.setHeight(164);
  EXPECT_EQ(panel.height(), 150);
  panel.setHeight(2400);
  EXPECT_EQ(panel.height(), 2400);
  panel.setVisible(false);
  EXPECT_FALSE(panel.visible());
}

TYPED_TEST_P(TextBoxContract, PendingWorkRunsOnceWhenTheLogicProcessesEvents) {
  int runs = 0;
  this->h.post([&runs] { ++runs; });
  this->h.post([&runs] { runs += 10; });
  EXPECT_EQ(runs, 0);
  this->h.controls().Pump.processEvents(1);
  this->h.controls().Pump.processEvents(1);
  EXPECT_EQ(runs, 11);
}

REGISTER_TYPED_TEST_SUITE_P(TextBoxContract, TextCaretAndSelection,
                            FocusRunsLostFocusOfTheOldBoxThenGotFocusOfTheNewAndKeepsSelections,
                            AKeptCharacterReplacesTheSelectionAndADroppedOneNeverArrives,
                            BackspaceDeletesTheSelectionOrTheCharacterBeforeTheCaret,
                            ArrowKeysReportTheirKeyCodeAndMoveTheCaret,
                            AClickIntoABoxFocusesItThenReleasesTheButton,
                            TheMultiLineBoxEndsEveryLineWithCrLf,
                            APanelReportsItsMeasuredHeightAndVisibility,
                            PendingWorkRunsOnceWhenTheLogicProcessesEvents);

}  // namespace vantro::contract
