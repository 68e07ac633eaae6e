// The memory register: M stores, M+ and M- update, MR recalls, MC clears. The memory is in
// use exactly while Label2 shows "M".

#include <cmath>
#include <string>

#include "core/checked_math.h"
#include "core/number_format.h"
#include "ui/form1.h"
#include "ui/keypad/messages.h"

namespace vantro::ui {

void Form1::NumMCommand_Click() {
  const double x = DisplayValue();
  if (!std::isfinite(x)) {  // never store a value that no later key could show
    ShowOverflow();
    return;
  }
  c_.Label2.setCaption(kMemoryIndicator);
  c_.Label4.setCaption("M = " + c_.Text1.text());
  s_.MemoryValue = x;
  NoteCalculation(core::tape::EntryKind::Memory, "M", c_.Label4.caption(), {{"X", x}}, x);
  s_.NewEntry = true;
  c_.Text1.setFocus();
}

void Form1::UpdateMemory(bool add) {
  if (c_.Label2.caption() != kMemoryIndicator) {
    c_.Text1.setFocus();
    return;
  }
  c_.Label4.setCaption("M: " + core::formatGeneral(s_.MemoryValue) + (add ? "  +  " : "  -  ") +
                       c_.Text1.text());
  const char* operation = add ? "M+" : "M-";
  const double x = DisplayValue();
  const std::vector<core::tape::Input> operands = {{"Memory", s_.MemoryValue}, {"X", x}};
  double updated;
  try {
    updated = add ? core::checkedAdd(x, s_.MemoryValue) : core::checkedSubtract(s_.MemoryValue, x);
  } catch (const core::ArithmeticError&) {
    NoteCalculation(core::tape::EntryKind::Memory, operation, c_.Label4.caption(), operands,
                    std::nullopt, kOverflowMessage);
    ShowOverflow();  // the register keeps its value: an infinite one would poison every later key
    return;
  }
  s_.MemoryValue = updated;
  c_.Label4.setCaption(c_.Label4.caption() + " = " + core::formatGeneral(updated));
  NoteCalculation(core::tape::EntryKind::Memory, operation, c_.Label4.caption(), operands, updated);
  s_.NewEntry = true;
  c_.Text1.setFocus();
}

void Form1::NumMPlusCommand_Click() {
  UpdateMemory(true);
}
void Form1::NumMMinusCommand_Click() {
  UpdateMemory(false);
}

void Form1::NumMRCommand_Click() {
  if (c_.Label2.caption() == kMemoryIndicator) {
    const std::string recalled = core::formatGeneral(s_.MemoryValue);
    // A whole number joins the number being typed at its caret, as digits would; a fraction,
    // a negative or an exponent form would make two numbers of one ("10.5.2", "1-32"), so it
    // takes the place of the number being typed.
    if (!s_.NewEntry && recalled.find_first_not_of("0123456789") != std::string::npos)
      c_.Text1.setText("");
    EnterDigit(recalled);
    MoveDisplayCaretToEnd();
    NoteCalculation(core::tape::EntryKind::Memory, "MR", "MR = " + recalled, {}, s_.MemoryValue);
  }
  c_.Text1.setFocus();
}

void Form1::NumMCCommand_Click() {
  c_.Label2.setCaption("");
  s_.MemoryValue = 0;
  NoteCalculation(core::tape::EntryKind::Memory, "MC", "MC", {}, 0.0);
  c_.Text1.setFocus();
}

}  // namespace vantro::ui
