#include "qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "qt/code_points.h"

namespace vantro::qt {

void QtClipboard::clear() {
  QGuiApplication::clipboard()->clear();
}

void QtClipboard::setText(const std::string& text) {
  QGuiApplication::clipboard()->setText(fromUtf8(text));
}

// Only the plain-text format is read: rich text or pictures on the clipboard count as none.
std::string QtClipboard::text() const {
  return toUtf8(QGuiApplication::clipboard()->text());
}

}  // namespace vantro::qt
