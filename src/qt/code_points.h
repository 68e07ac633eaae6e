#pragma once
// The logic counts text positions in characters (code points) of UTF-8 text; Qt widgets count
// UTF-16 units. A character outside the Basic Multilingual Plane is one position for the logic
// and two for Qt.

#include <QString>
#include <string>

namespace vantro::qt {

QString fromUtf8(const std::string& text);
std::string toUtf8(const QString& text);

int codePointCount(const QString& text);
// The UTF-16 index at which character `position` begins, `position` clamped to 0..count.
int indexOfCodePoint(const QString& text, int position);
// The number of characters that begin before UTF-16 index `index`. An index inside a
// surrogate pair counts the pair as before it.
int codePointsBefore(const QString& text, int index);

}  // namespace vantro::qt
