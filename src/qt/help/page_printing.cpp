#include "qt/help/page_printing.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextEdit>
#include <memory>

#include "qt/help/page_zoom.h"

namespace vantro::qt {

void printPage(QTextEdit& view, const QFont& normalFont, QPrinter& printer) {
  // A copy whose parent is the view, which loads its pictures and style sheets.
  const std::unique_ptr<QTextDocument> copy(view.document()->clone(&view));
  copy->setDefaultFont(normalFont);
  applyZoom(*copy, 1.0);
  copy->print(&printer);
}

bool savePageAsPdf(QTextEdit& view, const QFont& normalFont, const QString& file,
                   const QString& title) {
  // The PDF writer fails silently; opening the file first tells whether it can be written.
  if (QFile probe(file); !probe.open(QIODevice::WriteOnly)) return false;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  printer.setDocName(title);
  printer.setCreator(QStringLiteral("Vantro Calculator"));
  printPage(view, normalFont, printer);
  return QFileInfo(file).size() > 0;
}

void printWithDialog(QTextEdit& view, const QFont& normalFont, QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() == QDialog::Accepted) printPage(view, normalFont, printer);
}

void printPreview(QTextEdit& view, const QFont& normalFont, QPrinter& printer, QWidget* parent) {
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&](QPrinter* target) { printPage(view, normalFont, *target); });
  preview.exec();
}

void saveAsPdfWithDialog(QTextEdit& view, const QFont& normalFont, QWidget* parent) {
  const QString title = view.documentTitle();
  QString file = QFileDialog::getSaveFileName(
      parent, QObject::tr("Save as PDF"),
      (title.isEmpty() ? QObject::tr("Help page") : title) + QStringLiteral(".pdf"),
      QObject::tr("PDF files (*.pdf)"));
  if (file.isEmpty()) return;
  if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) file += QStringLiteral(".pdf");
  if (savePageAsPdf(view, normalFont, file, title)) return;
  QMessageBox box(QMessageBox::NoIcon, parent ? parent->windowTitle() : QString(),
                  QObject::tr("The page could not be saved as %1.").arg(file), QMessageBox::Ok,
                  parent);
  box.exec();
}

}  // namespace vantro::qt
