#include "core/date_text.h"

#include <gtest/gtest.h>

#include <string>

using vantro::core::DateReader;
using vantro::core::isoDate;

namespace {

// Each date read by the pattern of a locale (Qt's short forms of en_US, de_DE, fr_FR, C, bg_BG
// and ko_KR), or refused ("").
TEST(DateReader, ReadsIsoAndTheLocalesShortFormAndOnlyDatesThatExist) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* date;
  };
  const Case cases[] = {
      {" 2008-01-31 ", "M/d/yy", "2008-01-31"},
      {"2008-1-5", "", "2008-01-05"},
      {"2024-02-29", "", "2024-02-29"},
      {"2023-02-29", "", ""},
      {"2023-02-30", "dd.MM.yy", ""},
      {"2023-04-31", "", ""},
      {"0001-01-01", "", "0001-01-01"},
      {"9999-12-31", "", "9999-12-31"},
      {"0000-12-31", "", ""},
      {"10000-01-01", "", ""},
      {"08-01-31", "", ""},  // ISO takes four digits of year
      // An ISO reading would take 31 for a year: the pattern's day comes first.
      {"31-01-08", "dd-MM-yy", "2008-01-31"},
      {"1/31/08", "M/d/yy", "2008-01-31"},
      {"12/31/49", "M/d/yy", "2049-12-31"},
      {"1/1/50", "M/d/yy", "1950-01-01"},
      {"1/1/2050", "M/d/yy", "2050-01-01"},
      {"1/1/208", "M/d/yy", ""},
      {"2/29/23", "M/d/yy", ""},
      {"31/1/08", "M/d/yy", ""},
      {"31.01.08", "dd.MM.yy", "2008-01-31"},
      {"1.2.08", "dd.MM.yy", "2008-02-01"},
      {"31.01.2008.", "dd.MM.yy", ""},
      {"31/01/2008", "dd/MM/yyyy", "2008-01-31"},
      {"31/01/08", "dd/MM/yyyy", "2008-01-31"},
      {"31 Jan 2008", "d MMM yyyy", "2008-01-31"},
      {"1 dec 1999", "d MMM yyyy", "1999-12-01"},
      {"1 Dez 1999", "d MMM yyyy", ""},
      {"31.01.08 г.", "d.MM.yy 'г'.", "2008-01-31"},
      {"08. 1. 31.", "yy. M. d.", "2008-01-31"},
      {"1/31/08", "dddd, d MMMM yyyy", ""},  // a pattern this reader cannot follow
      {"1/31/08", "M/d", ""},
      {"", "M/d/yy", ""},
      {"abc", "M/d/yy", ""},
      {"2008-01-31x", "M/d/yy", ""},
      {"1//31/08", "M/d/yy", ""},
  };
  for (const Case& c : cases) {
    const auto day = DateReader(c.pattern).read(c.text);
    EXPECT_EQ(day ? isoDate(*day) : "", c.date) << c.text << " by " << c.pattern;
  }
  // A date written by the pattern, as the sentences show the form they read.
  const auto day = *DateReader("").read("2008-01-31");
  const std::pair<const char*, const char*> written[] = {
      {"M/d/yy", "1/31/08"},           {"dd.MM.yy", "31.01.08"},  {"d MMM yyyy", "31 Jan 2008"},
      {"d.MM.yy 'г'.", "31.01.08 г."}, {"yyyy/M/d", "2008/1/31"}, {"dddd, d MMMM yyyy", ""},
  };
  for (const auto& [pattern, text] : written) EXPECT_EQ(DateReader(pattern).write(day), text);
  // Days count from 1970-01-01, so that differences between dates are days.
  EXPECT_EQ(DateReader("").read("1970-01-01"), 0);
  EXPECT_EQ(DateReader("").read("2008-01-01"), 13879);
}

}  // namespace
