// Typing into the display, and the numeric keypad's operator keys from anywhere else.

#include <string>

#include "core/text_edit.h"
#include "ui/form1.h"
#include "ui/keys.h"

namespace vantro::ui {

void Form1::Text1_KeyPress(int& keyAscii) {
  if (keyAscii >= '0' && keyAscii <= '9') {
    if (s_.NewEntry) NewNumberStep(true, true);
    c_.Label4.setCaption("");
    if (c_.Text1.text() == "0") {
      if (keyAscii == '0')
        keyAscii = 0;
      else
        c_.Text1.setText("");  // the typed digit replaces the lone zero
    }
    return;
  }
  switch (keyAscii) {
    case keys::kBackspace:
      if (s_.NewEntry) NewNumberStep(false, false);
      c_.Label4.setCaption("");
      return;  // the box deletes
    case keys::kEnter:
      keyAscii = 0;
      NumEqCommand_Click();
      return;
    case '/':
      keyAscii = 0;
      NumDivCommand_Click();
      return;
    case '*':
      keyAscii = 0;
      NumMULCommand_Click();
      return;
    case '-':
      keyAscii = 0;
      NumMinusCommand_Click();
      return;
    case '+':
      keyAscii = 0;
      NumPlusCommand_Click();
      return;
    case '.':
      if (s_.NewEntry) {
        EnterDigit("0.");
        MoveDisplayCaretToEnd();
      }
      c_.Label4.setCaption("");
      if (c_.Text1.text().find('.') != std::string::npos) keyAscii = 0;
      return;
    default:
      keyAscii = 0;
      return;
  }
}

void Form1::Text1_KeyDown(int keyCode, int /*shift*/) {
  // Moving the caret makes the shown result a number being edited.
  if (keyCode >= keys::vkLeft && keyCode <= keys::vkDown) s_.NewEntry = false;
}

void Form1::Form_KeyDown(int keyCode, int /*shift*/) {
  if (s_.ActiveField >= kFieldN && s_.ActiveField <= kFieldCF) return;
  switch (keyCode) {
    case keys::vkMultiply:
      NumMULCommand_Click();
      break;
    case keys::vkAdd:
      NumPlusCommand_Click();
      break;
    case keys::vkSubtract:
      NumMinusCommand_Click();
      break;
    case keys::vkDivide:
      NumDivCommand_Click();
      break;
    default:
      break;
  }
}

}  // namespace vantro::ui
