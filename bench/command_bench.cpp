// Clicks on the in-memory window against the bare work they do, measured in the same run: a
// TPPMT click over the longest run the totals allow (32,766 periods) against its 32,766 PPMT
// calls, and an NPV click over a list of 40,000 lines (read, rewritten and discounted) against
// the bare NPV of the 40,000 amounts.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/finance/finance.h"
#include "ui/testing/loaded_form.h"

namespace {

using vantro::ui::ControlId;
namespace fin = vantro::core::finance;

constexpr int kPeriods = 32766;

void BaselinePpmtCalls(benchmark::State& state) {
  for (auto _ : state) {
    double total = 0;
    for (int k = 1; k <= kPeriods; ++k)
      total += fin::PPMT(0.0001, k, 40000, 100000, 0, fin::PaymentDue::EndOfPeriod);
    benchmark::DoNotOptimize(total);
  }
}

void TotalPrincipalClick(benchmark::State& state) {
  vantro::ui::testing::LoadedForm loaded;
  auto& window = loaded.window;
  window.textBox(ControlId::TextInterest).setText("0.01");
  window.textBox(ControlId::TextN).setText("40000");
  window.textBox(ControlId::TextPV).setText("100000");
  window.textBox(ControlId::TextPer).setText("32766");
  for (auto _ : state) {
    window.click(ControlId::CommandPrincipal);
    benchmark::DoNotOptimize(window.text(ControlId::Text1));
  }
}

constexpr int kCashFlowLines = 40000;

std::vector<double> cashFlows() {
  std::vector<double> flows(kCashFlowLines, 12.34);
  flows[0] = -250000;
  return flows;
}

void BaselineNpvCall(benchmark::State& state) {
  const std::vector<double> flows = cashFlows();
  for (auto _ : state) benchmark::DoNotOptimize(fin::NPV(0.001, flows));
}

void NpvClickOnALongList(benchmark::State& state) {
  vantro::ui::testing::LoadedForm loaded;
  auto& window = loaded.window;
  std::string list;
  for (const double flow : cashFlows()) list += std::to_string(flow) + "\r\n";
  window.textBox(ControlId::TextInterest).setText("0.1");
  for (auto _ : state) {
    window.textBox(ControlId::TextCF).setText(list);
    window.click(ControlId::CommandNPV);
    benchmark::DoNotOptimize(window.text(ControlId::Text1));
  }
}

}  // namespace

BENCHMARK(BaselineNpvCall)->Unit(benchmark::kMillisecond);
BENCHMARK(NpvClickOnALongList)->Unit(benchmark::kMillisecond);
BENCHMARK(BaselinePpmtCalls)->Unit(benchmark::kMillisecond);
BENCHMARK(TotalPrincipalClick)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
