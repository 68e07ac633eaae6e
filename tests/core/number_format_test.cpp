// Number format, checked arithmetic and character positions: the small pure pieces.

#include "core/number_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

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
      {1.0 / 3, 15, "0.333333333333333"},
      {2.0 / 3, 15, "0.666666666666667"},
      {std::sqrt(2.0), 15, "1.4142135623731"},
      {2.5, 15, "2.5"},
      {-2.5, 15, "-2.5"},
      {100, 15, "100"},
      {0.1 + 0.2, 15, "0.3"},
      {-0.0, 15, "0"},
      {0, 15, "0"},
      {999999999999999, 15, "999999999999999"},
      {1e15, 15, "1E+15"},
      {9.999999999999999e14, 15, "1E+15"},  // rounding carries into a new digit
      {-123456789012345678.0, 15, "-1.23456789012346E+17"},
      {1.23456789012346e20, 15, "1.23456789012346E+20"},
      {1e100, 15, "1E+100"},
      {0.0001, 15, "0.0001"},
      {0.000099999999999999999, 15, "0.0001"},
      {0.00009999, 15, "9.999E-05"},
      {0.00001, 15, "1E-05"},
      {-0.000015, 15, "-1.5E-05"},
      {0.00123, 15, "0.00123"},
      {4.9406564584124654e-324, 15, "4.94065645841247E-324"},
      {std::numeric_limits<double>::max(), 15, "1.79769313486232E+308"},
      {4530, 7, "4530"},
      {-1200, 7, "-1200"},
      {1234567, 7, "1234567"},
      {12345678, 7, "1.234568E+07"},
      {9999999.5, 7, "1E+07"},
      {kInf, 15, "Overflow"},
      {std::nan(""), 15, "Overflow"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatGeneral(c.value, c.digits), c.expected) << c.value << " @" << c.digits;
  }
}

// The decimal point is ours, not the C locale's.
TEST(FormatGeneral, IgnoresTheProcessLocale) {
  const char* chosen = nullptr;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "fr_FR"}) {
    if ((chosen = std::setlocale(LC_NUMERIC, name)) != nullptr) break;
  }
  if (chosen == nullptr) GTEST_SKIP() << "no comma-decimal locale installed";
  const std::string formatted = formatGeneral(1.5e-7);
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(formatted, "1.5E-07");
}

TEST(CheckedMath, ResultsAndErrors) {
  using Kind = ArithmeticError::Kind;
  const double big = std::numeric_limits<double>::max();
  const struct {
    double (*operation)(double, double);
    double a, b;
    double result;  // used when no error is expected
    std::optional<Kind> error;
  } cases[] = {
      {checkedAdd, 1, 2, 3, {}},
      {checkedSubtract, 1, 2, -1, {}},
      {checkedMultiply, 3, -2, -6, {}},
      {checkedDivide, 1, 4, 0.25, {}},
      {checkedMultiply, 1e-300, 1e-300, 0, {}},  // underflow is no error
      {checkedAdd, big, big, 0, Kind::Overflow},
      {checkedSubtract, -big, big, 0, Kind::Overflow},
      {checkedMultiply, big, 2, 0, Kind::Overflow},
      {checkedDivide, big, 0.5, 0, Kind::Overflow},
      {checkedDivide, 1, 0, 0, Kind::DivideByZero},
      {checkedDivide, -1, -0.0, 0, Kind::DivideByZero},
      {checkedDivide, 0, 0, 0, Kind::Invalid},
      {checkedAdd, kInf, 1, 0, Kind::Overflow},
      {checkedSubtract, 1, std::nan(""), 0, Kind::Invalid},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << ", " << c.b);
    try {
      const double result = c.operation(c.a, c.b);
      EXPECT_FALSE(c.error.has_value());
      EXPECT_EQ(result, c.result);
    } catch (const ArithmeticError& error) {
      ASSERT_TRUE(c.error.has_value()) << error.what();
      EXPECT_EQ(error.kind(), *c.error);
      EXPECT_STRNE(error.what(), "");
    }
  }
  EXPECT_EQ(checkedFinite(-4), -4);
  EXPECT_THROW(checkedFinite(-kInf), ArithmeticError);
}

TEST(TextEdit, CountsCharactersNotBytes) {
  const std::string text = "a\u00E9\u20AC\U0001F600b";  // 1, 2, 3, 4 and 1 bytes
  EXPECT_EQ(charCount(text), 5);
  EXPECT_EQ(leftChars(text, 3), "a\u00E9\u20AC");
  EXPECT_EQ(leftChars(text, 99), text);
  EXPECT_EQ(leftChars(text, -1), "");
  EXPECT_EQ(charsFrom(text, 3), "\U0001F600b");
  EXPECT_EQ(charsFrom(text, 9), "");
  EXPECT_EQ(charsFrom(text, -2), text);
  EXPECT_EQ(insertAt(text, 2, "-"), "a\u00E9-\u20AC\U0001F600b");
  EXPECT_EQ(insertAt(text, 42, "-"), text + "-");
  EXPECT_EQ(insertAt(text, -3, "-"), "-" + text);
}

TEST(TextEdit, EachInvalidByteIsOneCharacter) {
  const struct {
    std::string text;
    int count;
  } cases[] = {
      {"\x80", 1},
      {"\xC3", 1},              // truncated
      {"\xE2\x82", 2},          // truncated three-byte sequence
      {"\xC0\xAF", 2},          // overlong
      {"\xED\xA0\x80", 3},      // surrogate
      {"\xF4\x90\x80\x80", 4},  // past U+10FFFF
      {"\xFF\xC3\xA9\xFE", 3},
      {std::string("a\0b", 3), 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(charCount(c.text), c.count) << testing::PrintToString(c.text);
    for (int split = 0; split <= c.count; ++split) {
      EXPECT_EQ(leftChars(c.text, split) + charsFrom(c.text, split), c.text);
    }
  }
  EXPECT_EQ(leftChars("\xE2\x82\xAC\xE2\x82", 2), "\xE2\x82\xAC\xE2");
}

}  // namespace
