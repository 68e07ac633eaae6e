// Time per call of the financial functions. Compare each against BaselinePowPmt, the
// textbook closed-form payment with std::pow measured in the same run, for example:
//   finance_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
// Rate and IRR also run on hard inputs: hundreds of flows changing sign several times, 10,000
// flows, and guesses far from the root; IRRs, every root, on such flows and on 100,000 flows, and
// on 40,000 flows changing sign at every period, which it refuses (NoConvergence).

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

#include "core/finance/finance.h"

namespace {

namespace fin = vantro::core::finance;
constexpr auto kEnd = fin::PaymentDue::EndOfPeriod;

// Monthly rates from 0.1 % to 1.36 %: varied so that nothing is computed once and reused.
const std::array<double, 64> kRates = [] {
  std::array<double, 64> rates{};
  for (std::size_t i = 0; i < rates.size(); ++i) rates[i] = 0.001 + 0.0002 * double(i);
  return rates;
}();

template <typename Call>
void run(benchmark::State& state, Call call) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(call(kRates[i++ % kRates.size()]));
  }
}

// payment = −(pv·(1+r)^n + fv)·r/((1+r·t)·((1+r)^n − 1)) with std::pow: no checks, no care
// for small rates.
void BaselinePowPmt(benchmark::State& state) {
  run(state, [](double r) {
    const double growth = std::pow(1 + r, 360.0);
    return -(100000 * growth) * r / (growth - 1);
  });
}

void Pmt(benchmark::State& state) {
  run(state, [](double r) { return fin::PMT(r, 360, 100000); });
}
void Pv(benchmark::State& state) {
  run(state, [](double r) { return fin::PV(r, 360, -700, 5000); });
}
void Fv(benchmark::State& state) {
  run(state, [](double r) { return fin::FV(r, 360, -700, 1000); });
}
void NPer(benchmark::State& state) {
  run(state, [](double r) { return fin::NPer(r, -1500, 100000); });
}
void Ipmt(benchmark::State& state) {
  run(state, [](double r) { return fin::IPMT(r, 99999, 1e5, 100000); });
}
void Ppmt(benchmark::State& state) {
  run(state, [](double r) { return fin::PPMT(r, 99999, 1e5, 100000); });
}

// The mortgage payment solved back for its rate, from the default guess of 10 %.
void RateMortgage(benchmark::State& state) {
  run(state, [](double r) { return fin::Rate(360, fin::PMT(r, 360, 100000), 100000); });
}
// 100000 periods with a root at −0.01 % per period, searched from 1000 %.
void RateLongFarGuess(benchmark::State& state) {
  const double payment = fin::PMT(-1e-4, 1e5, 100000, -20000);
  run(state, [&](double r) { return fin::Rate(1e5, payment, 100000, -20000, kEnd, 10 + r); });
}

std::vector<double> cashFlows(std::size_t count) {
  std::vector<double> flows(count);
  for (std::size_t i = 0; i < count; ++i) flows[i] = 100 + 50 * std::sin(0.1 * double(i));
  flows[0] = -20000;
  return flows;
}

// 500 flows: an investment, returns, two further investments (five sign changes).
std::vector<double> hardFlows() {
  std::vector<double> flows = cashFlows(500);
  flows[150] = -9000;
  flows[300] = -12000;
  return flows;
}

void Npv(benchmark::State& state) {
  const auto flows = cashFlows(360);
  run(state, [&](double r) { return fin::NPV(r, flows); });
}
// 360 monthly returns on an investment: one sign change, one root.
void Irr360Flows(benchmark::State& state) {
  const auto flows = cashFlows(360);
  run(state, [&](double r) { return fin::IRR(flows, r); });
}
void IrrFourFlows(benchmark::State& state) {
  const std::vector<double> flows{-1000, 300, 400, 500};
  run(state, [&](double r) { return fin::IRR(flows, r); });
}
void Irr500FlowsNearGuess(benchmark::State& state) {
  const auto flows = hardFlows();
  run(state, [&](double r) { return fin::IRR(flows, r); });
}
void Irr500FlowsGuess1000Percent(benchmark::State& state) {
  const auto flows = hardFlows();
  run(state, [&](double r) { return fin::IRR(flows, 10 + r); });
}
void Irr500FlowsGuessMinus90Percent(benchmark::State& state) {
  const auto flows = hardFlows();
  run(state, [&](double r) { return fin::IRR(flows, -0.9 + r); });
}
// 10,000 monthly returns on an investment (one sign change), and the same with two further
// investments (five sign changes): IRR over a long list, from guesses near the root.
void Irr10000FlowsOneSignChange(benchmark::State& state) {
  const auto flows = cashFlows(10000);
  run(state, [&](double r) { return fin::IRR(flows, r); });
}
void Irr10000FlowsFiveSignChanges(benchmark::State& state) {
  auto flows = cashFlows(10000);
  flows[2500] = -300000;
  flows[5000] = -300000;
  run(state, [&](double r) { return fin::IRR(flows, r); });
}
void Irrs500FlowsFiveSignChanges(benchmark::State& state) {
  const auto flows = hardFlows();
  run(state, [&](double) { return fin::IRRs(flows).size(); });
}
// An investment with 99,999 returns, and the same with a further investment half way.
void Irrs100000FlowsOneSignChange(benchmark::State& state) {
  const auto flows = cashFlows(100000);
  run(state, [&](double) { return fin::IRRs(flows).size(); });
}
void Irrs100000FlowsThreeSignChanges(benchmark::State& state) {
  auto flows = cashFlows(100000);
  flows[50000] = -1e6;
  run(state, [&](double) { return fin::IRRs(flows).size(); });
}
void Irrs40000FlowsAlternating(benchmark::State& state) {
  std::vector<double> flows(40000, 1.0);
  for (std::size_t i = 0; i < flows.size(); i += 2) flows[i] = -1;
  run(state, [&](double) {
    try {
      return fin::IRRs(flows).size();
    } catch (const fin::FinanceError&) {
      return std::size_t{0};
    }
  });
}
void Mirr500Flows(benchmark::State& state) {
  const auto flows = hardFlows();
  run(state, [&](double r) { return fin::MIRR(flows, r, 2 * r); });
}

}  // namespace

BENCHMARK(BaselinePowPmt);
BENCHMARK(Pmt);
BENCHMARK(Pv);
BENCHMARK(Fv);
BENCHMARK(NPer);
BENCHMARK(Ipmt);
BENCHMARK(Ppmt);
BENCHMARK(RateMortgage);
BENCHMARK(RateLongFarGuess);
BENCHMARK(Npv);
BENCHMARK(IrrFourFlows);
BENCHMARK(Irr360Flows);
BENCHMARK(Irr500FlowsNearGuess);
BENCHMARK(Irr500FlowsGuess1000Percent);
BENCHMARK(Irr500FlowsGuessMinus90Percent);
BENCHMARK(Irr10000FlowsOneSignChange);
BENCHMARK(Irr10000FlowsFiveSignChanges);
BENCHMARK(Irrs500FlowsFiveSignChanges);
BENCHMARK(Irrs100000FlowsOneSignChange);
BENCHMARK(Irrs100000FlowsThreeSignChanges);
BENCHMARK(Irrs40000FlowsAlternating);
BENCHMARK(Mirr500Flows);

BENCHMARK_MAIN();
