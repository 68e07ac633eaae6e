// The analysis window's computations: a schedule of 100,000 periods, a 30-year mortgage with a
// monthly extra payment, the profile of 500 cash flows, and the Dated Cash Flows tab's report on
// 10,000 rows, which it builds again on every edit. Compare each against the baseline measured
// in the same run:
//   analysis_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// BaselinePow100000 is a plain loop of 100,000 std::pow calls, a lower bound for any
// schedule that forms each period's growth; BaselineMortgage360 is the mortgage's billed schedule
// with no extra, which the schedules with one extend, and BaselineMortgageReport360 the Loan
// Schedule tab's report of it, which the reports with extras extend; BaselineNpv500Flows is one
// unchecked 500-flow NPV by Horner's rule, the unit a profile of 400 curve points and a root search
// is made of; BaselineXnpv10000Flows is one unchecked 10,000-flow XNPV, a std::pow for each flow,
// the unit of the dated report's root search and curve.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/date_text.h"
#include "core/finance/cash_flow_profile.h"
#include "core/finance/finance.h"
#include "core/finance/schedule.h"
#include "ui/analysis/dated_cash_flows_report.h"
#include "ui/analysis/loan_schedule_report.h"

namespace {

namespace fin = vantro::core::finance;

void BaselinePow100000(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0;
    for (int k = 1; k <= 100000; ++k) sum += std::pow(1.0001, static_cast<double>(k));
    benchmark::DoNotOptimize(sum);
  }
}

fin::ScheduleTerms longLoan(double rate) {
  fin::ScheduleTerms terms;
  terms.rate = rate;
  terms.periods = 100000;
  terms.presentValue = 1e6;
  return terms;
}

void schedule(benchmark::State& state, double rate, fin::ScheduleMode mode) {
  const fin::ScheduleTerms terms = longLoan(rate);
  for (auto _ : state) benchmark::DoNotOptimize(fin::amortisationSchedule(terms, mode).size());
}
// 0.01 % per period; and 1 %, where the growth over the term reaches 1e432.
void ScheduleExact100000(benchmark::State& state) {
  schedule(state, 1e-4, fin::ScheduleMode::Exact);
}
void ScheduleExact100000AtOnePercent(benchmark::State& state) {
  schedule(state, 0.01, fin::ScheduleMode::Exact);
}
void ScheduleAsBilled100000(benchmark::State& state) {
  schedule(state, 1e-4, fin::ScheduleMode::AsBilled);
}

// 150,000 at 7 % a year over 360 months, billed in cents, with 200 extra every month or none.
void mortgage(benchmark::State& state, const fin::ExtraPayments& extras) {
  fin::ScheduleTerms terms;
  terms.rate = 0.07 / 12;
  terms.periods = 360;
  terms.presentValue = 150000;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        fin::amortisationSchedule(terms, fin::ScheduleMode::AsBilled, extras).size());
  }
}
fin::ExtraPayments monthlyExtra(fin::ExtraEffect effect) {
  fin::ExtraPayments extras;
  extras.recurring = 200;
  extras.effect = effect;
  return extras;
}
void BaselineMortgage360(benchmark::State& state) {
  mortgage(state, {});
}
void Mortgage360ExtraShortenTerm(benchmark::State& state) {
  mortgage(state, monthlyExtra(fin::ExtraEffect::ShortenTerm));
}
void Mortgage360ExtraLowerPayment(benchmark::State& state) {
  mortgage(state, monthlyExtra(fin::ExtraEffect::LowerPayment));
}

// What the Loan Schedule tab computes on each edit of an option: the whole report, with the
// schedule without extras to compare against and the sentences.
void mortgageReport(benchmark::State& state, const char* recurring, fin::ExtraEffect effect) {
  vantro::ui::AnalysisFields fields;
  fields.interest = "7/12";
  fields.periods = "360";
  fields.presentValue = "150000";
  vantro::ui::LoanScheduleOptions options;
  options.extras.recurring = recurring;
  options.extras.effect = effect;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vantro::ui::LoanScheduleReport::build(fields, options).rowCount());
  }
}
void BaselineMortgageReport360(benchmark::State& state) {
  mortgageReport(state, "", fin::ExtraEffect::ShortenTerm);
}
void MortgageReport360ExtraShortenTerm(benchmark::State& state) {
  mortgageReport(state, "200", fin::ExtraEffect::ShortenTerm);
}
void MortgageReport360ExtraLowerPayment(benchmark::State& state) {
  mortgageReport(state, "200", fin::ExtraEffect::LowerPayment);
}

