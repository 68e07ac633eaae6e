// The Loan Schedule tab on any fields and options: an annual rate with any compounding, extra
// payments typed any way. The report never crashes; it gives a schedule or a sentence; a
// schedule with extras says what they did and ends at its final balance with finite amounts.
//
// Input: a byte of options, then texts separated by NUL bytes: Interest, NPer, Present Value,
// Future Value, Payment, the extra with every payment and the one-off extras.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "require.h"
#include "ui/analysis/loan_schedule_report.h"

using vantro::fuzz::Input;
using vantro::fuzz::require;
namespace fin = vantro::core::finance;
namespace ui = vantro::ui;

namespace {

constexpr double kCompoundings[] = {1, 2, 12, 365, fin::kContinuousCompounding};

std::string nextText(std::string_view& rest) {
  const std::size_t end = std::min(rest.find('\0'), rest.size());
  std::string text(rest.substr(0, end));
  rest.remove_prefix(std::min(end + 1, rest.size()));
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t options = input.byte();
  std::string_view rest = input.rest();
  ui::AnalysisFields fields;
  for (std::string* field : {&fields.interest, &fields.periods, &fields.presentValue,
                             &fields.futureValue, &fields.payment})
    *field = nextText(rest);
  fields.paymentDue = options & 1;
  fields.decimalPlaces = (options >> 1) & 3;
  if (options & 8) fields.locale = {",", ".", "\u20ac"};
  ui::LoanScheduleOptions chosen;
  chosen.mode = options & 16 ? fin::ScheduleMode::Exact : fin::ScheduleMode::AsBilled;
  chosen.rateBasis = options & 32 ? ui::RateBasis::Annual : ui::RateBasis::PerPeriod;
  chosen.compoundingsPerYear = kCompoundings[(options >> 6) % std::size(kCompoundings)];
  chosen.extras.effect =
      options & 128 ? fin::ExtraEffect::LowerPayment : fin::ExtraEffect::ShortenTerm;
  chosen.extras.recurring = nextText(rest);
  chosen.extras.recurringFrom = 1 + options % 7;
  chosen.extras.oneOff = nextText(rest);
  // A schedule of a million rows is allowed but slow; the fuzzer needs many inputs a second.
  if (fields.periods.size() > 4) return 0;

  const ui::LoanScheduleReport report = ui::LoanScheduleReport::build(fields, chosen);
  if (!report.problem().empty()) {
    require(report.rowCount() == 0, "a schedule beside its problem");
    return 0;
  }
  require(!report.rows().empty() && !report.summary().empty(), "a schedule without rows");
  for (const fin::ScheduleRow& row : report.rows())
    require(std::isfinite(row.balance) && std::isfinite(row.payment), "an amount not finite");
  require(!report.hasExtras() || !report.extrasNote().empty(), "extras without their sentence");
  for (std::size_t row = 0; row < report.rowCount(); ++row)
    for (int column = 0; column < report.columnCount(); ++column)
      require(!report.cell(row, column).empty(), "an empty cell");
  return 0;
}
