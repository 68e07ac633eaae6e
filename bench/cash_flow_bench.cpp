// Reading a cash-flow list of 10,000 lines (numeric test, plain number, value, rewritten line),
// against the C library reading the same lines' numbers with strtod, in the same run; and the
// worst a megabyte clipboard can ask of the reader: cells that each fail the program's own form
// and are read again by the locale's, and one line that fails all three forms at its end.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "core/cash_flow_text.h"
#include "core/number_text.h"

namespace {

constexpr int kLines = 10000;

// Amounts as people type and paste them: signs, decimals, a currency symbol, separators.
std::string list() {
  std::string text;
  for (int i = 0; i < kLines; ++i) {
    text += i % 3 == 0 ? "-$" : "";
    text += std::to_string(1000 + i * 37 % 9000);
    text += i % 2 == 0 ? ".25" : "";
    text += "\r\n";
  }
  return text;
}

void BaselineStrtodPerLine(benchmark::State& state) {
  const std::string text = list();
  for (auto _ : state) {
    double total = 0;
    for (const char* p = text.c_str(); *p != '\0';) {
      char* end = nullptr;
      total += std::strtod(*p == '-' ? p + 2 : p, &end);  // past "-$": strtod stops at "$"
      p = end + 2;
    }
    benchmark::DoNotOptimize(total);
  }
}

void ParseCashFlows(benchmark::State& state) {
  const std::string text = list();
  const vantro::core::NumberLocale english{".", ",", "$"};
  for (auto _ : state) benchmark::DoNotOptimize(vantro::core::parseCashFlows(text, english, 2));
}

constexpr std::size_t kMegabyte = 1 << 20;
const vantro::core::NumberLocale kGerman{",", ".", "\u20AC"};

void MegabyteOfGermanCells(benchmark::State& state) {
  std::string text;
  while (text.size() < kMegabyte) text += "-1.234,5 \u20AC\t";
  for (auto _ : state) benchmark::DoNotOptimize(vantro::core::parseCashFlows(text, kGerman, 2));
}

void MegabyteLineThatIsNoNumber(benchmark::State& state) {
  std::string text;
  while (text.size() < kMegabyte) text += "1.000";
  text += "x";
  for (auto _ : state) benchmark::DoNotOptimize(vantro::core::readNumber(text, kGerman));
}

}  // namespace

BENCHMARK(BaselineStrtodPerLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(ParseCashFlows)->Unit(benchmark::kMicrosecond);
BENCHMARK(MegabyteOfGermanCells)->Unit(benchmark::kMillisecond);
BENCHMARK(MegabyteLineThatIsNoNumber)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
