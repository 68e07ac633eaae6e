#pragma once
// Qt's keys as the logic's key handlers receive them: Windows virtual key codes with a shift
// state for KeyDown, character codes for KeyPress.

#include <Qt>

class QKeyEvent;

namespace vantro::qt {

// The virtual key code of `qtKey` (a Qt::Key), or 0 for a key the logic has no code for.
// The numeric keypad's digits and operators have codes of their own; its arrows, Home, End
// and Delete (NumLock off) share the main keys' codes.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// Shift 1, Ctrl 2, Alt 4, combined.
int shiftState(Qt::KeyboardModifiers modifiers);

// Alt, without Ctrl, with a key that has a character: a menu's mnemonic when a menu takes it,
// and otherwise nothing. It types no character, in a field or anywhere else. (Ctrl+Alt stays a
// typing key: some keyboards type characters with it.)
bool isMenuKey(const QKeyEvent& event);

// The character code a key press types (Enter 13, Backspace 8, Escape 27, Ctrl+C 3, ...),
// or 0 for a key that types none (arrows, Delete, function keys, modifiers, menu keys, and
// Ctrl+A, which selects). The calculator's numbers take "." as their decimal point in every locale,
// so the keys meant for the decimal separator type it: the numeric keypad's decimal key, whatever
// character the layout puts on it (German layouts put ","), and the main keyboard's "," where
// the locale writes "," as its decimal point (`commaIsDecimalPoint`).
int characterCode(const QKeyEvent& event, bool commaIsDecimalPoint = false);

}  // namespace vantro::qt
