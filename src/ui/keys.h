#pragma once
// Character and virtual key codes as the key handlers receive them.

namespace vantro::ui::keys {

inline constexpr int kBackspace = 8;
inline constexpr int kLineFeed = 10;
inline constexpr int kEnter = 13;

// Virtual key codes of KeyDown.
inline constexpr int vkBack = 8;
inline constexpr int vkReturn = 13;
inline constexpr int vkLeft = 37;
inline constexpr int vkUp = 38;
inline constexpr int vkRight = 39;
inline constexpr int vkDown = 40;
inline constexpr int vkDelete = 46;
inline constexpr int vkNumpad0 = 96;  // to 105 for 9
inline constexpr int vkMultiply = 106;
inline constexpr int vkAdd = 107;
inline constexpr int vkSubtract = 109;
inline constexpr int vkDecimal = 110;
inline constexpr int vkDivide = 111;

// Shift state bits of KeyDown.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

}  // namespace vantro::ui::keys
