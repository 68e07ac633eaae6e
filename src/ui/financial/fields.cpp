// The financial entry boxes: entering one selects its text and makes it the box the keypad
// types into.

#include "core/text_edit.h"
#include "ui/form1.h"

namespace vantro::ui {

void Form1::SelectAllOnFocus(TextBox& box, ActiveFieldCode code) {
  box.setSelStart(0);
  box.setSelLength(core::charCount(box.text()));
  s_.ActiveField = code;
}

void Form1::TextN_GotFocus() {
  SelectAllOnFocus(c_.TextN, kFieldN);
}
void Form1::TextInterest_GotFocus() {
  SelectAllOnFocus(c_.TextInterest, kFieldInterest);
}
void Form1::TextPV_GotFocus() {
  SelectAllOnFocus(c_.TextPV, kFieldPV);
}
void Form1::TextFV_GotFocus() {
  SelectAllOnFocus(c_.TextFV, kFieldFV);
}
void Form1::TextPMT_GotFocus() {
  SelectAllOnFocus(c_.TextPMT, kFieldPMT);
}
void Form1::TextPer_GotFocus() {
  SelectAllOnFocus(c_.TextPer, kFieldPer);
}

}  // namespace vantro::ui
