// The fixed-decimals format of financial results and the reader of rates and periods.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "core/checked_math.h"
#include "core/fixed_format.h"
#include "core/rate_or_period.h"

namespace vantro::core {
namespace {

struct FixedCase {
  double value;
  int places;
  const char* expected;
};

// Halves are judged on the value's 15-digit decimal form, as a user reads it: 1.005 is stored
// as 1.00499999999999989..., yet it shows 1.01.
TEST(FormatFixed, RoundsHalvesAwayFromZeroOnTheDecimalForm) {
  const FixedCase cases[] = {
      // clang-format off
      {0.125, 2, "0.13"}, {1.005, 2, "1.01"}, {2.675, 2, "2.68"}, {-0.125, 2, "-0.13"},
      {-733.764573879, 2, "-733.76"}, {1234.5, 2, "1234.50"}, {-0.5, 2, "-0.50"}, {0.5, 0, "1"},
      {1.5, 0, "2"}, {2.5, 0, "3"}, {-2.5, 0, "-3"}, {0.004, 2, "0.00"}, {-0.004, 2, "0.00"},
      {-0.0, 2, "0.00"}, {0, 0, "0"}, {9.995, 2, "10.00"}, {999.9999, 3, "1000.000"},
      {0.0005, 3, "0.001"}, {0.00049, 3, "0.000"}, {12.682503013197, 6, "12.682503"},
      {1e20, 2, "100000000000000000000.00"}, {1.0 / 3, 15, "0.333333333333333"},
      {2.0 / 3, 15, "0.666666666666667"},
      {123456789.123456789, 15, "123456789.123456791043282"},  // the double's own digits
      {5e-324, 15, "0.000000000000000"},
      // clang-format on
  };
  for (const FixedCase& c : cases)
    EXPECT_EQ(formatFixed(c.value, c.places), c.expected) << c.value << " to " << c.places;
}

// An amount of 16 or 17 significant digits is written with the decimals its double holds, so
// that reading the text back gives the same double and a rewritten list keeps its amounts.
TEST(FormatFixed, KeepsAmountsOfSixteenAndMoreDigits) {
  const struct {
    const char* typed;
    int places;
    const char* expected;
  } cases[] = {
      {"12345678901234.56", 2, "12345678901234.56"},
      {"-12345678901234.56", 2, "-12345678901234.56"},
      {"-65432109876543.21", 2, "-65432109876543.21"},
      {"98765432109876.54", 2, "98765432109876.55"},      // doubles 1/64 apart: the nearest one
      {"1234567890123456.78", 2, "1234567890123456.75"},  // the nearest double, to the cent
      {"99999999999999.995", 2, "100000000000000.00"},
      {"2251799813685248.5", 0, "2251799813685249"},  // an exact half, away from zero
      {"0.1234567890123456", 15, "0.123456789012346"},
  };
  for (const auto& c : cases) {
    const double value = std::strtod(c.typed, nullptr);
    const std::string shown = formatFixed(value, c.places);
    EXPECT_EQ(shown, c.expected) << c.typed;
    if (c.places == 2) {
      EXPECT_EQ(std::strtod(shown.c_str(), nullptr), value) << c.typed;
    }
  }
}

TEST(FormatFixed, NeverShowsInfinityOrNaN) {
  for (double v :
       {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN()}) {
    const std::string text = formatFixed(v, 2);
    EXPECT_EQ(text.find("inf"), std::string::npos);
    EXPECT_EQ(text.find("nan"), std::string::npos);
  }
  EXPECT_EQ(formatFixed(std::numeric_limits<double>::max(), 2).size(), 309u + 3u);
}

// The double nearest what formatFixed shows, whatever the value: ordinary amounts, values one
// unit in the last place either side of a half, and ones too large for cents in a double.
TEST(RoundToPlaces, IsWhatFormatFixedShows) {
  std::mt19937_64 engine(2024);
  std::uniform_real_distribution<double> exponent(-6, 22);
  for (int i = 0; i < 20000; ++i) {
    const int places = static_cast<int>(engine() % 17) - 1;
    const double scale = std::pow(10.0, std::clamp(places, 0, kMaxDecimalPlaces));
    double value = std::pow(10.0, exponent(engine)) * (engine() % 2 ? 1 : -1);
    if (i % 2 == 0) {
      const double half = (std::round(value * scale) + 0.5) / scale;
      value = std::nextafter(half, i % 4 == 0 ? 0.0 : HUGE_VAL);
    }
    const std::string shown = formatFixed(value, places);
    EXPECT_EQ(roundToPlaces(value, places), std::strtod(shown.c_str(), nullptr))
        << value << " to " << places << ": " << shown;
  }
  EXPECT_FALSE(std::signbit(roundToPlaces(-0.001, 2)));
}

TEST(NumberFormatPattern, FollowsTheDecimalPlaces) {
  EXPECT_EQ(numberFormatPattern(-3), "0");
  for (int places = 0; places <= kMaxDecimalPlaces; ++places)
    EXPECT_EQ(decimalPlacesOf(numberFormatPattern(places)), places);
}

struct RateCase {
  const char* text;
  double expected;
};

TEST(GetRateOrPeriod, ReadsNumbersQuotientsAndProducts) {
  const RateCase cases[] = {
      // clang-format off
      {"12/4", 3}, {"1/12", 1.0 / 12}, {"30*12", 360}, {"-5/2", -2.5}, {"5/-2", -2.5}, {"12", 12},
      {"", 0}, {"/4", 0}, {"12*", 0}, {"8/12*3", 8.0 / 12}, {" 1 2 / 4", 3},
      {"2*3/4", 0.5},  // the first "/" decides: 2*3 reads as 2, divided by 4
      // clang-format on
  };
  for (const RateCase& c : cases) EXPECT_DOUBLE_EQ(GetRateOrPeriod(c.text), c.expected) << c.text;
}

TEST(GetRateOrPeriod, RefusesWhatCannotBeComputed) {
  for (const char* text : {"12/", "0/0", "12/0", "1e308*1e308", "1e400", "1e300/1e-300"})
    EXPECT_THROW(GetRateOrPeriod(text), ArithmeticError) << text;
}

}  // namespace
}  // namespace vantro::core
