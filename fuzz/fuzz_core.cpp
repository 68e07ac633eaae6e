// Feeds arbitrary bytes to the core's readers and writers and checks properties that hold for
// every input: the leading-number reader agrees with the C library's strtod, the numeric test
// agrees with strtod and across locales, a numeric text's plain number is what strtod reads,
// the general format reads back as the value it came from, the settings file reaches a fixed
// point after a few rounds; an amortisation schedule ends at the
// balance its terms ask for, and a cash-flow profile's range holds every IRR, all in finite
// numbers or a FinanceError.

#include <algorithm>
#include <bit>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/checked_math.h"
#include "core/finance/cash_flow_profile.h"
#include "core/finance/schedule.h"
#include "core/fixed_format.h"
#include "core/number_format.h"
#include "core/number_text.h"
#include "core/settings_file.h"
#include "core/text_edit.h"
#include "require.h"

using namespace vantro::core;

namespace {

using vantro::fuzz::require;

// strtod on a NUL-terminated copy, in the "C" locale the fuzzer runs in. Returns how many
// characters it read.
double cStrtod(const std::string& text, std::size_t* used = nullptr) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (used != nullptr) *used = static_cast<std::size_t>(end - text.c_str());
  return value;
}

bool startsLikeDecimal(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (text.empty() ||
      !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.')) {
    return false;
  }
  return !(text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'));
}

// Without the skipped white space and with D written as E, a text that starts like a decimal
// number is read by strtod exactly as far and as precisely as by leadingNumberValue.
void checkLeadingNumber(std::string_view text) {
  const double value = leadingNumberValue(text);
  require(!std::isnan(value), "leading number is NaN");
  std::string plain;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\n') continue;
    plain.push_back(c == 'D' || c == 'd' ? 'e' : c);
  }
  if (!startsLikeDecimal(plain)) return;
  require(value == cStrtod(plain), "leading number differs from strtod");
}

bool onlyPlainNumberCharacters(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
  });
}

std::string_view trimmed(std::string_view text) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The English text written the Swiss French way: "," -> "'", "." -> ",", "$" -> "€".
std::string toFrench(std::string_view text) {
  std::string french;
  for (const char c : text)
    french += c == ',' ? "'" : c == '.' ? "," : c == '$' ? "\u20AC" : std::string(1, c);
  return french;
}

void checkNumericTest(std::string_view text) {
  const NumberLocale plain{".", "", ""};
  const NumberLocale english{".", ",", "$"};
  const NumberLocale french{",", "'", "\u20AC"};

  // Without thousands separators or currency, "numeric" is exactly "strtod reads it all".
  const std::string_view core = trimmed(text);
  if (onlyPlainNumberCharacters(core)) {
    std::size_t used = 0;
    const double value = cStrtod(std::string(core), &used);
    const bool whole = !core.empty() && used == core.size();
    require(isNumeric(text, plain) == whole, "numeric test differs from strtod");
    if (whole) require(leadingNumberValue(core) == value, "numeric text reads differently");
  }

  const bool numeric = isNumeric(text, english);
  if (const auto number = readNumber(text, english))
    require(leadingNumberValue(*number) == cStrtod(*number), "plain number reads differently");
  if (numeric) {
    std::string withoutSeparators(text);
    std::erase(withoutSeparators, ',');
    require(isNumeric(withoutSeparators, english), "thousands separators were needed");
  }
  // The translation is one to one only when no byte can start the euro sign or U+2019 (which
  // groups where "'" does), and the text holds no "'" of its own.
  if (text.find_first_of("\xE2'") == std::string_view::npos) {
    require(isNumeric(toFrench(text), french) == numeric, "French and English disagree");
  }
}

