// Cut, Copy and Paste on the focused text box, through the clipboard's plain text.

#include "core/cash_flow_text.h"
#include "core/number_text.h"
#include "ui/form1.h"
#include "ui/module1.h"

namespace vantro::ui {

TextBox* Form1::FocusedTextBox() const {
  const std::optional<ControlId> focused = c_.Form1.activeControl();
  if (!focused) return nullptr;
  switch (*focused) {
    case ControlId::Text1:
      return &c_.Text1;
    case ControlId::TextN:
      return &c_.TextN;
    case ControlId::TextInterest:
      return &c_.TextInterest;
    case ControlId::TextPV:
      return &c_.TextPV;
    case ControlId::TextFV:
      return &c_.TextFV;
    case ControlId::TextPMT:
      return &c_.TextPMT;
    case ControlId::TextPer:
      return &c_.TextPer;
    case ControlId::TextCF:
      return &c_.TextCF;
    case ControlId::TextDecimal:
      return &c_.TextDecimal;
    default:
      return nullptr;  // a key or the check box: nothing to cut, copy or paste
  }
}

// With nothing selected there is nothing to copy: the clipboard keeps what another program, or
// an earlier Copy, put there.
void Form1::MenuCopy_Click() {
  TextBox* box = FocusedTextBox();
  if (!box || box->selLength() == 0) return;
  c_.SystemClipboard.clear();
  c_.SystemClipboard.setText(box->selectedText());
}

// Only the text changes: the display's state and the fields' formatting stay as they are.
void Form1::MenuCut_Click() {
  TextBox* box = FocusedTextBox();
  if (!box || box->selLength() == 0) return;
  c_.SystemClipboard.clear();
  c_.SystemClipboard.setText(box->selectedText());
  box->setSelectedText("");
}

// The cash-flow list takes any text whose lines an editor can lay out at once. Every other box
// takes a number only, read as the list reads its amounts (the program's own form first, so that
// a number it wrote means the same in any locale), and takes it in the form the fields read
// ("1,000" as 1000, "$12.50" as 12.50): a separator left in would end the number there for
// every command. The box is the focused one, not ActiveField: after a click into the
// decimal-places box, ActiveField still names the field used before it.
void Form1::MenuPaste_Click() {
  TextBox* box = FocusedTextBox();
  if (!box) return;
  std::string text = c_.SystemClipboard.text();
  if (box == &c_.TextCF) {
    if (!core::fitsCashFlowList(text)) return;
  } else {
    std::optional<std::string> number = core::readNumber(text, module_.app().numberLocale());
    if (!number) return;
    text = std::move(*number);
  }
  // After an operator or equals, the pasted digits join the number on display and become the
  // right operand, as typed digits would.
  if (box == &c_.Text1 && s_.NewEntry) NewNumberStep(true, false);
  box->setSelectedText(text);
}

}  // namespace vantro::ui
