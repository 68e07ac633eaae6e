#include "core/date_text.h"

#include <array>
#include <chrono>
#include <cstdio>

#include "core/blank_text.h"

namespace vantro::core {

namespace {

using Element = DateReader::Element;
using Kind = Element::Kind;

constexpr std::array<std::string_view, 12> kMonthNames = {"jan", "feb", "mar", "apr", "may", "jun",
                                                          "jul", "aug", "sep", "oct", "nov", "dec"};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void addLiteral(std::vector<Element>& elements, std::string_view text) {
  if (!elements.empty() && elements.back().kind == Kind::Literal)
    elements.back().literal += text;
  else
    elements.push_back({Kind::Literal, std::string(text), false, 0});
}

Element field(Kind kind, std::size_t width, bool fullYear = false) {
  return {kind, {}, fullYear, static_cast<int>(width)};
}

// The field a run of one letter stands for; nothing for a run this reader does not know.
std::optional<Element> fieldOf(char letter, std::size_t length) {
  if (letter == 'd' && length <= 2) return field(Kind::Day, length);
  if (letter == 'M' && length <= 2) return field(Kind::Month, length);
  if (letter == 'M' && length == 3) return field(Kind::MonthName, length);
  if (letter == 'y' && (length == 2 || length == 4)) return field(Kind::Year, length);
  return std::nullopt;
}

// The pattern's elements; empty when the pattern holds a field this reader does not know, or
// lacks the day, the month or the year, or names one twice.
std::vector<Element> parsePattern(std::string_view pattern) {
  std::vector<Element> elements;
  int days = 0, months = 0, years = 0;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c == '\'') {
      if (pattern.substr(i).starts_with("''")) {
        addLiteral(elements, "'");
        i += 2;
        continue;
      }
      // Quoted text up to the closing quote; inside it, '' is a quote.
      std::string quoted;
      ++i;
      while (i < pattern.size()) {
        if (pattern.substr(i).starts_with("''")) {
          quoted += '\'';
          i += 2;
        } else if (pattern[i] == '\'') {
          ++i;
          break;
        } else {
          quoted += pattern[i++];
        }
      }
      addLiteral(elements, quoted);
    } else if (isLetter(c)) {
      std::size_t length = 1;
      while (i + length < pattern.size() && pattern[i + length] == c) ++length;
      const std::optional<Element> field = fieldOf(c, length);
      if (!field) return {};
      days += field->kind == Kind::Day;
      months += field->kind == Kind::Month || field->kind == Kind::MonthName;
      years += field->kind == Kind::Year;
      elements.push_back(*field);
      i += length;
    } else {
      addLiteral(elements, pattern.substr(i, 1));
      ++i;
    }
  }
  if (days != 1 || months != 1 || years != 1) return {};
  return elements;
}

// Reads up to `most` digits at `at`; nothing when there are fewer than `least`.
std::optional<int> readDigits(std::string_view text, std::size_t& at, std::size_t least,
                              std::size_t most) {
  std::size_t count = 0;
  int value = 0;
  while (count < most && at + count < text.size() && isDigit(text[at + count]))
    value = value * 10 + (text[at + count++] - '0');
  if (count < least) return std::nullopt;
  at += count;
  return value;
}

// Four digits, or two: 00 to 49 are 2000 to 2049, 50 to 99 are 1950 to 1999.
std::optional<int> readYear(std::string_view text, std::size_t& at, bool fullYear) {
  const std::size_t start = at;
  const std::optional<int> value = readDigits(text, at, fullYear ? 4 : 2, 4);
  if (!value) return std::nullopt;
  if (at - start == 4) return value;
  if (at - start == 2) return *value < 50 ? 2000 + *value : 1900 + *value;
  return std::nullopt;
}

std::optional<int> readMonthName(std::string_view text, std::size_t& at) {
  if (text.size() - at < 3) return std::nullopt;
  const std::string name = {lower(text[at]), lower(text[at + 1]), lower(text[at + 2])};
  for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
    if (name == kMonthNames[i]) {
      at += 3;
      return static_cast<int>(i) + 1;
    }
  }
  return std::nullopt;
}

std::optional<DayNumber> readBy(const std::vector<Element>& pattern, std::string_view text) {
  int year = 0, month = 0, day = 0;
  std::size_t at = 0;
  for (const Element& element : pattern) {
    std::optional<int> value;
    switch (element.kind) {
      case Kind::Day:
        if (!(value = readDigits(text, at, 1, 2))) return std::nullopt;
        day = *value;
        break;
      case Kind::Month:
        if (!(value = readDigits(text, at, 1, 2))) return std::nullopt;
        month = *value;
        break;
      case Kind::MonthName:
        if (!(value = readMonthName(text, at))) return std::nullopt;
        month = *value;
        break;
      case Kind::Year:
        if (!(value = readYear(text, at, element.fullYear))) return std::nullopt;
        year = *value;
        break;
      case Kind::Literal:
        if (!text.substr(at).starts_with(element.literal)) return std::nullopt;
        at += element.literal.size();
        break;
    }
  }
  if (at != text.size()) return std::nullopt;
  return dayOf(year, month, day);
}

const std::vector<Element>& isoPattern() {
  static const std::vector<Element> pattern = {field(Kind::Year, 4, true),
                                               {Kind::Literal, "-", false, 0},
                                               field(Kind::Month, 2),
                                               {Kind::Literal, "-", false, 0},
                                               field(Kind::Day, 2)};
  return pattern;
}

}  // namespace

DateReader::DateReader(std::string_view pattern) : pattern_(parsePattern(pattern)) {}

std::optional<DayNumber> DateReader::read(std::string_view text) const {
  text = trimmedBlanks(text);
  if (const auto day = readBy(isoPattern(), text)) return day;
  if (pattern_.empty()) return std::nullopt;
  return readBy(pattern_, text);
}

std::string DateReader::write(DayNumber day) const {
  const std::chrono::year_month_day date{std::chrono::sys_days(std::chrono::days(day))};
  const int year = static_cast<int>(date.year());
  const auto month = static_cast<unsigned>(date.month());
  std::string text;
  char digits[16];
  for (const Element& element : pattern_) {
    switch (element.kind) {
      case Kind::Day:
        std::snprintf(digits, sizeof digits, "%0*u", element.width,
                      static_cast<unsigned>(date.day()));
        text += digits;
        break;
      case Kind::Month:
        std::snprintf(digits, sizeof digits, "%0*u", element.width, month);
        text += digits;
        break;
      case Kind::MonthName: {
        std::string name(kMonthNames[month - 1]);
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
        text += name;
        break;
      }
      case Kind::Year:
        std::snprintf(digits, sizeof digits, "%0*d", element.width,
                      element.width == 2 ? year % 100 : year);
        text += digits;
        break;
      case Kind::Literal:
        text += element.literal;
        break;
    }
  }
  return text;
}

std::optional<DayNumber> dayOf(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
    return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{year},
                                         std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok()) return std::nullopt;
  return std::chrono::sys_days(date).time_since_epoch().count();
}

std::string isoDate(DayNumber day) {
  const std::chrono::year_month_day date{std::chrono::sys_days(std::chrono::days(day))};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

}  // namespace vantro::core