// 500 flows: an investment, returns, and two further investments (five sign changes).
std::vector<double> flows500() {
  std::vector<double> flows(500);
  for (std::size_t i = 0; i < flows.size(); ++i) flows[i] = 100 + 50 * std::sin(0.1 * double(i));
  flows[0] = -20000;
  flows[150] = -9000;
  flows[300] = -12000;
  return flows;
}

void BaselineNpv500Flows(benchmark::State& state) {
  const auto flows = flows500();
  double rate = 0.01;
  for (auto _ : state) {
    const double discount = 1 / (1 + rate);
    double npv = 0;
    for (auto it = flows.rbegin(); it != flows.rend(); ++it) npv = (npv + *it) * discount;
    benchmark::DoNotOptimize(npv);
    rate = rate < 0.1 ? rate + 1e-4 : 0.01;
  }
}

// What the profile tab computes: every IRR, the range, 400 curve points, both paybacks.
void Profile500Flows(benchmark::State& state) {
  const auto flows = flows500();
  for (auto _ : state) {
    const auto irrs = fin::IRRs(flows);
    const auto range = fin::profileRange(irrs, 0.01);
    benchmark::DoNotOptimize(fin::npvCurve(flows, range, 400, irrs).size());
    benchmark::DoNotOptimize(fin::paybackPeriod(flows));
    benchmark::DoNotOptimize(fin::discountedPaybackPeriod(flows, 0.01));
  }
}

// 10,000 flows a day apart from 2000-01-01: an investment, daily returns, two more investments.
std::vector<fin::DatedFlow> dated10000() {
  std::vector<fin::DatedFlow> flows(10000);
  for (std::size_t i = 0; i < flows.size(); ++i)
    flows[i] = {10957 + static_cast<std::int64_t>(i), 10 + 5 * std::sin(0.1 * double(i))};
  flows[0].amount = -30000;
  flows[3000].amount = -20000;
  flows[6000].amount = -20000;
  return flows;
}

void BaselineXnpv10000Flows(benchmark::State& state) {
  const auto flows = dated10000();
  double rate = 0.01;
  for (auto _ : state) {
    double xnpv = 0;
    for (const fin::DatedFlow& flow : flows)
      xnpv += flow.amount / std::pow(1 + rate, double(flow.day - flows[0].day) / 365);
    benchmark::DoNotOptimize(xnpv);
    rate = rate < 0.1 ? rate + 1e-4 : 0.01;
  }
}

// The same flows as the table holds them, typed half in ISO form and half in the locale's.
void DatedReport10000Rows(benchmark::State& state) {
  std::vector<vantro::ui::DatedFlowRow> rows;
  const vantro::core::DateReader dates("M/d/yy");
  for (const fin::DatedFlow& flow : dated10000()) {
    rows.push_back({rows.size() % 2 ? vantro::core::isoDate(flow.day) : dates.write(flow.day),
                    std::to_string(flow.amount)});
  }
  vantro::ui::DatedFlowInputs inputs;
  inputs.rows = rows;
  inputs.rate = "9";
  inputs.datePattern = "M/d/yy";
  for (auto _ : state) {
    const auto report = vantro::ui::DatedCashFlowsReport::build(inputs, 400);
    if (report.flows.size() != rows.size()) state.SkipWithError("rows not read");
    benchmark::DoNotOptimize(report.curve.size());
  }
}

}  // namespace

BENCHMARK(BaselinePow100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ScheduleExact100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ScheduleExact100000AtOnePercent)->Unit(benchmark::kMillisecond);
BENCHMARK(ScheduleAsBilled100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BaselineMortgage360)->Unit(benchmark::kMicrosecond);
BENCHMARK(Mortgage360ExtraShortenTerm)->Unit(benchmark::kMicrosecond);
BENCHMARK(Mortgage360ExtraLowerPayment)->Unit(benchmark::kMicrosecond);
BENCHMARK(BaselineMortgageReport360)->Unit(benchmark::kMicrosecond);
BENCHMARK(MortgageReport360ExtraShortenTerm)->Unit(benchmark::kMicrosecond);
BENCHMARK(MortgageReport360ExtraLowerPayment)->Unit(benchmark::kMicrosecond);
BENCHMARK(BaselineNpv500Flows)->Unit(benchmark::kMicrosecond);
BENCHMARK(Profile500Flows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BaselineXnpv10000Flows)->Unit(benchmark::kMicrosecond);
BENCHMARK(DatedReport10000Rows)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
