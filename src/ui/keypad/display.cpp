// The display, its focus handlers, the new-number step and the two clear keys.

#include <algorithm>

#include "core/number_text.h"
#include "core/text_edit.h"
#include "ui/form1.h"
#include "ui/keypad/messages.h"

namespace vantro::ui {

TextBox* Form1::EntryBox(int field) const {
  if (field == kFieldText1) return &c_.Text1;
  const financial::EntryField* entry = financial::entryFieldOf(field);
  return entry ? c_.textBox(entry->id) : nullptr;
}

double Form1::DisplayValue() const {
  return core::leadingNumberValue(c_.Text1.text());
}

void Form1::FocusAtCaret(TextBox& box, int caret) {
  box.setFocus();
  box.setSelStart(caret);
}

void Form1::ReturnFocus(TextBox& box) {
  const int start = box.selStart();
  const int length = box.selLength();
  box.setFocus();
  box.setSelStart(start);
  box.setSelLength(length);
}

// A refused second point at the caret 0 steps back to −1, and its caller's + 1 brings the caret
// back to 0.
void Form1::SetCursorPos(int position) {
  s_.CursorPos = static_cast<std::int16_t>(std::clamp(position, -1, 32767));
}

void Form1::MoveDisplayCaretToEnd() {
  c_.Text1.setSelStart(core::charCount(c_.Text1.text()));
}

void Form1::ShowOverflow() {
  c_.Label4.setCaption(kOverflowMessage);
}

void Form1::Text1_GotFocus() {
  c_.Form1.setKeyPreview(false);
  MoveDisplayCaretToEnd();
  s_.ActiveField = kFieldText1;
}

void Form1::Text1_LostFocus() {
  c_.Form1.setKeyPreview(true);
}

void Form1::NewNumberStep(bool emptyLabel1, bool emptyDisplay) {
  s_.Accumulator = DisplayValue();
  if (!c_.Label1.caption().empty()) s_.PendingOperator = c_.Label1.caption();
  if (emptyLabel1) c_.Label1.setCaption("");
  if (emptyDisplay) c_.Text1.setText("");
  s_.NewEntry = false;
}

void Form1::NumACCommand_Click() {
  c_.Text1.setText("0");
  MoveDisplayCaretToEnd();
  s_.Accumulator = 0;
  s_.ConstantOperand = 0;
  c_.Label1.setCaption("");
  c_.Label3.setCaption("");
  c_.Label4.setCaption("");
  s_.PendingOperator.clear();
  c_.Text1.setFocus();
}

void Form1::NumCCommand_Click() {
  c_.Text1.setText("0");
  MoveDisplayCaretToEnd();
  c_.Text1.setFocus();
}

}  // namespace vantro::ui
