// Square root, square and reciprocal of the display. They leave the pending calculation
// alone: 2 + 9 Sqr = gives 5.

#include <cmath>

#include "core/checked_math.h"
#include "core/number_format.h"
#include "ui/form1.h"
#include "ui/keypad/messages.h"

namespace vantro::ui {

void Form1::NumSqRtCommand_Click() {
  const double x = DisplayValue();
  const std::string written = "sqrt(" + c_.Text1.text() + ")";
  if (x <= 0) {
    NoteCalculation(core::tape::EntryKind::Function, "Sqr", written, {{"X", x}}, std::nullopt,
                    kSqrtDomainMessage);
    c_.Label4.setCaption(kSqrtDomainMessage);
  } else if (!std::isfinite(x)) {
    NoteCalculation(core::tape::EntryKind::Function, "Sqr", written, {{"X", x}}, std::nullopt,
                    kOverflowMessage);
    ShowOverflow();  // a shown number that reads back beyond the double range
    return;
  } else {
    c_.Label4.setCaption(written);
    c_.Text1.setText(core::formatGeneral(std::sqrt(x)));
    NoteCalculation(core::tape::EntryKind::Function, "Sqr", written + " = " + c_.Text1.text(),
                    {{"X", x}}, std::sqrt(x));
  }
  MoveDisplayCaretToEnd();
  c_.Text1.setFocus();
}

void Form1::NumSquareCommand_Click() {
  const double x = DisplayValue();
  c_.Label4.setCaption(c_.Text1.text() + "^2");
  try {
    const double square = core::checkedMultiply(x, x);
    c_.Text1.setText(core::formatGeneral(square));
    NoteCalculation(core::tape::EntryKind::Function, "X^2",
                    c_.Label4.caption() + " = " + c_.Text1.text(), {{"X", x}}, square);
  } catch (const core::ArithmeticError&) {
    NoteCalculation(core::tape::EntryKind::Function, "X^2", c_.Label4.caption(), {{"X", x}},
                    std::nullopt, kOverflowMessage);
    ShowOverflow();
    return;
  }
  MoveDisplayCaretToEnd();
  c_.Text1.setFocus();
}

// A reciprocal that overflows (of a number below about 5.6E-309) fails like the square key.
void Form1::CommandInvertX_Click() {
  const double x = DisplayValue();
  const std::string written = "1 / " + c_.Text1.text();
  c_.Label4.setCaption(written);
  if (x == 0) {
    NoteCalculation(core::tape::EntryKind::Function, "1/X", written, {{"X", x}}, std::nullopt,
                    kDivideByZeroMessage);
    c_.Label4.setCaption(kDivideByZeroMessage);
  } else {
    try {
      const double reciprocal = core::checkedDivide(1, x);
      c_.Text1.setText(core::formatGeneral(reciprocal));
      NoteCalculation(core::tape::EntryKind::Function, "1/X", written + " = " + c_.Text1.text(),
                      {{"X", x}}, reciprocal);
    } catch (const core::ArithmeticError&) {
      NoteCalculation(core::tape::EntryKind::Function, "1/X", written, {{"X", x}}, std::nullopt,
                      kOverflowMessage);
      ShowOverflow();
      return;
    }
  }
  MoveDisplayCaretToEnd();
  c_.Text1.setFocus();
}

}  // namespace vantro::ui
