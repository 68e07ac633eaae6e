#pragma once
// The help page as it prints: at the page's normal size, without the view's zoom or marks.

class QFont;
class QPrinter;
class QTextEdit;

namespace vantro::qt {

// `normalFont`: the view's font without the zoom.
void printPage(QTextEdit& view, const QFont& normalFont, QPrinter& printer);

}  // namespace vantro::qt
