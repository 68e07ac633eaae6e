#pragma once
// Printing the help page: on a printer, into the preview, into a PDF file. Always at the
// page's normal size, without the view's zoom or marks.

#include <QString>

class QFont;
class QPrinter;
class QTextEdit;
class QWidget;

namespace vantro::qt {

// `normalFont`: the view's font without the zoom.
void printPage(QTextEdit& view, const QFont& normalFont, QPrinter& printer);

// False when the file cannot be written.
bool savePageAsPdf(QTextEdit& view, const QFont& normalFont, const QString& file,
                   const QString& title);

// The print dialog, then the page on the printer chosen there.
void printWithDialog(QTextEdit& view, const QFont& normalFont, QPrinter& printer, QWidget* parent);
void printPreview(QTextEdit& view, const QFont& normalFont, QPrinter& printer, QWidget* parent);
// Asks for a file name, then saves the page there; says so in a message box when it cannot.
void saveAsPdfWithDialog(QTextEdit& view, const QFont& normalFont, QWidget* parent);

}  // namespace vantro::qt
