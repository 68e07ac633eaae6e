// Qt keys as the logic's handlers receive them, and positions in characters.
#include "qt/key_codes.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "qt/code_points.h"

namespace vantro::qt {
namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kKeypad = Qt::KeypadModifier;

TEST(VirtualKeyCode, MapsQtKeysToTheCodesTheHandlersCompare) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    int expected;
  };
  const Case cases[] = {
      // clang-format off
      {Qt::Key_9, kNone, 57}, {Qt::Key_0, kKeypad, 96}, {Qt::Key_9, kKeypad, 105},
      {Qt::Key_Z, Qt::ShiftModifier, 90}, {Qt::Key_Down, kNone, 40},
      {Qt::Key_Up, kKeypad, 38},  // NumLock off
      {Qt::Key_Asterisk, kKeypad, 106}, {Qt::Key_Plus, kKeypad, 107},
      {Qt::Key_Minus, kKeypad, 109}, {Qt::Key_Slash, kKeypad, 111},
      {Qt::Key_Asterisk, Qt::ShiftModifier, 56},  // main keyboard: Shift+8
      {Qt::Key_Plus, Qt::ShiftModifier, 187}, {Qt::Key_Minus, kNone, 189},
      {Qt::Key_Slash, kNone, 191}, {Qt::Key_Period, kNone, 190}, {Qt::Key_Period, kKeypad, 110},
      {Qt::Key_Return, kNone, 13}, {Qt::Key_Enter, kKeypad, 13}, {Qt::Key_Backspace, kNone, 8},
      {Qt::Key_Delete, kKeypad, 46}, {Qt::Key_Home, kNone, 36}, {Qt::Key_End, kKeypad, 35},
      {Qt::Key_Escape, kNone, 27}, {Qt::Key_Space, kNone, 32}, {Qt::Key_F12, kNone, 123},
      {Qt::Key_Shift, Qt::ShiftModifier, 16}, {Qt::Key_Control, Qt::ControlModifier, 17},
      {Qt::Key_Alt, Qt::AltModifier, 18}, {Qt::Key_Eacute, kNone, 0},
      // clang-format on
  };
  for (const Case& c : cases)
    EXPECT_EQ(virtualKeyCode(c.key, c.modifiers), c.expected) << "Qt key 0x" << std::hex << c.key;
}

TEST(ShiftState, CombinesShiftCtrlAndAltAndIgnoresTheKeypad) {
  EXPECT_EQ(shiftState(kKeypad), 0);
  EXPECT_EQ(shiftState(Qt::ShiftModifier), 1);
  EXPECT_EQ(shiftState(Qt::ControlModifier | Qt::AltModifier), 6);
  EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | kKeypad), 7);
}

TEST(CharacterCode, IsTheTypedCharacterOrZeroForKeysThatTypeNone) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    int expected;
    int expectedWithDecimalComma = -1;  // where "," is the locale's decimal point, if other
  };
  const Case cases[] = {
      // The decimal separator's keys type the calculator's decimal point.
      {Qt::Key_Comma, kKeypad, QStringLiteral(","), '.'},   // German keypad: KP_Separator
      {Qt::Key_Period, kKeypad, QStringLiteral(","), '.'},  // KP_Decimal giving a comma
      {Qt::Key_Period, kKeypad, QStringLiteral("."), '.'},
      {Qt::Key_Comma, kNone, QStringLiteral(","), ',', '.'},
      {Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"), 0},  // selects all: types nothing
      {Qt::Key_5, kNone, QStringLiteral("5"), '5'},
      {Qt::Key_Plus, kKeypad, QStringLiteral("+"), '+'},
      {Qt::Key_Return, kNone, QStringLiteral("\r"), 13},
      {Qt::Key_Enter, kKeypad, QStringLiteral("\n"), 13},  // the keypad's Enter is still 13
      {Qt::Key_Backspace, kNone, QStringLiteral("\b"), 8},
      {Qt::Key_Escape, kNone, QStringLiteral("\x1b"), 27},
      {Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"), 3},
      {Qt::Key_5, Qt::AltModifier, QStringLiteral("5"), 0},  // a menu key: Alt types nothing
      {Qt::Key_Return, Qt::AltModifier, QStringLiteral("\r"), 0},
      {Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("@"), '@'},  // AltGr
      {Qt::Key_Delete, kNone, QStringLiteral("\x7f"), 0},  // X11's DEL text types nothing
      {Qt::Key_Left, kNone, QString(), 0},
      {Qt::Key_Shift, Qt::ShiftModifier, QString(), 0},
      {Qt::Key_unknown, kNone, QString::fromUtf8("\xF0\x9F\x98\x80"), 0x1F600},
  };
  for (const Case& c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.text);
    EXPECT_EQ(characterCode(event), c.expected) << "Qt key 0x" << std::hex << c.key;
    EXPECT_EQ(characterCode(event, true),
              c.expectedWithDecimalComma < 0 ? c.expected : c.expectedWithDecimalComma)
        << "Qt key 0x" << std::hex << c.key;
  }
}

TEST(CodePoints, ACharacterOutsideTheBasicPlaneIsOnePosition) {
  const QString text = QString::fromUtf8(
      "a\xF0\x9F\x98\x80"
      "b");  // a, U+1F600 (2 units), b
  EXPECT_EQ(codePointCount(text), 3);
  EXPECT_EQ(indexOfCodePoint(text, 1), 1);
  EXPECT_EQ(indexOfCodePoint(text, 2), 3);
  EXPECT_EQ(indexOfCodePoint(text, 9), 4);
  EXPECT_EQ(indexOfCodePoint(text, -1), 0);
  EXPECT_EQ(codePointsBefore(text, 3), 2);
  EXPECT_EQ(codePointsBefore(text, 2), 2);  // inside the pair: the pair counts as before
  EXPECT_EQ(toUtf8(fromUtf8("\xE2\x82\xAC"
                            "1")),
            "\xE2\x82\xAC"
            "1");
}

}  // namespace
}  // namespace vantro::qt
