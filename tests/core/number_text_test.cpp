#include "core/number_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>

using namespace std::string_view_literals;
using vantro::core::isNumeric;
using vantro::core::leadingNumberValue;
using vantro::core::NumberLocale;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(LeadingNumberValue, ReadsAsFarAsTheNumberGoes) {
  const struct {
    std::string_view text;
    double expected;
  } cases[] = {
      {"", 0},
      {"-", 0},
      {".", 0},
      {"abc", 0},
      {"e5", 0},
      {"+.e1", 0},
      {"12abc", 12},
      {"12/4", 12},
      {"1,000", 1},
      {".5", 0.5},
      {"5.", 5},
      {"-2.25", -2.25},
      {"1e", 1},
      {"1e+", 1},
      {"1E2", 100},
      {"2D3", 2000},
      {"2d-1", 0.2},
      {"1.2.3", 1.2},
      {"1e2e3", 100},
      {"0.1", 0.1},
      {"1 2", 12},
      {"- 5", -5},
      {"1\r2", 1},
      {"7\0"
       "8"sv,
       7},
      {" \t\n+1 . 2 5 e\n1", 12.5},
      {"1e400", kInf},
      {"-1D400", -kInf},
      {"1e-400", 0},
      {"0e999999999999999999999", 0},
      {"1e99999999999999999999", kInf},
      {"0.00000000000000000000001e23", 1},
      {"000000000000000000000000000123", 123},
      {"4.9406564584124654e-324", 4.9406564584124654e-324},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"9007199254740993", 9007199254740992.0},  // halfway: rounds to even
      {"\xC3\xA9"
       "5",
       0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(leadingNumberValue(c.text), c.expected) << '"' << c.text << '"';
  }
  EXPECT_TRUE(std::signbit(leadingNumberValue("-1e-400")));
}

// Digits far past the 17th still decide a halfway case.
TEST(LeadingNumberValue, RoundsCorrectlyWithManyDigits) {
  const std::string halfway = "9007199254740993" + std::string(2000, '0');
  EXPECT_EQ(leadingNumberValue(halfway + "e-2000"), 9007199254740992.0);
  EXPECT_EQ(leadingNumberValue(halfway + "1e-2001"), 9007199254740994.0);
}

TEST(LeadingNumberValue, TenMegabyteTextsInLinearTime) {
  const std::size_t size = 10u << 20;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(leadingNumberValue(std::string(size, '7')), kInf);
  EXPECT_EQ(leadingNumberValue(std::string(size, ' ') + "5"), 5);
  EXPECT_EQ(leadingNumberValue("0." + std::string(size, '0') + "1"), 0);
  EXPECT_EQ(leadingNumberValue("0." + std::string(size, '0') + "1e10485761"), 1);
  EXPECT_EQ(leadingNumberValue(std::string(size, '\0')), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

struct NumericCase {
  std::string_view text;
  bool numeric;
};

void expectNumeric(const NumberLocale& locale, std::initializer_list<NumericCase> cases) {
  for (const auto& c : cases) {
    EXPECT_EQ(isNumeric(c.text, locale), c.numeric) << '"' << c.text << '"';
  }
}

TEST(IsNumeric, EnglishLocale) {
  expectNumeric(NumberLocale{".", ",", "$"},
                {{"12", true},       {" 12 \r\n", true}, {"-3.5", true},   {"1,000", true},
                 {"1,000.50", true}, {"$100", true},     {"-$5", true},    {"$-5", true},
                 {"100$", true},     {"$ 5", true},      {"1.5E-3", true}, {"2e+10", true},
                 {"+7", true},       {".5", true},       {"5.", true},     {"1,00", true},
                 {"12abc", false},   {"1 2", false},     {"", false},      {" \t\r\n", false},
                 {"-", false},       {".", false},       {"e5", false},    {"1e", false},
                 {"1e+", false},     {"1D3", false},     {",100", false},  {"100,", false},
                 {"1,,000", false},  {"1,.5", false},    {"1.5,0", false}, {"1.2.3", false},
                 {"$5$", false},     {"--5", false},     {"-$-5", false},  {"5-", false},
                 {"- 5", false},     {"5\0"sv, false},   {"5€", false},    {"$", false},
                 {"(5)", false}});
}

TEST(IsNumeric, CommaDecimalLocales) {
  expectNumeric(NumberLocale{",", ".", "€"}, {{"1.000,5", true},
                                              {"1,5", true},
                                              {"-1.234.567,89 €", true},
                                              {"€1,5e3", true},
                                              {"1,000.5", false},
                                              {"1,5,0", false},
                                              {"1.,5", false}});
  // U+202F narrow no-break space groups the thousands, as in France.
  expectNumeric(NumberLocale{",", "\u202F", "€"}, {{"1\u202F000,5", true},
                                                   {"12\u202F345\u202F678 €", true},
                                                   {"1 000,5", false},
                                                   {"\u202F100", false},
                                                   {"100\u202F", false},
                                                   {"1\u202F\u202F000", false},
                                                   {"1\xE2\x80"
                                                    "000",
                                                    false},
                                                   {"1.5", false}});
  expectNumeric(NumberLocale{",", "\u00A0", "kr"},
                {{"kr 5", true}, {"1\u00A0000 kr", true}, {"-5kr", true}, {"5 k", false}});
}

TEST(IsNumeric, LocaleFeaturesThatAreMissingOrOverlap) {
  expectNumeric(NumberLocale{".", "", ""}, {{"1.5", true}, {"1,000", false}, {"$5", false}});
  // A currency symbol that begins like an exponent.
  expectNumeric(NumberLocale{".", ",", "EUR"},
                {{"5EUR", true}, {"5E3EUR", true}, {"5E", false}, {"EUR", false}});
  // The same text for both: read as the decimal point.
  expectNumeric(NumberLocale{".", ".", ""}, {{"1.5", true}, {"1.000.000", false}});
}

}  // namespace
