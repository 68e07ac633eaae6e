// A TPPMT click over the longest run the totals allow (32,766 periods), on the in-memory window,
// against the bare 32,766 PPMT calls it makes, measured in the same run.

#include <benchmark/benchmark.h>

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

}  // namespace

BENCHMARK(BaselinePpmtCalls)->Unit(benchmark::kMillisecond);
BENCHMARK(TotalPrincipalClick)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