// Reads the first bytes as a double and checks its general format at 1 to 17 digits.
void checkFormat(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return;
  std::uint64_t bits = 0;
  std::memcpy(&bits, data, sizeof bits);
  const double value = std::bit_cast<double>(bits);
  const int digits = data[8] % 17 + 1;
  const std::string text = formatGeneral(value, digits);
  if (!std::isfinite(value)) {
    require(text == "Overflow", "non-finite not written as Overflow");
    return;
  }
  require(text.find_first_not_of("0123456789.-E+") == std::string::npos, "stray character");
  require(isNumeric(text, NumberLocale{".", "", ""}), "format is not numeric");

  const double back = leadingNumberValue(text);
  if (std::isinf(back)) {
    // Rounding up near the top of the range gives a text beyond it: DBL_MAX at 15 digits is
    // 1.79769313486232E+308, which reads back as an overflow.
    require(std::fabs(value) >= DBL_MAX * (1 - std::pow(10.0, 1 - digits)), "format overflows");
    return;
  }
  // Rounding moves the value by half a unit of its last digit at most, reading it back by
  // half a unit of the double's last place (or of the subnormal spacing).
  const double tolerance =
      std::fabs(value) * (0.5 * std::pow(10.0, 1 - digits) + 2 * DBL_EPSILON) + DBL_TRUE_MIN;
  require(std::fabs(back - value) <= tolerance, "format does not read back");
  if (digits == 17) require(back == value, "17 digits do not round-trip");
  // 15 digits survive a trip through a double, but only where it has all its 53 bits.
  if (digits <= 15 && std::fabs(back) >= DBL_MIN) {
    require(formatGeneral(back, digits) == text, "format is not idempotent");
  }

  const bool exponentForm = text.find('E') != std::string::npos;
  const double magnitude = std::fabs(back);
  const bool large = magnitude >= std::pow(10.0, digits);
  const bool small = magnitude != 0 && magnitude < 1e-4;
  require(exponentForm == (large || small), "wrong choice of exponent form");
}

SettingsValues load(const std::vector<std::string>& lines) {
  SettingsValues values;
  applySettingsLines(lines, values);
  return values;
}

// What the program writes at exit for the values it read; a window's left edge is a float.
std::string save(const std::vector<std::string>& lines) {
  const SettingsValues values = load(lines);
  const float left =
      static_cast<float>(std::clamp(values.xPosition, -double{FLT_MAX}, double{FLT_MAX}));
  return formatSettingsFile(left, values.yPosition, values, lines);
}

constexpr const char* kOwnMarks[] = {"[SYSTEM]", "XPOSITION", "YPOSITION", "TOOLSWIDTH",
                                     "TOOLSHEIGHT"};

bool isOwnLine(std::string line) {
  for (char& c : line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return std::any_of(std::begin(kOwnMarks), std::end(kOwnMarks),
                     [&](const char* mark) { return line.find(mark) != std::string::npos; });
}

void checkSettings(std::string_view text) {
  const std::string content(text);
  const std::vector<std::string> lines = splitSettingsLines(content);
  const auto lineFeeds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  require(lines.size() == lineFeeds + (text.empty() || text.back() == '\n' ? 0 : 1),
          "wrong number of lines");

  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    if (!line.empty() && !isOwnLine(line)) kept.push_back(line);
  }
  const SettingsValues first = load(lines);
  const std::string saved = save(lines);
  const std::vector<std::string> savedLines = splitSettingsLines(saved);
  require(savedLines.size() == 7 + kept.size() &&
              std::equal(kept.begin(), kept.end(), savedLines.begin() + 7),
          "foreign lines not kept in order");
  const SettingsValues second = load(savedLines);
  require(second.yPosition == first.yPosition && second.yPositionTools == first.yPositionTools,
          "16-bit values changed on saving");

  // Seven significant digits do not tell every float apart, so the left edge may move once
  // or twice before the file stops changing.
  std::string previous = saved;
  for (int round = 0; round < 3; ++round) {
    const std::string next = save(splitSettingsLines(previous));
    if (round == 2) require(next == previous, "settings file never settles");
    previous = next;
  }
}

void checkTextEdit(const std::string& text, int position) {
  const int count = charCount(text);
  const int clamped = std::clamp(position, 0, count);
  require(count <= static_cast<int>(text.size()), "more characters than bytes");
  require(leftChars(text, position) + charsFrom(text, position) == text, "split loses bytes");
  require(charCount(leftChars(text, position)) == clamped, "left part has the wrong length");
  require(charCount(charsFrom(text, position)) == count - clamped, "right part is wrong");
  require(charCount(insertAt(text, position, "\u20AC")) == count + 1, "insert split a character");
}

void checkArithmetic(double a, double b) {
  const auto check = [](double (*operation)(double, double), double x, double y, double plain) {
    try {
      require(operation(x, y) == plain && std::isfinite(plain), "checked result is wrong");
    } catch (const ArithmeticError&) {
      require(!std::isfinite(plain) || !std::isfinite(x) || !std::isfinite(y) || y == 0,
              "error without a reason");
    }
  };
  check(checkedAdd, a, b, a + b);
  check(checkedSubtract, a, b, a - b);
  check(checkedMultiply, a, b, a * b);
  check(checkedDivide, a, b, a / b);
}

