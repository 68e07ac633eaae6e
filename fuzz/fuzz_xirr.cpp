// Feeds bytes to XNPV and XIRR as dated cash flows and checks what holds for every list: XIRRs
// gives ascending rates above −100 % at each of which XNPV is zero within its rounding, and
// misses none where XNPV changes sign between two rates of a fixed grid; XIRR gives exactly the
// one of them nearest its guess, or fails as XIRRs does; nothing else comes out but finite
// numbers or a FinanceError.
//
// The first byte chooses the form of the flows: compact (bit 0 set), 4 bytes each, a 16-bit day
// and a 16-bit signed amount, so that flows often share a day and amounts cancel; or raw, 16
// bytes each, a 64-bit day and a double, any bits at all. The second byte gives the guess.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "core/finance/finance.h"
#include "require.h"

namespace finance = vantro::core::finance;

namespace {

using vantro::fuzz::require;
using Reason = finance::FinanceError::Reason;

constexpr std::size_t kMostFlows = 128;

std::vector<finance::DatedFlow> flowsOf(const std::uint8_t* data, std::size_t size) {
  std::vector<finance::DatedFlow> flows;
  const bool compact = (data[0] & 1) != 0;
  const std::size_t width = compact ? 4 : 16;
  for (std::size_t at = 2; at + width <= size && flows.size() < kMostFlows; at += width) {
    finance::DatedFlow flow;
    if (compact) {
      std::uint16_t day = 0;
      std::int16_t amount = 0;
      std::memcpy(&day, data + at, sizeof day);
      std::memcpy(&amount, data + at + 2, sizeof amount);
      flow = {day, static_cast<double>(amount)};
    } else {
      std::memcpy(&flow.day, data + at, sizeof flow.day);
      std::memcpy(&flow.amount, data + at + 8, sizeof flow.amount);
    }
    flows.push_back(flow);
  }
  return flows;
}

std::optional<double> xnpv(double rate, const std::vector<finance::DatedFlow>& flows) {
  try {
    const double value = finance::XNPV(rate, flows);
    require(std::isfinite(value), "XNPV not finite");
    return value;
  } catch (const finance::FinanceError&) {
    return std::nullopt;
  }
}

// XNPV at a rate with how far from zero it may be at a root found: the rounding of every term,
// relative to its discounted magnitude, and of its exponent (years·log(1 + rate)); the root's
// own last digits, which move the value by up to years·log(1 + rate) units, or years·rate/(1 +
// rate) near −100 %, where a double holds few digits of 1 + rate; and terms that underflow.
struct Sample {
  double value;
  double rounding;
};

class Residual {
 public:
  explicit Residual(const std::vector<finance::DatedFlow>& flows)
      : flows_(flows), magnitudes_(flows) {
    for (auto& flow : magnitudes_) flow.amount = std::fabs(flow.amount);
    const auto [first, last] = std::minmax_element(
        flows.begin(), flows.end(), [](const auto& a, const auto& b) { return a.day < b.day; });
    years_ = static_cast<double>(static_cast<std::uint64_t>(last->day) -
                                 static_cast<std::uint64_t>(first->day)) /
             finance::kDaysPerYear;
  }

  // Nothing where XNPV itself overflows.
  std::optional<Sample> at(double rate) const {
    const auto value = xnpv(rate, flows_);
    const auto magnitude = xnpv(rate, magnitudes_);
    if (!value || !magnitude) return std::nullopt;
    const double count = static_cast<double>(flows_.size());
    const double digits = 1 + std::fabs(std::log1p(rate)) + std::fabs(rate) / (1 + rate);
    const double relative = 32 * DBL_EPSILON * (count + 4 + 4 * years_ * digits);
    return Sample{*value, relative * *magnitude + count * DBL_MIN};
  }

 private:
  const std::vector<finance::DatedFlow>& flows_;
  std::vector<finance::DatedFlow> magnitudes_;
  double years_ = 0;
};

void checkRoots(const std::vector<finance::DatedFlow>& flows, const std::vector<double>& rates) {
  for (std::size_t i = 0; i < rates.size(); ++i) {
    require(std::isfinite(rates[i]) && rates[i] > -1, "rate out of range");
    require(i == 0 || rates[i - 1] < rates[i], "rates not ascending");
  }
  if (flows.empty()) return;
  const Residual residual(flows);
  for (double rate : rates) {
    const auto sample = residual.at(rate);
    require(!sample || std::fabs(sample->value) <= sample->rounding, "XNPV not zero at a root");
  }
  // A clear change of sign between two rates of the grid holds a root.
  std::optional<double> previousRate;
  double previousValue = 0;
  for (double y = -30; y <= 30; y += 0.5) {
    const double rate = std::expm1(y);
    const auto sample = residual.at(rate);
    if (!sample || std::fabs(sample->value) <= 64 * sample->rounding) {
      previousRate.reset();
      continue;
    }
    if (previousRate && (sample->value < 0) != (previousValue < 0)) {
      require(std::any_of(rates.begin(), rates.end(),
                          [&](double r) { return r > *previousRate && r < rate; }),
              "a change of sign without a root");
    }
    previousRate = rate;
    previousValue = sample->value;
  }
}

// The flows as XIRRs counts them: amounts below 2^−1000 of the largest as 0.
std::vector<finance::DatedFlow> counted(std::vector<finance::DatedFlow> flows) {
  double largest = 0;
  for (const auto& flow : flows) largest = std::max(largest, std::fabs(flow.amount));
  for (auto& flow : flows) {
    if (std::fabs(flow.amount) < std::ldexp(largest, -1000)) flow.amount = 0;
  }
  return flows;
}

// The rate nearest the guess, the lower of two equally near.
double nearest(const std::vector<double>& rates, double guess) {
  double best = rates.front();
  for (double rate : rates) {
    if (std::fabs(rate - guess) < std::fabs(best - guess)) best = rate;
  }
  return best;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::vector<finance::DatedFlow> flows = flowsOf(data, size);
  const double guess = data[1] / 32.0 - 0.99;

  std::optional<Reason> failure;
  std::vector<double> rates;
  try {
    rates = finance::XIRRs(flows);
    checkRoots(counted(flows), rates);
  } catch (const finance::FinanceError& error) {
    failure = error.reason();
  }
  try {
    const double rate = finance::XIRR(flows, guess);
    require(!failure && !rates.empty() && rate == nearest(rates, guess), "XIRR not of XIRRs");
  } catch (const finance::FinanceError& error) {
    const Reason expected = failure ? *failure : Reason::NoSolution;
    require(error.reason() == expected && (failure || rates.empty()), "XIRR fails otherwise");
  }
  xnpv(guess, flows);
  return 0;
}
