#include "qt/printing.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace vantro::qt {

bool saveAsPdf(const PrintPainter& paint, const QString& file, const QString& title) {
  // The PDF writer fails silently; opening the file first tells whether it can be written.
  if (QFile probe(file); !probe.open(QIODevice::WriteOnly)) return false;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  printer.setDocName(title);
  printer.setCreator(QStringLiteral("Vantro Calculator"));
  paint(printer);
  return QFileInfo(file).size() > 0;
}

void printWithDialog(const PrintPainter& paint, QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() == QDialog::Accepted) paint(printer);
}

void printPreview(const PrintPainter& paint, QPrinter& printer, QWidget* parent) {
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&paint](QPrinter* target) { paint(*target); });
  preview.exec();
}

void saveAsPdfWithDialog(const PrintPainter& paint, const QString& title, const QString& what,
                         QWidget* parent) {
  QString file = QFileDialog::getSaveFileName(parent, QObject::tr("Save as PDF"),
                                              title + QStringLiteral(".pdf"),
                                              QObject::tr("PDF files (*.pdf)"));
  if (file.isEmpty()) return;
  if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) file += QStringLiteral(".pdf");
  if (saveAsPdf(paint, file, title)) return;
  QMessageBox box(QMessageBox::NoIcon, parent ? parent->windowTitle() : QString(),
                  QObject::tr("The %1 could not be saved as %2.").arg(what, file), QMessageBox::Ok,
                  parent);
  box.exec();
}

}  // namespace vantro::qt
