#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace std::string_view_literals;
using vantro::core::isNumeric;
using vantro::core::leadingNumberValue;
using vantro::core::NumberLocale;
using vantro::core::readNumber;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(LeadingNumberValue, ReadsAsFarAsTheNumberGoes) {
  const std::pair<std::string_view, double> cases[] = {
      // clang-format off
      {"", 0}, {"-", 0}, {".", 0}, {"e5", 0}, {"\xC3\xA9" "5", 0}, {"12/4", 12}, {"1,000", 1},
      {".5", 0.5}, {"5.", 5}, {"1e+", 1}, {"2D3", 2000}, {"2d-1", 0.2}, {"1.2.3", 1.2},
      {"1 2", 12}, {"- 5", -5}, {"1\r2", 1}, {"7\0" "8"sv, 7}, {" \t\n+1 . 2 5 e\n1", 12.5},
      {"1e400", kInf}, {"-1D400", -kInf}, {"1e-400", 0}, {"1e99999999999999999999", kInf},
      {"0.00000000000000000000001e23", 1}, {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"9007199254740993", 9007199254740992.0},  // halfway: to even
      // clang-format on
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(leadingNumberValue(text), expected) << '"' << text << '"';
  }
  EXPECT_TRUE(std::signbit(leadingNumberValue("-1e-400")));
  // Digits far past the 17th still decide a halfway case.
  const std::string halfway = "9007199254740993" + std::string(2000, '0');
  EXPECT_EQ(leadingNumberValue(halfway + "1e-2001"), 9007199254740994.0);
}

// Long texts read right: a 10 MB line can stand in the settings file. (Its speed is a
// benchmark's business, not a unit test's.)
TEST(LeadingNumberValue, TenMegabyteTexts) {
  const std::size_t size = 10u << 20;
  EXPECT_EQ(leadingNumberValue(std::string(size, '7')), kInf);
  EXPECT_EQ(leadingNumberValue(std::string(size, ' ') + "5"), 5);
  EXPECT_EQ(leadingNumberValue("0." + std::string(size, '0') + "1e10485761"), 1);
}

// Each text with the plain number it stands for, or nullptr where it is no number.
void expectNumbers(const NumberLocale& locale,
                   std::initializer_list<std::pair<std::string_view, const char*>> cases) {
  for (const auto& [text, plain] : cases) {
    EXPECT_EQ(isNumeric(text, locale), plain != nullptr) << '"' << text << '"';
    EXPECT_EQ(readNumber(text, locale).value_or("none"), plain ? plain : "none")
        << '"' << text << '"';
  }
}

TEST(ReadNumber, EnglishLocale) {
  expectNumbers({".", ",", "$"}, {
                                     // clang-format off
          {" 12 \r\n", "12"}, {"-3.5", "-3.5"}, {"1,000.50", "1000.50"}, {"$100", "100"},
          {"-$5", "-5"}, {"100 $", "100"}, {"1.5e-3", "1.5E-3"}, {"+7", "+7"}, {".5", ".5"},
          {"5.", "5."}, {"1,00", "100"}, {"-1d3", "-1E3"}, {"12abc", nullptr}, {"1 2", nullptr},
          {"", nullptr}, {" \t", nullptr}, {"-", nullptr}, {".", nullptr}, {"e5", nullptr},
          {"1e", nullptr}, {",100", nullptr}, {"1,", nullptr}, {"1,,000", nullptr},
          {"1.5,0", nullptr}, {"$5$", nullptr}, {"--5", nullptr}, {"- 5", nullptr},
          {"5\0"sv, nullptr}, {"5\u20AC", nullptr}, {"1\t2", nullptr},
          // Accounting negatives, the minus sign of typesetting.
          {"(1,000.00)", "-1000.00"}, {"$(5)", "-5"}, {"( $5 )", "-5"}, {"(5) $", "-5"},
          {"(-5)", nullptr}, {"(5", nullptr}, {"5)", nullptr}, {"()", nullptr},
          {"\u22125", "-5"},
                                     // clang-format on
                                 });
}

// The program's own form comes first: what it writes reads as itself where "." groups
// thousands or is no number character; the locale's form reads the rest.
TEST(ReadNumber, OwnFormFirstThenTheLocales) {
  const NumberLocale german{",", ".", "\u20AC"};
  expectNumbers(german, {{"-1580.17", "-1580.17"},
                         {"1.5", "1.5"},
                         {"0.333333333333333", "0.333333333333333"},
                         {"1.5E-05", "1.5E-05"},
                         {"1.234,5", "1234.5"},
                         {"1,5", "1.5"},
                         {"-1.234,5 \u20AC", "-1234.5"},
                         {"1.000.000", "1000000"},
                         {"1,000.5", nullptr},
                         {"$12.50", "12.50"}});
  // U+202F groups the thousands in French; a plain or no-break space stands for it.
  expectNumbers({",", "\u202F", "\u20AC"}, {{"12\u202F345\u202F678,5 \u20AC", "12345678.5"},
                                            {"1 000,25", "1000.25"},
                                            {"-1234567.891", "-1234567.891"},
                                            {"1E+15", "1E+15"},
                                            {"1\u00A0000", "1000"},
                                            {"100\u202F", "100"},
                                            {"1\u202F\u202F000", nullptr},
                                            {"1\xE2\x80"
                                             "000",
                                             nullptr}});
  expectNumbers({",", "\u00A0", "kr"},
                {{"kr 5", "5"}, {"-1\u00A0000kr", "-1000"}, {"\u22121 234,50 kr", "-1234.50"}});
  expectNumbers({".", "\u2019", "CHF"}, {{"1'000.50", "1000.50"}, {"CHF 1\u2019000", "1000"}});
  // "$" counts in every locale, beside the locale's own symbol.
  expectNumbers({".", ",", ""}, {{"-$1,000", "-1000"}, {"$300", "300"}, {"1.5", "1.5"}});
  expectNumbers({".", ",", "\u00A3"}, {{"-$1,000", "-1000"}, {"\u00A35", "5"}});
  // A currency symbol that begins like an exponent, or is a minus sign.
  expectNumbers({".", ",", "EUR"}, {{"5E3EUR", "5E3"}, {"5E", nullptr}, {"EUR", nullptr}});
  expectNumbers({".", ",", "-"}, {{"-5", "-5"}, {"5-", "5"}});
}

// A spreadsheet cell where "." groups thousands: grouped strictly in threes, the locale's
// number; anything else as readNumber reads it. Where "." is the decimal point, as ever.
TEST(ReadNumber, CellsGroupedInThreesByThePointAreTheLocales) {
  const vantro::core::NumberReader german({",", ".", "\u20AC"});
  const vantro::core::NumberReader english({".", ",", "$"});
  const struct {
    const vantro::core::NumberReader& reader;
    const char* text;
    std::string plain;
  } cases[] = {
      {german, " -10.000 ", "-10000"},     {german, "1.234.567,5", "1234567.5"},
      {german, "(2.750 \u20AC)", "-2750"}, {german, "1.5", "1.5"},
      {german, "0.125", "0.125"},          {german, "1580.17", "1580.17"},
      {german, "1.2345", "1.2345"},        {english, "10.000", "10.000"},
  };
  for (const auto& c : cases) {
    const auto plain = c.reader.readCell(c.text);
    EXPECT_EQ(plain.value_or("none"), c.plain) << c.text;
  }
}

}  // namespace
