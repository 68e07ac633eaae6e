#include "qt/key_codes.h"

#include <QKeyEvent>
#include <QString>

namespace vantro::qt {

namespace {

struct KeyCode {
  Qt::Key key;
  int code;
  int keypadCode;  // the numeric keypad's own code, 0 when it shares `code`
};

constexpr KeyCode kKeyCodes[] = {
    {Qt::Key_Backspace, 8, 0},
    {Qt::Key_Tab, 9, 0},
    {Qt::Key_Backtab, 9, 0},
    {Qt::Key_Return, 13, 0},
    {Qt::Key_Enter, 13, 0},
    {Qt::Key_Shift, 16, 0},
    {Qt::Key_Control, 17, 0},
    {Qt::Key_Alt, 18, 0},
    {Qt::Key_Escape, 27, 0},
    {Qt::Key_Space, 32, 0},
    {Qt::Key_PageUp, 33, 0},
    {Qt::Key_PageDown, 34, 0},
    {Qt::Key_End, 35, 0},
    {Qt::Key_Home, 36, 0},
    {Qt::Key_Left, 37, 0},
    {Qt::Key_Up, 38, 0},
    {Qt::Key_Right, 39, 0},
    {Qt::Key_Down, 40, 0},
    {Qt::Key_Insert, 45, 0},
    {Qt::Key_Delete, 46, 0},
    // The main keyboard's * is Shift+8; + is the = key.
    {Qt::Key_Asterisk, 56, 106},
    {Qt::Key_Plus, 187, 107},
    {Qt::Key_Equal, 187, 0},
    {Qt::Key_Minus, 189, 109},
    {Qt::Key_Comma, 188, 110},
    {Qt::Key_Period, 190, 110},
    {Qt::Key_Slash, 191, 111},
};

}  // namespace

int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return (keypad ? 96 : 48) + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 65 + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  for (const KeyCode& entry : kKeyCodes) {
    if (entry.key != qtKey) continue;
    return keypad && entry.keypadCode != 0 ? entry.keypadCode : entry.code;
  }
  return 0;
}

int shiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) |
         (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

bool isMenuKey(const QKeyEvent& event) {
  return event.modifiers().testFlag(Qt::AltModifier) &&
         !event.modifiers().testFlag(Qt::ControlModifier) && !event.text().isEmpty();
}

int characterCode(const QKeyEvent& event, bool commaIsDecimalPoint) {
  if (event.matches(QKeySequence::SelectAll) || isMenuKey(event)) return 0;
  const QString text = event.text();
  const bool comma = text == QStringLiteral(",");
  if (event.modifiers().testFlag(Qt::KeypadModifier) &&
      (comma || text == QStringLiteral(".") || event.key() == Qt::Key_Comma ||
       event.key() == Qt::Key_Period)) {
    return '.';
  }
  if (comma && commaIsDecimalPoint) return '.';
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Delete:  // X11 gives it the text DEL; a classic edit box types nothing
      return 0;
    default:
      break;
  }
  if (text.size() == 1) return text[0].unicode();
  if (text.size() == 2 && text[0].isHighSurrogate() && text[1].isLowSurrogate())
    return static_cast<int>(QChar::surrogateToUcs4(text[0], text[1]));
  return 0;
}

}  // namespace vantro::qt
