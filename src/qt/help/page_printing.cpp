#include "qt/help/page_printing.h"

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

}  // namespace vantro::qt