namespace finance = vantro::core::finance;

// Terms from the first 34 bytes: rate, present and future value, payment (given when bit 1 of
// byte 33 is set) as raw doubles; up to 64 periods in 64ths, so that each input runs fast.
void checkSchedule(const std::uint8_t* data, std::size_t size) {
  if (size < 34) return;
  double numbers[4];
  std::memcpy(numbers, data, sizeof numbers);
  finance::ScheduleTerms terms;
  terms.rate = numbers[0];
  terms.presentValue = numbers[1];
  terms.futureValue = numbers[2];
  if ((data[33] & 2) != 0) terms.payment = numbers[3];
  terms.periods = data[32] % 64 + (data[33] >> 2) / 64.0;
  const bool beginning = (data[33] & 1) != 0;
  terms.due = beginning ? finance::PaymentDue::BeginningOfPeriod : finance::PaymentDue::EndOfPeriod;
  terms.decimalPlaces = data[32] / 64 * 2;
  // The balance owed, with its sign turned for a plan with no present value (its savings).
  const double shownSign = terms.presentValue == 0 ? -1 : 1;
  const double finalBalance = shownSign * -terms.futureValue / (beginning ? 1 + terms.rate : 1);
  for (const auto mode : {finance::ScheduleMode::Exact, finance::ScheduleMode::AsBilled}) {
    std::vector<finance::ScheduleRow> rows;
    try {
      rows = finance::amortisationSchedule(terms, mode);
    } catch (const finance::FinanceError&) {
      continue;
    }
    require(rows.size() == static_cast<std::size_t>(std::ceil(terms.periods)), "row count");
    for (const auto& row : rows) {
      for (double amount : {row.payment, row.interest, row.principal, row.balance,
                            row.cumulativeInterest, row.cumulativePrincipal}) {
        require(std::isfinite(amount), "schedule amount not finite");
      }
    }
    const double expected = mode == finance::ScheduleMode::Exact
                                ? finalBalance
                                : roundToPlaces(finalBalance, terms.decimalPlaces);
    require(rows.back().balance == expected, "schedule does not end at the final balance");
    require(rows.back().period == terms.periods, "last row is not the period count");
  }
}

// Up to 32 flows, the input's doubles, and a rate from its first byte.
void checkProfile(const std::uint8_t* data, std::size_t size) {
  std::vector<double> flows(std::min<std::size_t>(size / 8, 32));
  if (!flows.empty()) std::memcpy(flows.data(), data, flows.size() * sizeof(double));
  const double rate = size > 0 ? data[0] / 64.0 - 0.99 : 0.1;
  for (const bool discounted : {false, true}) {
    try {
      const auto payback = discounted ? finance::discountedPaybackPeriod(flows, rate)
                                      : finance::paybackPeriod(flows);
      if (payback) {
        require(*payback >= 0 && *payback <= static_cast<double>(flows.size()), "payback range");
      }
    } catch (const finance::FinanceError&) {
    }
  }
  std::vector<double> irrs;
  try {
    irrs = finance::IRRs(flows);
  } catch (const finance::FinanceError&) {
  }
  const finance::RateRange range = finance::profileRange(irrs, rate);
  require(std::isfinite(range.low) && std::isfinite(range.high) && range.low > -1 &&
              range.low < range.high,
          "profile range unusable");
  for (double irr : irrs) require(range.low <= irr && irr <= range.high, "IRR outside range");
  try {
    const auto curve = finance::npvCurve(flows, range, 50, irrs);
    for (std::size_t i = 0; i < curve.size(); ++i) {
      require(std::isfinite(curve[i].npv), "NPV not finite");
      require(i == 0 || curve[i - 1].rate < curve[i].rate, "curve not ascending");
    }
  } catch (const finance::FinanceError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  checkLeadingNumber(text);
  checkNumericTest(text);
  checkFormat(data, size);
  checkSettings(text);
  checkTextEdit(text, size > 0 ? static_cast<int>(data[0] % 16) - 2 : 0);
  if (size >= 16) {
    double numbers[2];
    std::memcpy(numbers, data, sizeof numbers);
    checkArithmetic(numbers[0], numbers[1]);
  }
  checkSchedule(data, size);
  checkProfile(data, size);
  return 0;
}
