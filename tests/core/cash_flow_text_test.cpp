#include "core/cash_flow_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

using vantro::core::parseCashFlows;

TEST(CashFlowText, KeepsTheNumericLinesAsTheyAreShownAndReadsThemByTheLocale) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* text;
    int decimals;
    std::vector<double> values;
    const char* rewritten;
  } cases[] = {
      {"", 2, {0}, ""},
      {"\r\n \r\nabc", 2, {0}, ""},
      {" 12 \r\n\t-5", 0, {12, -5}, "12\r\n-5\r\n"},
      {"-$1,000\r\n$600\r\n1,00", 2, {-1000, 600, 100}, "-1000.00\r\n600.00\r\n100.00\r\n"},
      // Line ends of any system; a value beyond a double stays as typed, for the caller to refuse.
      {"1\n2\r3\r\n-0.001", 2, {1, 2, 3, -0.001}, "1.00\r\n2.00\r\n3.00\r\n0.00\r\n"},
      {"1e400\r\n-5", 1, {inf, -5}, "1E400\r\n-5.0\r\n"},
      // A spreadsheet's row of cells, its accounting negatives, a D exponent.
      {"-1000\t500\t\t600\n7", 0, {-1000, 500, 600, 7}, "-1000\r\n500\r\n600\r\n7\r\n"},
      {"(1,000.00)\r\n$(25)\r\n-1d3", 2, {-1000, -25, -1000}, "-1000.00\r\n-25.00\r\n-1000.00\r\n"},
  };
  for (const auto& c : cases) {
    const auto list = parseCashFlows(c.text, {".", ",", "$"}, c.decimals);
    EXPECT_EQ(list.values, c.values) << c.text;
    EXPECT_EQ(list.text, c.rewritten) << c.text;
  }
}

TEST(CashFlowText, ListsPastTheSixteenBitRangeAndAMegabyteLine) {
  std::string text;
  for (int i = 0; i < 40000; ++i) text += (i % 2 ? "-1\r\n" : "2\n");
  const std::string digits(1u << 20, '9');
  const auto list = parseCashFlows(text + digits, {".", ",", "$"}, 0);
  ASSERT_EQ(list.values.size(), 40001u);
  EXPECT_EQ(list.values[39999], -1);
  EXPECT_EQ(list.values[40000], std::numeric_limits<double>::infinity());
  EXPECT_EQ(list.text, parseCashFlows(text, {".", ",", "$"}, 0).text + digits + "\r\n");
}

// The list takes lines up to its limit from the clipboard, whatever ends them.
TEST(CashFlowText, FitsLinesUpToTheLimit) {
  const std::string longest(vantro::core::kMaxCashFlowLineBytes, '7');
  EXPECT_TRUE(vantro::core::fitsCashFlowList(""));
  EXPECT_TRUE(vantro::core::fitsCashFlowList("1\r\n" + longest + "\r" + longest + "\n2"));
  EXPECT_FALSE(vantro::core::fitsCashFlowList("1\n" + longest + "8\r\n2"));
}

}  // namespace
