#include "ui/analysis/dated_cash_flows_report.h"

#include <algorithm>
#include <cmath>

#include "core/blank_text.h"
#include "core/date_text.h"
#include "core/finance/finance.h"
#include "ui/analysis/field_reading.h"

namespace vantro::ui {

namespace fin = core::finance;
using namespace analysis;
using Reason = fin::FinanceError::Reason;

namespace {

constexpr const char* kRateCaption = "Rate";
constexpr const char* kGuessCaption = "Guess";
constexpr double kDefaultGuess = 0.1;
// The tab builds the report again on every edit: the curve gets no more points than keep its
// work near this many discounted flows (a few milliseconds), and never fewer than a smooth
// curve needs.
constexpr std::size_t kCurveWork = 500'000;
constexpr int kLeastCurvePoints = 60;

// A date as the sentence names it: bare when it looks like one (2023-02-30), else in quotes.
std::string dateForSentence(std::string_view text) {
  text = core::trimmedBlanks(text);
  const bool dateLike =
      text.size() <= 20 && text.find_first_not_of("0123456789-./ ") == std::string_view::npos;
  return dateLike ? std::string(text) : quotedCell(text);
}

std::string rowName(std::size_t row) {
  return joined("Row ", std::to_string(row + 1), ": ");
}

class RowReader {
 public:
  explicit RowReader(const DatedFlowInputs& inputs)
      : dates_(inputs.datePattern), numbers_(inputs.locale) {}

  // Adds the row's flow to the report, or names what stops it.
  void read(const DatedFlowRow& row, std::size_t index, DatedCashFlowsReport& report) {
    const auto problem = [&](const std::string& what) {
      report.problems.push_back({index, joined(rowName(index), what)});
    };
    if (core::isBlankText(row.date)) return problem("an amount but no date.");
    if (core::isBlankText(row.amount)) return problem("a date but no amount.");
    std::string wrong;  // what is wrong with the date, then with the amount
    const std::optional<core::DayNumber> day = dates_.read(row.date);
    if (!day) {
      badDate_ = true;
      wrong = joined(dateForSentence(row.date), " is not a date");
    }
    const std::optional<std::string> plain = numbers_.readCell(row.amount);
    const double amount = plain ? core::leadingNumberValue(*plain) : 0;
    if (!plain || !std::isfinite(amount)) {
      wrong += wrong.empty() ? "the amount" : "; the amount";
      wrong += plain ? " is beyond what the calculator can hold"
                     : joined(" ", quotedCell(core::trimmedBlanks(row.amount)), " is not a number");
    }
    if (!wrong.empty()) return problem(joined(wrong, "."));
    report.flows.push_back({*day, amount});
    report.flowRows.push_back(index);
  }

  // What the sentence adds when a date could not be read: the forms that are read, each
  // shown by a date written in it.
  std::string dateForms() const {
    if (!badDate_) return {};
    const core::DayNumber example = *core::dayOf(2008, 1, 31);
    std::string forms = joined(" Dates are read in the form ", core::isoDate(example));
    if (dates_.readsPattern()) forms += joined(" or ", dates_.write(example));
    return joined(forms, ".");
  }

