#include "qt/help/page_zoom.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <vector>

namespace vantro::qt {
namespace {

// Where a run of text keeps the size its page gave it, once zoomed.
constexpr int kPagePointSize = QTextFormat::UserProperty + 0x5a00;
constexpr int kPagePixelSize = kPagePointSize + 1;

struct Run {
  int start;
  int length;
  QTextCharFormat format;
};

}  // namespace

bool PageZoom::zoomIn() {
  if (step_ + 1 >= kFactors.size()) return false;
  ++step_;
  return true;
}

bool PageZoom::zoomOut() {
  if (step_ == 0) return false;
  --step_;
  return true;
}

void applyZoom(QTextDocument& document, double factor) {
  std::vector<Run> runs;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      QTextCharFormat format = fragment.charFormat();
      bool sized = false;
      if (format.hasProperty(QTextFormat::FontPointSize) || format.hasProperty(kPagePointSize)) {
        if (!format.hasProperty(kPagePointSize))
          format.setProperty(kPagePointSize, format.fontPointSize());
        format.setFontPointSize(format.doubleProperty(kPagePointSize) * factor);
        sized = true;
      }
      if (format.hasProperty(QTextFormat::FontPixelSize) || format.hasProperty(kPagePixelSize)) {
        if (!format.hasProperty(kPagePixelSize))
          format.setProperty(kPagePixelSize, format.intProperty(QTextFormat::FontPixelSize));
        format.setProperty(
            QTextFormat::FontPixelSize,
            std::max(1, int(std::lround(format.intProperty(kPagePixelSize) * factor))));
        sized = true;
      }
      if (sized && format != fragment.charFormat())
        runs.push_back({fragment.position(), fragment.length(), format});
    }
  }
  if (runs.empty()) return;
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  for (const Run& run : runs) {
    cursor.setPosition(run.start);
    cursor.setPosition(run.start + run.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(run.format);
  }
  cursor.endEditBlock();
}

QFont zoomed(const QFont& font, double factor) {
  QFont result = font;
  if (font.pointSizeF() > 0)
    result.setPointSizeF(font.pointSizeF() * factor);
  else
    result.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * factor))));
  return result;
}

}  // namespace vantro::qt
