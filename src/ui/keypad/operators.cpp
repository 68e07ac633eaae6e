// The four operators, equals and constant mode ("K"): immediate, strictly left to right.

#include <string>

#include "core/checked_math.h"
#include "core/number_format.h"
#include "core/text_edit.h"
#include "ui/form1.h"
#include "ui/keypad/messages.h"

namespace vantro::ui {

namespace {

bool holdsProductOrQuotient(const std::string& text) {
  return text.find_first_of("*/") != std::string::npos;
}
}  // namespace

void Form1::NumPlusCommand_Click() {
  EnterOperator("+");
}
void Form1::NumMinusCommand_Click() {
  EnterOperator("-");
}

// In the fields that take a product or a quotient (8/12 is a monthly rate, 30*12 a count of
// months) these keys type "*" or "/"; elsewhere they are operators.
void Form1::NumMULCommand_Click() {
  const financial::EntryField* field = financial::entryFieldOf(s_.ActiveField);
  if (field && field->keys.productOrQuotient) {
    TextBox& box = *c_.textBox(field->id);
    if (!holdsProductOrQuotient(box.text())) RouteKey("*");
    ReturnFocus(box);
  } else {
    EnterOperator("X");
  }
}

void Form1::NumDivCommand_Click() {
  const financial::EntryField* field = financial::entryFieldOf(s_.ActiveField);
  if (field && field->keys.productOrQuotient) {
    TextBox& box = *c_.textBox(field->id);
    if (!holdsProductOrQuotient(box.text())) RouteKey("/");
    ReturnFocus(box);
  } else {
    EnterOperator("/");
  }
}

void Form1::EnterOperator(const std::string& op) {
  if (op != c_.Label1.caption()) {
    if (!s_.NewEntry) {
      EvaluatePending();
      s_.Accumulator = DisplayValue();
    }
    c_.Label3.setCaption("");
    s_.ConstantOperand = 0;
  } else if (c_.Label3.caption() == kConstantIndicator) {
    c_.Label3.setCaption("");  // a third press of the same operator ends constant mode
    s_.ConstantOperand = 0;
  } else if (s_.NewEntry) {
    c_.Label3.setCaption(kConstantIndicator);  // the same operator twice starts it
    s_.ConstantOperand = DisplayValue();
  } else {
    EvaluatePending();
    s_.Accumulator = DisplayValue();
  }
  s_.NewEntry = true;
  c_.Label1.setCaption(op);
  s_.PendingOperator = c_.Label1.caption();
  c_.Text1.setFocus();
}

void Form1::NumEqCommand_Click() {
  if (c_.Label3.caption() == kConstantIndicator) {
    s_.Accumulator = s_.ConstantOperand;
    EvaluatePending();
  } else {
    if (!s_.NewEntry) EvaluatePending();
    s_.PendingOperator.clear();
    c_.Label1.setCaption("");
  }
  s_.NewEntry = true;
  c_.Text1.setFocus();
}

// Applies PendingOperator to Accumulator (A) and the display (D). In constant mode A is the
// constant: "-" gives D - A and "/" gives D / A, so the constant is taken from the display.
// Writes only the display and the status bar.
void Form1::EvaluatePending() {
  if (DisplayValue() == 0) c_.Text1.setText("0");
  const std::string shown = c_.Text1.text();
  const double a = s_.Accumulator;
  const double d = DisplayValue();
  const bool constant = c_.Label3.caption() == kConstantIndicator;
  const std::string& op = s_.PendingOperator;
  if (op != "+" && op != "-" && op != "/" && op != "X") {
    MoveDisplayCaretToEnd();
    return;
  }
  try {
    // A shown number may read back beyond the double range; that is an overflow too.
    core::checkedFinite(a);
    core::checkedFinite(d);
    const std::string left = core::formatGeneral(a);
    const std::vector<core::tape::Input> operands = {{"Accumulator", a}, {"Display", d}};
    double result;
    if (op == "+") {
      c_.Label4.setCaption(left + "  +  " + shown);
      result = core::checkedAdd(d, a);
    } else if (op == "-") {
      c_.Label4.setCaption(constant ? shown + "  -  " + left : left + "  -  " + shown);
      result = constant ? core::checkedSubtract(d, a) : core::checkedSubtract(a, d);
    } else if (op == "/") {
      const double divisor = constant ? a : d;
      if (divisor == 0) {
        NoteCalculation(core::tape::EntryKind::Keypad, op,
                        constant ? shown + " / " + left : left + " / " + shown, operands,
                        std::nullopt, kDivideByZeroMessage);
        c_.Label4.setCaption(kDivideByZeroMessage);
        MoveDisplayCaretToEnd();
        return;
      }
      c_.Label4.setCaption(constant ? shown + " / " + left : left + " / " + shown);
      result = constant ? core::checkedDivide(d, a) : core::checkedDivide(a, d);
    } else {
      c_.Label4.setCaption(left + " * " + shown);
      result = core::checkedMultiply(d, a);
    }
    c_.Text1.setText(core::formatGeneral(result));
    NoteCalculation(core::tape::EntryKind::Keypad, op,
                    c_.Label4.caption() + " = " + c_.Text1.text(), operands, result);
    MoveDisplayCaretToEnd();
  } catch (const core::ArithmeticError&) {
    NoteCalculation(core::tape::EntryKind::Keypad, op, c_.Label4.caption(),
                    {{"Accumulator", a}, {"Display", d}}, std::nullopt, kOverflowMessage);
    ShowOverflow();
  }
}

}  // namespace vantro::ui