 private:
  core::DateReader dates_;
  core::NumberReader numbers_;
  bool badDate_ = false;
};

std::string problemsSentence(const DatedCashFlowsReport& report, const core::NumberLocale& locale) {
  std::string sentence;
  const std::size_t named = std::min(report.problems.size(), DatedCashFlowsReport::kNamedProblems);
  for (std::size_t i = 0; i < named; ++i) {
    if (i > 0) sentence += ' ';
    sentence += report.problems[i].sentence;
  }
  if (const std::size_t more = report.problems.size() - named; more > 0) {
    sentence += ' ';
    sentence += readableCount(static_cast<double>(more), locale);
    sentence +=
        more == 1 ? " more row cannot be used either." : " more rows cannot be used either.";
  }
  return sentence;
}

// How many flows and the days they span: "5 flows from 2008-01-01 to 2009-04-01."
std::string flowsSentence(const std::vector<fin::DatedFlow>& flows,
                          const core::NumberLocale& locale) {
  const auto [first, last] = std::minmax_element(
      flows.begin(), flows.end(), [](const auto& a, const auto& b) { return a.day < b.day; });
  std::string sentence = readableCount(static_cast<double>(flows.size()), locale);
  sentence += flows.size() == 1 ? " flow" : " flows";
  if (first->day == last->day) {
    sentence += flows.size() == 1 ? ", on " : ", all on ";
    sentence += core::isoDate(first->day);
  } else {
    sentence += joined(" from ", core::isoDate(first->day), " to ", core::isoDate(last->day));
  }
  sentence += ". ";
  return sentence;
}

// What the XIRRs found say about the flows.
std::string xirrSentence(const std::vector<double>& xirrs, bool signChanges, int places,
                         const core::NumberLocale& locale) {
  if (xirrs.empty()) {
    return signChanges ? "No rate gives an XNPV of zero: these flows have no XIRR."
                       : "No rate gives an XNPV of zero: the flows never change sign, so they "
                         "have no XIRR.";
  }
  if (xirrs.size() == 1)
    return joined("The XNPV is zero at one rate only: the XIRR is ",
                  readablePercent(xirrs.front(), places, locale), ".");
  return joined("The XNPV is zero at ", std::to_string(xirrs.size()),
                " rates: these flows have several XIRRs, and XIRR's answer depends on the guess "
                "it starts from (the Guess box, or 10 %). The one nearest the guess is marked.");
}

int curvePoints(int plotPoints, std::size_t flows) {
  const auto affordable = static_cast<int>(std::min<std::size_t>(kCurveWork / flows, 100'000));
  return std::min(plotPoints, std::max(kLeastCurvePoints, affordable));
}

// The XIRRs and the sentence they give; the sentence alone when the search fails.
std::string findXirrs(DatedCashFlowsReport& report, int places, const core::NumberLocale& locale) {
  try {
    report.xirrs = fin::XIRRs(report.flows);
  } catch (const fin::FinanceError& error) {
    if (error.reason() == Reason::NoSignChange) return xirrSentence({}, false, places, locale);
    if (error.reason() == Reason::NoSolution)
      return "The flows of each day add up to zero, so every rate gives an XNPV of zero.";
    if (error.reason() == Reason::NoConvergence)
      return "The flows change sign too often for every XIRR to be found in reasonable time.";
    return "No XIRR can be found: the amounts or the days between them are beyond what the "
           "calculator can hold.";
  }
  return xirrSentence(report.xirrs, true, places, locale);
}

void addXirrFigures(DatedCashFlowsReport& report, const DatedFlowInputs& inputs) {
  const int places = inputs.decimalPlaces;
  std::string guessProblem;
  try {
    const double guess =
        readBoxPercent(inputs.guess, inputs.locale, kGuessCaption).value_or(kDefaultGuess);
    const double nearest = fin::XIRR(report.flows, guess);
    const auto closest = std::min_element(
        report.xirrs.begin(), report.xirrs.end(),
        [&](double a, double b) { return std::fabs(a - nearest) < std::fabs(b - nearest); });
    report.nearestGuess = static_cast<std::size_t>(closest - report.xirrs.begin());
  } catch (const InputProblem& problem) {
    guessProblem = problem.what();
  } catch (const fin::FinanceError& error) {
    guessProblem = error.reason() == Reason::RateAtOrBelowMinusOne
                       ? "XIRR needs a guess above -100 %."
                       : "XIRR found no rate from this guess.";
  }
  for (std::size_t i = 0; i < report.xirrs.size(); ++i) {
    std::string label = "XIRR";
    if (report.xirrs.size() > 1) label += joined(" ", std::to_string(i + 1));
    std::string value = readablePercent(report.xirrs[i], places, inputs.locale);
    if (report.nearestGuess == i) value += " (nearest the guess)";
    report.figures.emplace_back(std::move(label), std::move(value));
  }
  if (!guessProblem.empty()) report.figures.emplace_back("Guess", guessProblem);
}

}  // namespace

DatedCashFlowsReport DatedCashFlowsReport::build(const DatedFlowInputs& inputs, int plotPoints) {
  DatedCashFlowsReport report;
  RowReader reader(inputs);
  for (std::size_t i = 0; i < inputs.rows.size(); ++i)
    if (!isBlank(inputs.rows[i])) reader.read(inputs.rows[i], i, report);
  if (!report.problems.empty()) {
    report.sentence = joined(problemsSentence(report, inputs.locale), reader.dateForms());
    return report;
  }
  if (report.flows.empty()) {
    report.sentence =
        "Type or paste the flows: a date and an amount on each row, the investment as a "
        "negative amount.";
    return report;
  }
  if (std::all_of(report.flows.begin(), report.flows.end(),
                  [](const fin::DatedFlow& flow) { return flow.amount == 0; })) {
    report.sentence = joined(flowsSentence(report.flows, inputs.locale),
                             "Every amount is zero, so the XNPV is zero at every rate.");
    return report;
  }

  const int places = inputs.decimalPlaces;
  report.sentence =
      joined(flowsSentence(report.flows, inputs.locale), findXirrs(report, places, inputs.locale));

  // The rate as a plain double and a flag: GCC 12 takes an optional set inside the lambda for
  // one that may be read uninitialised.
  double rate = 0;
  bool rateUsable = false;
  std::string rateLabel = "XNPV";
  const std::string xnpv = figureOrReason(
      [&] {
        const std::optional<double> typed =
            readBoxPercent(inputs.rate, inputs.locale, kRateCaption);
        if (!typed) throw InputProblem("The Rate field is empty: the XNPV needs it.");
        rate = *typed;
        rateUsable = rate > -1;
        rateLabel += joined(" at ", readablePercent(rate, places, inputs.locale));
        return readableAmount(fin::XNPV(rate, report.flows), places, inputs.locale);
      },
      "none at -100 % or less", "beyond what the calculator can hold");
  report.figures.emplace_back(rateLabel, xnpv);
  if (!report.xirrs.empty()) addXirrFigures(report, inputs);

  try {
    report.curve =
        fin::xnpvCurve(report.flows, fin::profileRange(report.xirrs, rateUsable ? rate : 0.1),
                       curvePoints(plotPoints, report.flows.size()), report.xirrs);
  } catch (const fin::FinanceError&) {
    report.curve.clear();
  }
  if (report.curve.empty()) {
    report.sentence +=
        " The XNPV cannot be plotted: at these rates it is beyond what the calculator can hold.";
  }
  return report;
}

}  // namespace vantro::ui
