#pragma once
// Opens the program's other windows (help, analysis) beside the calculator, by the rule of
// ui::placeBeside, on the calculator's screen.

#include <QSize>

class QWidget;

namespace vantro::qt {

// The calculator's window while it is on screen, else null. The help viewer, which exists
// before the calculator's window does, finds it here.
const QWidget* shownCalculatorWindow();

// The least size to which `window` shrinks to fit beside the calculator.
QSize smallestBeside(const QWidget& window);

// Moves `window`, about to be shown, beside `calculator`, and shrinks it where the screen is too
// small for it. A window never shown has no frame yet: it is taken to be framed as the
// calculator is, by the same window manager.
void placeBesideCalculator(QWidget& window, const QWidget& calculator);

}  // namespace vantro::qt
