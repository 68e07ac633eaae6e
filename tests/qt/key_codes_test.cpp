// Qt keys as the logic's handlers receive them, and positions in characters.
#include "qt/key_codes.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <algorithm>

#include "qt/code_points.h"
#include "ui/keys.h"

namespace vantro::qt {
namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kKeypad = Qt::KeypadModifier;
namespace keys = ui::keys;

// The codes the handlers compare, from wherever the keyboard sends them; the main keyboard's
// operators, point and digits must not pass for the keypad's.
TEST(VirtualKeyCode, GivesTheCodesTheHandlersCompare) {
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    int expected;
  } cases[] = {
      // clang-format off
      {Qt::Key_Backspace, kNone, keys::vkBack}, {Qt::Key_Return, kNone, keys::vkReturn},
      {Qt::Key_Enter, kKeypad, keys::vkReturn}, {Qt::Key_Left, kNone, keys::vkLeft},
      {Qt::Key_Up, kKeypad, keys::vkUp},  // NumLock off
      {Qt::Key_Right, kNone, keys::vkRight}, {Qt::Key_Down, kNone, keys::vkDown},
      {Qt::Key_Delete, kKeypad, keys::vkDelete}, {Qt::Key_0, kKeypad, keys::vkNumpad0},
      {Qt::Key_9, kKeypad, keys::vkNumpad0 + 9}, {Qt::Key_Asterisk, kKeypad, keys::vkMultiply},
      {Qt::Key_Plus, kKeypad, keys::vkAdd}, {Qt::Key_Minus, kKeypad, keys::vkSubtract},
      {Qt::Key_Period, kKeypad, keys::vkDecimal}, {Qt::Key_Comma, kKeypad, keys::vkDecimal},
      {Qt::Key_Slash, kKeypad, keys::vkDivide}, {Qt::Key_Eacute, kNone, 0},
      // clang-format on
  };
  for (const auto& c : cases)
    EXPECT_EQ(virtualKeyCode(c.key, c.modifiers), c.expected) << "Qt key 0x" << std::hex << c.key;
  const int keypadCodes[] = {keys::vkMultiply, keys::vkAdd,     keys::vkSubtract,
                             keys::vkDivide,   keys::vkDecimal, keys::vkNumpad0};
  for (const int key :
       {Qt::Key_Asterisk, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Slash, Qt::Key_Period, Qt::Key_0}) {
    const int code = virtualKeyCode(key, Qt::ShiftModifier);
    EXPECT_EQ(std::count(std::begin(keypadCodes), std::end(keypadCodes), code), 0) << code;
  }
}

TEST(ShiftState, CombinesShiftCtrlAndAltAndIgnoresTheKeypad) {
  EXPECT_EQ(shiftState(kKeypad), 0);
  EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | kKeypad),
            keys::kShiftMask | keys::kCtrlMask | keys::kAltMask);
  EXPECT_EQ(shiftState(Qt::ControlModifier), keys::kCtrlMask);
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
      {Qt::Key_Comma, kNone, QStringLiteral(","), ',', '.'},
      {Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"), 0},  // selects all: types nothing
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
