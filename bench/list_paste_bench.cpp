// Pasting into the cash-flow list of the real window: the longest line the list takes (32,767
// digits, tabs or NULs), against a megabyte of short lines as the baseline, in the same run.
// Each must go in well within a second. Runs on the offscreen platform unless the caller chose
// one.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <string>

#include "core/cash_flow_text.h"
#include "qt/main_window.h"
#include "qt_bench_main.h"

namespace {

using vantro::ui::ControlId;

void paste(benchmark::State& state, const std::string& text) {
  vantro::qt::MainWindow window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("never exposed");
  window.controls().Frame1.setVisible(true);
  vantro::ui::TextBox& list = window.textBox(ControlId::TextCF);
  for (auto _ : state) {
    list.setSelectedText(text);
    QCoreApplication::processEvents();
    state.PauseTiming();
    list.setText("");
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

void BaselineMegabyteOfLines(benchmark::State& state) {
  std::string text;
  while (text.size() < (1u << 20)) text += "-1000.00\r\n300.00\r\n";
  paste(state, text);
}

void LongestLineOfDigits(benchmark::State& state) {
  paste(state, std::string(vantro::core::kMaxCashFlowLineBytes, '7'));
}

void LongestLineOfTabs(benchmark::State& state) {
  paste(state, std::string(vantro::core::kMaxCashFlowLineBytes, '\t'));
}

void LongestLineOfNuls(benchmark::State& state) {
  paste(state, std::string(vantro::core::kMaxCashFlowLineBytes, '\0'));
}

BENCHMARK(BaselineMegabyteOfLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LongestLineOfDigits)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LongestLineOfTabs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LongestLineOfNuls)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char* argv[]) {
  return vantro::bench::runWidgetBenchmarks(argc, argv);
}
