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
  if (x <= 0) {
    c_.Label4.setCaption(kSqrtDomainMessage);
  } else if (!std::isfinite(x)) {
    ShowOverflow();  // a shown number that reads back beyond the double range
    return;
  } else {
    c_.Label4.setCaption("sqrt(" + c_.Text1.text() + ")");
    c_.Text1.setText(core::formatGeneral(std::sqrt(x)));
  }
  MoveDisplayCaretToEnd();
  c_.Text1.setFocus();
}

void Form1::NumSquareCommand_Click() {
  const double x = DisplayValue();
  c_.Label4.setCaption(c_.Text1.text() + "^2");
  try {
    c_.Text1.setText(core::formatGeneral(core::checkedMultiply(x, x)));
  } catch (const core::ArithmeticError&) {
    ShowOverflow();
    return;
  }
  MoveDisplayCaretToEnd();
  c_.Text1.setFocus();
}

// A reciprocal that overflows (of a number below about 5.6E-309) fails like the square key.
void Form1::CommandInvertX_Click() {
  const double x = DisplayValue();
  c_.Label4.setCaption("1 / " + c_.Text1.text());
  if (x == 0) {
    c_.Label4.setCaption(kDivideByZeroMessage);
  } else {
    try {
      c_.Text1.setText(core::formatGeneral(core::checkedDivide(1, x)));
    } catch (const core::ArithmeticError&) {
      ShowOverflow();
      return;
    }
  }
  MoveDisplayCaretToEnd();
  c_.Text1.setFocus();
}

}  // namespace vantro::ui
