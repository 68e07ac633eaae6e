#pragma once
// Printing a document of ours: on a printer chosen in the print dialog, into the preview, into
// a PDF file. What is printed is painted by the caller, so that the help page prints at its
// normal size and the tape with its heading.

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace vantro::qt {

using PrintPainter = std::function<void(QPrinter& printer)>;

// False when the file cannot be written.
bool saveAsPdf(const PrintPainter& paint, const QString& file, const QString& title);

// The print dialog, then the document on the printer chosen there.
void printWithDialog(const PrintPainter& paint, QPrinter& printer, QWidget* parent);
void printPreview(const PrintPainter& paint, QPrinter& printer, QWidget* parent);
// Asks for a file name (`title` and ".pdf" offered), then saves the document there; when it
// cannot, says "The <what> could not be saved as <file>." in a message box.
void saveAsPdfWithDialog(const PrintPainter& paint, const QString& title, const QString& what,
                         QWidget* parent);

}  // namespace vantro::qt
