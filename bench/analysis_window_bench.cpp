// The analysis window on a loan of 100,000 periods, against the bare work under it measured in
// the same run: building the schedule's report (every row computed, none formatted) is the
// baseline; opening the window and refreshing it add the table, the chart and their painting.
// The window must be on screen, painted, within 0.2 s. Runs on the offscreen platform unless
// the caller chose one.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "qt/analysis/analysis_window.h"
#include "qt_bench_main.h"
#include "ui/analysis/loan_schedule_report.h"

namespace {

using vantro::qt::AnalysisWindow;
using vantro::ui::AnalysisFields;

AnalysisFields longLoan() {
  AnalysisFields fields;
  fields.interest = "0.01";
  fields.periods = "100000";
  fields.presentValue = "100000";
  return fields;
}

void BaselineBuildReport(benchmark::State& state) {
  const AnalysisFields fields = longLoan();
  for (auto _ : state) {
    auto report = vantro::ui::LoanScheduleReport::build(fields, {});
    benchmark::DoNotOptimize(report.rowCount());
  }
}

// Paints what is due, then the whole window once more, as an exposed window is painted.
void paint(AnalysisWindow& window) {
  QCoreApplication::processEvents();
  window.repaint();
}

void OpenWindow(benchmark::State& state) {
  for (auto _ : state) {
    auto window = std::make_unique<AnalysisWindow>();
    window->setFieldReader(longLoan);
    window->show();
    window->refresh();
    if (!QTest::qWaitForWindowExposed(window.get())) state.SkipWithError("never exposed");
    paint(*window);
    state.PauseTiming();
    window.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

void RefreshOpenWindow(benchmark::State& state) {
  AnalysisWindow window;
  window.setFieldReader(longLoan);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("never exposed");
  for (auto _ : state) {
    window.refresh();
    paint(window);
  }
}

BENCHMARK(BaselineBuildReport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(OpenWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RefreshOpenWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char* argv[]) {
  return vantro::bench::runWidgetBenchmarks(argc, argv);
}
