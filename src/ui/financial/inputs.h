#pragma once
// Reading the financial boxes for the commands, by the kind of number each holds. Each throws
// (ArithmeticError) on what no command can use.

#include "ui/controls.h"
#include "ui/financial/entry_fields.h"

namespace vantro::ui::financial {

inline double readCount(const TextBox& box) {
  return readNumber(box.text(), NumberKind::Count);
}

// A rate typed in percent, as a fraction.
inline double readRate(const TextBox& box) {
  return readNumber(box.text(), NumberKind::Percent);
}

inline double readMoney(const TextBox& box) {
  return readNumber(box.text(), NumberKind::Money);
}

}  // namespace vantro::ui::financial
