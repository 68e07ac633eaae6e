// Number format, checked arithmetic and character positions: the small pure pieces.

#include "core/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/checked_math.h"
#include "core/text_edit.h"

using namespace vantro::core;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FormatGeneral, ExactTexts) {
  const struct {
    double value;
    int digits;
    const char* expected;
  } cases[] = {
      // clang-format off
      {1.0 / 3, 15, "0.333333333333333"}, {2.0 / 3, 15, "0.666666666666667"},
      {std::sqrt(2.0), 15, "1.4142135623731"}, {-2.5, 15, "-2.5"}, {100, 15, "100"},
      {0.1 + 0.2, 15, "0.3"}, {-0.0, 15, "0"}, {999999999999999, 15, "999999999999999"},
      {1e15, 15, "1E+15"}, {9.999999999999999e14, 15, "1E+15"},
      {-123456789012345678.0, 15, "-1.23456789012346E+17"}, {1e100, 15, "1E+100"},
      {0.0001, 15, "0.0001"}, {0.000099999999999999999, 15, "0.0001"},
      {0.00001, 15, "1E-05"}, {0.000015, 15, "1.5E-05"}, {0.00123, 15, "0.00123"},
      {4.9406564584124654e-324, 15, "4.94065645841247E-324"},
      {4530, 7, "4530"}, {1234567, 7, "1234567"}, {12345678, 7, "1.234568E+07"},
      {9999999.5, 7, "1E+07"}, {kInf, 15, "Overflow"}, {std::nan(""), 15, "Overflow"},
      // clang-format on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatGeneral(c.value, c.digits), c.expected) << c.value << " @" << c.digits;
  }
}

// Sentences group thousands the locale's way, and what they say reads back as the same number.
TEST(LocaleNumberText, GroupsTheIntegerPartAndReadsBack) {
  const NumberLocale english{".", ",", "$"};
  const NumberLocale german{",", ".", "\u20ac"};
  const NumberLocale french{",", "\u202f", "\u20ac"};
  const struct {
    const char* plain;
    const NumberLocale& locale;
    const char* expected;
  } cases[] = {
      {"1000000", english, "1,000,000"},        {"-1234567.5", english, "-1,234,567.5"},
      {"-1234567.50", german, "-1.234.567,50"}, {"999.99", german, "999,99"},
      {"100000.25", french, "100\u202f000,25"}, {"1E+15", english, "1E+15"},
  };
  for (const auto& c : cases) {
    const std::string text = localeNumberText(c.plain, c.locale);
    EXPECT_EQ(text, c.expected);
    const auto back = readNumber(text, c.locale);
    ASSERT_TRUE(back) << text;
    EXPECT_EQ(std::stod(*back), std::stod(c.plain)) << text;
  }
}

TEST(CheckedMath, ErrorKinds) {
  using Kind = ArithmeticError::Kind;
  const double big = std::numeric_limits<double>::max();
  const struct {
    double (*operation)(double, double);
    double a, b;
    Kind kind;
  } cases[] = {
      {checkedAdd, big, big, Kind::Overflow},
      {checkedSubtract, -big, big, Kind::Overflow},
      {checkedMultiply, big, 2, Kind::Overflow},
      {checkedDivide, big, 0.5, Kind::Overflow},
      {checkedDivide, -1, -0.0, Kind::DivideByZero},
      {checkedDivide, 0, 0, Kind::Invalid},
      {checkedAdd, kInf, 1, Kind::Overflow},
      {checkedMultiply, 1, std::nan(""), Kind::Invalid},
  };
  for (const auto& c : cases) {
    try {
      c.operation(c.a, c.b);
      ADD_FAILURE() << c.a << ", " << c.b << " gave no error";
    } catch (const ArithmeticError& error) {
      EXPECT_EQ(error.kind(), c.kind) << c.a << ", " << c.b;
    }
  }
  EXPECT_EQ(checkedMultiply(1e-300, 1e-300), 0);  // underflow is no error
  EXPECT_EQ(checkedDivide(1, 4), 0.25);
  EXPECT_THROW(checkedFinite(-kInf), ArithmeticError);
}

TEST(TextEdit, KeepsCharactersWholeAndCountsInvalidBytesSingly) {
  const std::string text = "a\u00E9\u20AC\U0001F600b";  // 1, 2, 3, 4 and 1 bytes
  EXPECT_EQ(charCount(text), 5);
  EXPECT_EQ(leftChars(text, 3), "a\u00E9\u20AC");
  EXPECT_EQ(leftChars(text, -1), "");
  EXPECT_EQ(charsFrom(text, 3), "\U0001F600b");
  EXPECT_EQ(insertAt(text, 2, "-"), "a\u00E9-\u20AC\U0001F600b");
  EXPECT_EQ(insertAt(text, 42, "-"), text + "-");
  // truncated, overlong, surrogate, past U+10FFFF, stray bytes
  const std::pair<std::string, int> invalid[] = {
      {"\xE2\x82", 2},         {"\xC0\xAF", 2},         {"\xED\xA0\x80", 3},
      {"\xF4\x90\x80\x80", 4}, {"\xFF\xC3\xA9\xFE", 3}, {std::string("a\0b", 3), 3}};
  for (const auto& [bytes, count] : invalid) {
    EXPECT_EQ(charCount(bytes), count) << testing::PrintToString(bytes);
    for (int split = -1; split <= count + 1; ++split) {
      EXPECT_EQ(leftChars(bytes, split) + charsFrom(bytes, split), bytes);
    }
  }
}

}  // namespace
