#pragma once
// Dates as the user types or pastes them: in ISO form, 2008-01-31, or in the locale's short
// form, which the front end hands over as a pattern ("M/d/yy", "dd.MM.yy", "dd/MM/yyyy").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::core {

// Days counted from 1970-01-01 (negative before it).
using DayNumber = std::int64_t;

// Reads dates of the years 1 to 9999 that exist (2024-02-29 does, 2023-02-30 does not), with
// white space around the text left out.
//
// ISO form first: four digits of year, "-", the month and the day in one or two digits each.
// Then the pattern, in the notation of Qt's date formats: d or dd the day, M or MM the month,
// MMM the month's English three-letter name (as the C locale writes it, any case), yy or yyyy
// the year, each once; 'quoted' text and any other character stand for themselves, '' for a
// quote. Days and months take one or two digits either way, years two or four: a two-digit
// year means 2000 to 2049 for 00 to 49, 1950 to 1999 for 50 to 99. A pattern with other
// letters (day names, eras) or without a day, a month and a year reads no date: the ISO form
// still does.
class DateReader {
 public:
  explicit DateReader(std::string_view pattern);

  std::optional<DayNumber> read(std::string_view text) const;
  // The day written by the pattern ("1/31/08" by "M/d/yy"); empty when the pattern reads no
  // dates. Two-digit years read back as themselves from 1950 to 2049 only.
  std::string write(DayNumber day) const;
  // Whether the pattern reads dates besides the ISO form.
  bool readsPattern() const { return !pattern_.empty(); }

  struct Element {
    enum class Kind { Day, Month, MonthName, Year, Literal } kind = Kind::Literal;
    std::string literal;    // for Literal
    bool fullYear = false;  // a Year that takes four digits only
    int width = 0;          // the letters of the field in the pattern: "dd" is 2
  };

 private:
  std::vector<Element> pattern_;  // empty when it cannot be read
};

// The day of a year, month and day of the years 1 to 9999; nothing for one that does not exist.
std::optional<DayNumber> dayOf(int year, int month, int day);

// The day in ISO form, "2008-01-31".
std::string isoDate(DayNumber day);

}  // namespace vantro::core
