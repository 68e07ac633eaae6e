// The settings file's text: reading its lines into values and writing them back.

#include "core/settings_file.h"

#include <array>
#include <cmath>
#include <limits>
#include <string_view>

#include "core/number_format.h"
#include "core/number_text.h"

namespace vantro::core {

namespace {

std::string upperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// Round half to even, whatever the floating-point rounding mode is: 1234.5 -> 1234,
// 1235.5 -> 1236. Then the value must fit 16 bits.
std::optional<std::int16_t> toInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double rounded = std::floor(value);
  const double fraction = value - rounded;  // exact for every value that can fit
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0)) rounded += 1;
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(rounded);
}

void setIfFinite(double value, double& target) {
  if (std::isfinite(value)) target = value;
}

void setIfFinite(double value, std::optional<double>& target) {
  if (std::isfinite(value)) target = value;
}

void setIfFits(double value, std::int16_t& target) {
  if (const auto fitted = toInt16(value)) target = *fitted;
}

// " 4530" for zero or more (also -0), "-1200" below zero. A non-finite value cannot come
// from a window and reads back as 0 anyway, so it is written as 0.
std::string settingsNumber(double value, int significantDigits) {
  if (!std::isfinite(value)) value = 0;
  std::string text = formatGeneral(value, significantDigits);
  if (value >= 0) text.insert(text.begin(), ' ');
  return text;
}

// What marks a line as one of the program's own: a kept line mentioning any of these is
// dropped, as the program writes its own version of it.
constexpr std::array<std::string_view, 7> kOwnMarks = {
    "[SYSTEM]",       "XPOSITION",  "YPOSITION",  "XPOSITIONTOOLS",
    "YPOSITIONTOOLS", "TOOLSWIDTH", "TOOLSHEIGHT"};

bool isOwnLine(std::string_view line) {
  const std::string upper = upperAscii(line);
  for (const std::string_view mark : kOwnMarks) {
    if (upper.find(mark) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

void applySettingsLines(const std::vector<std::string>& lines, SettingsValues& values) {
  for (const std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    // The key is compared as written, without trimming: "XPosition =1" is not XPosition.
    const std::string key = upperAscii(std::string_view(line).substr(0, equals));
    const double value = leadingNumberValue(std::string_view(line).substr(equals + 1));
    if (key == "XPOSITION") {
      setIfFinite(value, values.xPosition);
    } else if (key == "YPOSITION") {
      setIfFits(value, values.yPosition);
    } else if (key == "XPOSITIONTOOLS") {
      setIfFinite(value, values.xPositionTools);
    } else if (key == "YPOSITIONTOOLS") {
      setIfFits(value, values.yPositionTools);
    } else if (key == "TOOLSWIDTH") {
      setIfFinite(value, values.toolsWidth);
    } else if (key == "TOOLSHEIGHT") {
      setIfFinite(value, values.toolsHeight);
    }
  }
}

std::string formatSettingsFile(float left, float top, const SettingsValues& values,
                               const std::vector<std::string>& keptLines) {
  // The window's position is single precision: 7 significant digits; the rest are doubles.
  std::string text = "[System]\r\n";
  text += "XPosition=" + settingsNumber(left, 7) + "\r\n";
  text += "YPosition=" + settingsNumber(top, 7) + "\r\n";
  text += "XPositionTools=" + settingsNumber(values.xPositionTools.value_or(0), 15) + "\r\n";
  text += "YPositionTools=" + settingsNumber(values.yPositionTools, 15) + "\r\n";
  text += "ToolsWidth=" + settingsNumber(values.toolsWidth.value_or(0), 15) + "\r\n";
  text += "ToolsHeight=" + settingsNumber(values.toolsHeight.value_or(0), 15) + "\r\n";
  for (const std::string& line : keptLines) {
    if (line.empty() || isOwnLine(line)) continue;
    text += line;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> splitSettingsLines(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const bool hasLineEnd = end != std::string::npos;
    if (!hasLineEnd) end = content.size();
    std::size_t lineEnd = end;
    // Only a CR right before the LF belongs to the line end; a lone CR is text.
    if (hasLineEnd && lineEnd > start && content[lineEnd - 1] == '\r') --lineEnd;
    lines.emplace_back(content, start, lineEnd - start);
    start = end + 1;
  }
  return lines;
}

}  // namespace vantro::core
