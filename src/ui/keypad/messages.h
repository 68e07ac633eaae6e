#pragma once
// What the keypad writes in the status bar when an operation fails.

namespace vantro::ui {

inline constexpr const char* kDivideByZeroMessage = "Error! Divide by zero.";
inline constexpr const char* kOverflowMessage = "Calculation error! Possibility Overflow.";
inline constexpr const char* kSqrtDomainMessage = "Error! Sqrt negative number or zero.";

}  // namespace vantro::ui
