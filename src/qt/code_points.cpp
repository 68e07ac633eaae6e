#include "qt/code_points.h"

#include <algorithm>

namespace vantro::qt {

namespace {

// The length in UTF-16 units of the character that begins at `index`.
int unitsAt(const QString& text, int index) {
  return index + 1 < text.size() && text[index].isHighSurrogate() &&
                 text[index + 1].isLowSurrogate()
             ? 2
             : 1;
}

}  // namespace

QString fromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toUtf8(const QString& text) {
  return text.toUtf8().toStdString();
}

int codePointCount(const QString& text) {
  return codePointsBefore(text, static_cast<int>(text.size()));
}

int indexOfCodePoint(const QString& text, int position) {
  const int size = static_cast<int>(text.size());
  int index = 0;
  for (int count = 0; count < position && index < size; ++count) index += unitsAt(text, index);
  return std::min(index, size);
}

int codePointsBefore(const QString& text, int index) {
  const int end = std::clamp(index, 0, static_cast<int>(text.size()));
  int count = 0;
  for (int i = 0; i < end; i += unitsAt(text, i)) ++count;
  return count;
}

}  // namespace vantro::qt
