#include "ui/analysis/loan_schedule_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "core/fixed_format.h"
#include "core/number_format.h"
#include "ui/analysis/field_reading.h"

namespace vantro::ui {

namespace fin = core::finance;
using namespace analysis;

namespace {

constexpr const char* kNeed = "the schedule";

constexpr const char* kExtrasWithoutEnd =
    "The extra payments are left out: this loan's balance ends where it starts (interest only), "
    "so extras have no end to reach sooner.";

enum Column {
  kPeriod,
  kPayment,
  kExtra,
  kInterest,
  kPrincipal,
  kBalance,
  kCumInterest,
  kCumPrincipal,
  kColumns
};

constexpr std::array<const char*, kColumns> kColumnTitles = {"Period",
                                                             "Payment",
                                                             "Extra",
                                                             "Interest",
                                                             "Principal",
                                                             "Balance",
                                                             "Cumulative Interest",
                                                             "Cumulative Principal"};

std::string sentenceFor(fin::FinanceError::Reason reason) {
  using Reason = fin::FinanceError::Reason;
  switch (reason) {
    case Reason::PeriodOutOfRange:
      return "NPer must be more than 0 and at most 1,000,000 for a schedule: there would be "
             "no rows, or more than memory can list.";
    case Reason::RateAtOrBelowMinusOne:
      return "An interest rate of -100 % or less leaves no balance to schedule: the schedule "
             "needs a rate above -100 %.";
    case Reason::Overflow:
      return "The amounts of this schedule grow beyond what the calculator can hold.";
    case Reason::NoSolution:
    case Reason::NoConvergence:
      return "No payment settles this loan: check NPer, Interest, Present Value and Future "
             "Value.";
    case Reason::NoSignChange:
    case Reason::InvalidArgument:
      break;
  }
  return "The fields do not describe a loan or savings plan the calculator can schedule.";
}

// The PMT key writes the settling payment rounded to the places shown: read back, that stands
// for the settling payment, as the exact value does. Carried through the schedule, the rounded
// one would leave the balance a cent or more from BAL's.
bool standsForSettling(double payment, double settling, int places) {
  return payment == settling || payment == core::roundToPlaces(settling, places);
}

std::string paymentNoteFor(double payment, double settling, double lastPayment, bool plan,
                           int places, const core::NumberLocale& locale) {
  std::string note = "The Payment field's ";
  note += readableAmount(payment, places, locale);
  note += plan ? " does not settle this savings plan" : " does not settle this loan";
  note += " (it would take ";
  note += readableAmount(settling, places, locale);
  note += " a period): the last payment becomes ";
  note += readableAmount(lastPayment, places, locale);
  note += ".";
  return note;
}

// 12, or 360.5 for a fractional last period: the shortest text that reads back the same, and
// whole counts in full (1000000, not 1e+06).
std::string periodText(double period) {
  char buffer[32];
  const auto format =
      period == std::trunc(period) ? std::chars_format::fixed : std::chars_format::general;
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, period, format);
  return std::string(buffer, result.ptr);
}

// The Interest field's rate per payment period: as typed, or an annual rate converted.
double periodicRateOf(double fieldRate, const LoanScheduleOptions& options) {
  if (options.rateBasis == RateBasis::PerPeriod) return fieldRate;
  return fin::periodicRate(fieldRate, options.periodsPerYear, options.compoundingsPerYear);
}

std::string rateSentence(double annual, double perPeriod, const LoanScheduleOptions& options,
                         const core::NumberLocale& locale) {
  return "The Interest field's " +
         core::localeNumberText(core::formatGeneral(annual * 100), locale) + " % a year, " +
         compoundingText(options.compoundingsPerYear) + " and paid " +
         (options.periodsPerYear == 1
              ? std::string("once a year")
              : readableCount(options.periodsPerYear, locale) + " times a year") +
         ", is " + core::localeNumberText(core::formatGeneral(perPeriod * 100, 10), locale) +
         " % a period. ";
}

std::string titled(const char* word, int number) {
  std::string text = word;
  text += ' ';
  text += std::to_string(number);
  return text;
}

// RFC 4180: a field with a comma, a quote or a line break goes in quotes, its quotes doubled.
void appendCsvField(std::string& out, const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    out += field;
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

const char* LoanScheduleReport::columnTitle(int column) const {
  return kColumnTitles[static_cast<std::size_t>(columns_.at(static_cast<std::size_t>(column)))];
}

LoanScheduleReport LoanScheduleReport::build(const AnalysisFields& fields,
                                             const LoanScheduleOptions& options) {
  LoanScheduleReport report;
  report.options_ = options;
  report.options_.periodsPerYear = std::max(1, options.periodsPerYear);
  report.decimalPlaces_ = fields.decimalPlaces;
  report.ratesNote_ = ratesSentence(fields);
  const core::NumberLocale& locale = fields.locale;
  std::string rateNote;
  try {
    fin::ScheduleTerms terms;
    const double fieldRate =
        requireField(fields.interest, NumberKind::Percent, financial::kInterest.caption, kNeed);
    terms.rate = periodicRateOf(fieldRate, report.options_);
    if (options.rateBasis == RateBasis::Annual)
      rateNote = rateSentence(fieldRate, terms.rate, report.options_, locale);
    terms.periods =
        requireField(fields.periods, NumberKind::Count, financial::kNPer.caption, kNeed);
    // Empty counts as 0, as the commands read it: a savings plan has no present value.
    terms.presentValue =
        readField(fields.presentValue, NumberKind::Money, financial::kPresentValue.caption)
            .value_or(0);
    terms.futureValue =
        readField(fields.futureValue, NumberKind::Money, financial::kFutureValue.caption)
            .value_or(0);
    const std::optional<double> given =
        readField(fields.payment, NumberKind::Money, financial::kPayment.caption);
    terms.due = fin::PaymentDue{fields.paymentDue};
    terms.decimalPlaces = fields.decimalPlaces;
    const fin::ExtraPayments extras = readExtraPayments(options.extras, locale);
    const double settling = fin::settlingPayment(terms);
    if (given && !standsForSettling(*given, settling, fields.decimalPlaces)) terms.payment = given;
    report.rows_ = fin::amortisationSchedule(terms, options.mode);
    if (extras.any()) {
      try {
        std::vector<fin::ScheduleRow> with = fin::amortisationSchedule(terms, options.mode, extras);
        report.extrasNote_ =
            extrasSentence(with, report.rows_, extras, fields.decimalPlaces, locale);
        report.rows_ = std::move(with);
      } catch (const fin::FinanceError& error) {
        if (error.reason() != fin::FinanceError::Reason::NoSolution) throw;
        report.extrasNote_ = kExtrasWithoutEnd;
      }
    }
    report.years_ = fin::yearTotals(report.rows_, report.options_.periodsPerYear);
    report.openingBalance_ = terms.presentValue;
    if (terms.payment) {
      report.paymentNote_ = paymentNoteFor(*terms.payment, settling, report.rows_.back().payment,
                                           terms.presentValue == 0, fields.decimalPlaces, locale);
    }
  } catch (const InputProblem& problem) {
    report.problem_ = problem.what();
  } catch (const fin::FinanceError& error) {
    report.problem_ = sentenceFor(error.reason());
  } catch (const std::bad_alloc&) {
    report.problem_ = sentenceFor(fin::FinanceError::Reason::PeriodOutOfRange);
  }
  if (!report.problem_.empty()) {
    report.rows_.clear();
    report.years_.clear();
    report.paymentNote_.clear();
    report.extrasNote_.clear();
    return report;
  }
  for (int column = 0; column < kColumns; ++column)
    if (column != kExtra || report.hasExtras()) report.columns_.push_back(column);

  const fin::ScheduleRow& last = report.rows_.back();
  report.totals_ = last;
  report.totals_.interest = last.cumulativeInterest;
  report.totals_.principal = last.cumulativePrincipal;
  report.totals_.payment = last.cumulativeInterest + last.cumulativePrincipal;
  report.totals_.extra = 0;
  for (const fin::ScheduleRow& row : report.rows_) report.totals_.extra += row.extra;

  const int places = report.decimalPlaces_;
  const fin::ScheduleRow& first = report.rows_.front();
  const auto amount = [&](double value) { return readableAmount(value, places, locale); };
  std::string& summary = report.summary_;
  summary = rateNote;
  summary += readableCount(last.period, locale);
  summary += report.rows_.size() == 1 ? " payment of " : " payments of ";
  summary += amount(first.payment);
  if (amount(last.payment) != amount(first.payment)) {
    summary += " (the last ";
    summary += amount(last.payment);
    summary += ")";
  }
  summary += "; total paid ";
  summary += amount(report.totals_.payment);
  // A loan's interest is part of what was paid; a savings plan's (no present value) is earned.
  summary += report.openingBalance_ == 0 ? ", interest earned " : ", of which interest ";
  summary += amount(last.cumulativeInterest);
  summary += "; balance left ";
  summary += amount(last.balance);
  summary += ".";
  return report;
}

std::size_t LoanScheduleReport::rowCount() const {
  if (rows_.empty()) return 0;
  return rows_.size() + (options_.yearTotals ? years_.size() : 0) + 1;
}

// Without subtotals the rows are the periods, then the total. With them, every year but the
// last holds exactly periodsPerYear periods, so year y starts at y·(periodsPerYear + 1).
struct RowPlace {
  ScheduleRowKind kind;
  std::size_t index;  // into rows_ or years_
};

static RowPlace placeOf(std::size_t row, std::size_t periodCount,
                        const std::vector<fin::YearTotal>& years,
                        const LoanScheduleOptions& options) {
  if (!options.yearTotals) {
    return row < periodCount ? RowPlace{ScheduleRowKind::Period, row}
                             : RowPlace{ScheduleRowKind::Total, 0};
  }
  const std::size_t block = static_cast<std::size_t>(options.periodsPerYear) + 1;
  const std::size_t year = row / block;
  if (year >= years.size()) return {ScheduleRowKind::Total, 0};
  const std::size_t within = row % block;
  const fin::YearTotal& total = years[year];
  const std::size_t periodsInYear = total.endRow - total.firstRow;
  if (within < periodsInYear) return {ScheduleRowKind::Period, total.firstRow + within};
  if (within == periodsInYear) return {ScheduleRowKind::YearTotal, year};
  return {ScheduleRowKind::Total, 0};
}

ScheduleRowKind LoanScheduleReport::kind(std::size_t row) const {
  return placeOf(row, rows_.size(), years_, options_).kind;
}

bool LoanScheduleReport::hasExtra(std::size_t row) const {
  if (row >= rowCount()) return false;
  const RowPlace place = placeOf(row, rows_.size(), years_, options_);
  return place.kind == ScheduleRowKind::Period && rows_[place.index].extra != 0;
}

std::string LoanScheduleReport::cell(std::size_t row, int column) const {
  if (row >= rowCount() || column < 0 || column >= columnCount()) return {};
  const RowPlace place = placeOf(row, rows_.size(), years_, options_);
  fin::ScheduleRow values;
  std::string label;
  switch (place.kind) {
    case ScheduleRowKind::Period:
      values = rows_[place.index];
      label = periodText(values.period);
      break;
    case ScheduleRowKind::YearTotal: {
      const fin::YearTotal& year = years_[place.index];
      values = {.payment = year.payment,
                .extra = year.extra,
                .interest = year.interest,
                .principal = year.principal,
                .balance = year.balance,
                .cumulativeInterest = year.cumulativeInterest,
                .cumulativePrincipal = year.cumulativePrincipal};
      label = titled("Year", year.year);
      break;
    }
    case ScheduleRowKind::Total:
      values = totals_;
      label = "Total";
      break;
  }
  switch (columns_[static_cast<std::size_t>(column)]) {
    case kPeriod:
      return label;
    case kPayment:
      return formatAmount(values.payment, decimalPlaces_);
    case kExtra:
      return formatAmount(values.extra, decimalPlaces_);
    case kInterest:
      return formatAmount(values.interest, decimalPlaces_);
    case kPrincipal:
      return formatAmount(values.principal, decimalPlaces_);
    case kBalance:
      return formatAmount(values.balance, decimalPlaces_);
    case kCumInterest:
      return formatAmount(values.cumulativeInterest, decimalPlaces_);
    default:
      return formatAmount(values.cumulativePrincipal, decimalPlaces_);
  }
}

static std::string delimited(const LoanScheduleReport& report, char separator, const char* lineEnd,
                             bool quoted) {
  std::string out;
  const auto appendLine = [&](auto&& fieldAt) {
    for (int column = 0; column < report.columnCount(); ++column) {
      if (column > 0) out += separator;
      if (quoted) {
        appendCsvField(out, fieldAt(column));
      } else {
        out += fieldAt(column);
      }
    }
    out += lineEnd;
  };
  appendLine([&](int column) { return std::string(report.columnTitle(column)); });
  for (std::size_t row = 0; row < report.rowCount(); ++row) {
    appendLine([&](int column) { return report.cell(row, column); });
  }
  return out;
}

std::string LoanScheduleReport::tabSeparatedText() const {
  return delimited(*this, '\t', "\n", false);
}

std::string LoanScheduleReport::csvText() const {
  return delimited(*this, ',', "\r\n", true);
}

std::vector<ChartPoint> LoanScheduleReport::chartPoints(int maxPoints) const {
  std::vector<ChartPoint> points;
  if (rows_.empty()) return points;
  points.push_back({0, openingBalance_, 0});
  const std::size_t wanted = static_cast<std::size_t>(std::max(2, maxPoints)) - 1;
  const std::size_t count = rows_.size();
  const std::size_t taken = std::min(wanted, count);
  for (std::size_t j = 1; j <= taken; ++j) {
    // The j-th of `taken` evenly spread rows, the last row last.
    const std::size_t index = (j * count + taken - 1) / taken - 1;
    const fin::ScheduleRow& row = rows_[index];
    points.push_back({row.period, row.balance, row.cumulativeInterest});
  }
  return points;
}

}  // namespace vantro::ui
