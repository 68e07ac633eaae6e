// XNPV and XIRR: cash flows on dates, discounted over actual days / 365 from the earliest.
//
// In y = log(1 + rate) the present value Σ amount_k·(1 + rate)^(−t_k), t_k the years from the
// earliest day, is the exponential sum f(y) = Σ amount_k·e^(−t_k·y) with real exponents. Why
// XIRRs misses no root:
// - Descartes' rule of signs holds for such sums (exponential_sum.h): f has at most as many
//   roots as its amounts, taken by date with those of one day added up, change sign;
// - the chain of derivatives of that rule's proof (turningPoints) cuts the line into pieces on
//   each of which f has at most one root, and findRoots looks at every piece: a root shows as a
//   change of sign across it, or as a value zero within its rounding at one of its ends;
// - beyond ExponentialSum::rootSpace the earliest flow (as y grows) or the latest (as y falls)
//   outweighs all the others together, so no root lies outside the space searched; the space
//   is cut to the rates a double can hold, as for IRR.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "core/finance/compounding.h"
#include "core/finance/exponential_sum.h"
#include "core/finance/finance.h"
#include "core/finance/root_search.h"

namespace vantro::core::finance {

using Reason = FinanceError::Reason;

namespace {

// Where the search for XIRRs starts, and XIRR's default guess.
constexpr double kUsualGuess = 0.1;

// Binary digits below the largest amount that XIRRs takes into account.
constexpr int kDigitsBelowLargest = 1000;

// Years from one day to a later one. The difference of two days may not fit a signed 64-bit
// number, but it always fits an unsigned one, where the subtraction wraps to it exactly.
double yearsBetween(std::int64_t from, std::int64_t to) {
  return static_cast<double>(static_cast<std::uint64_t>(to) - static_cast<std::uint64_t>(from)) /
         kDaysPerYear;
}

// A power of two for ldexp: beyond ±2^14 every double it scales becomes 0 or infinite alike.
int powerOfTwo(double power) {
  constexpr double kBeyondAnyDouble = 16384;
  return static_cast<int>(std::clamp(power, -kBeyondAnyDouble, kBeyondAnyDouble));
}

std::vector<double> amountsOf(std::span<const DatedFlow> flows) {
  std::vector<double> amounts;
  amounts.reserve(flows.size());
  for (const DatedFlow& flow : flows) amounts.push_back(flow.amount);
  return amounts;
}

std::int64_t earliestDay(std::span<const DatedFlow> flows) {
  return std::min_element(flows.begin(), flows.end(),
                          [](const DatedFlow& a, const DatedFlow& b) { return a.day < b.day; })
      ->day;
}

}  // namespace

double XNPV(double rate, std::span<const DatedFlow> flows) {
  // xnpv = Σ amount·(1+rate)^(−(day − earliest)/365)
  detail::requireFinite({rate});
  const std::vector<double> amounts = amountsOf(flows);
  detail::requireFinite(amounts);
  detail::requireRateAboveMinusOne(rate);
  if (flows.empty()) return 0;
  // Each term as a power of two, amount·(1+rate)^−years = m·2^(e − years·log2(1 + rate)) with
  // amount = m·2^e, split into a whole power and a factor of at most 2. Summed relative to the
  // largest whole power, no term overflows and none that matters underflows, whatever the
  // amounts and however many centuries apart the days; that power applies once, to the sum.
  struct Term {
    double factor;
    double wholePower;
  };
  std::vector<Term> terms;
  terms.reserve(flows.size());
  const std::int64_t earliest = earliestDay(flows);
  const double log2Growth = std::log1p(rate) / std::numbers::ln2;
  double top = -HUGE_VAL;
  for (const DatedFlow& flow : flows) {
    if (flow.amount == 0) continue;
    int exponent = 0;
    const double mantissa = std::frexp(flow.amount, &exponent);
    const double power = -yearsBetween(earliest, flow.day) * log2Growth;
    const double whole = std::floor(power);
    terms.push_back({mantissa * std::exp2(power - whole), whole + exponent});
    top = std::max(top, whole + exponent);
  }
  detail::CompensatedSum sum;
  for (const Term& term : terms)
    sum.add(std::ldexp(term.factor, powerOfTwo(term.wholePower - top)));
  return terms.empty() ? 0 : detail::finiteResult(std::ldexp(sum.value(), powerOfTwo(top)));
}

std::vector<double> XIRRs(std::span<const DatedFlow> flows) {
  // every rate with Σ amount·(1+rate)^(−(day − earliest)/365) = 0
  const std::vector<double> amounts = amountsOf(flows);
  detail::requireFinite(amounts);
  const bool payment = std::any_of(amounts.begin(), amounts.end(), [](double a) { return a < 0; });
  const bool receipt = std::any_of(amounts.begin(), amounts.end(), [](double a) { return a > 0; });
  if (!payment || !receipt) detail::fail(Reason::NoSignChange);
  const detail::AmountScale scale(amounts);
  const std::int64_t earliest = earliestDay(flows);
  // The search weighs each term against the one of the earliest or the latest day, in doubles:
  // an amount below 2^−1000 of the largest could sink there to where a double keeps few of its
  // digits or none, and the rounding pass for a root. Such amounts count as 0.
  double largest = 0;
  for (double amount : amounts) largest = std::max(largest, std::fabs(scale.down(amount)));
  const double negligible = std::ldexp(largest, -kDigitsBelowLargest);
  std::vector<double> coefficients;
  std::vector<double> exponents;
  coefficients.reserve(flows.size());
  exponents.reserve(flows.size());
  for (const DatedFlow& flow : flows) {
    const double amount = scale.down(flow.amount);
    coefficients.push_back(std::fabs(amount) < negligible ? 0 : amount);
    exponents.push_back(-yearsBetween(earliest, flow.day));
  }
  // The sum merges the flows of each day.
  const detail::ExponentialSum sum(std::move(coefficients), std::move(exponents));
  if (sum.size() == 0) detail::fail(Reason::NoSolution);  // they cancel: every rate settles it
  if (sum.signChanges() == 0) return {};
  const detail::SearchSpace bound = sum.rootSpace();
  const detail::SearchSpace space{std::max(bound.low, detail::kLowestLogGrowth),
                                  std::min(bound.high, detail::kHighestLogGrowth)};
  const double hintY = std::log1p(kUsualGuess);
  detail::WorkBudget budget;
  const std::vector<double> turns = detail::turningPoints(sum, space, hintY, budget);
  return detail::ratesOf(
      detail::findRoots(detail::budgeted(sum, budget), turns, space, hintY, true));
}

double XIRR(std::span<const DatedFlow> flows, double guess) {
  // the rate of XIRRs nearest guess
  detail::requireFinite({guess});
  detail::requireRateAboveMinusOne(guess);
  return detail::nearestRate(XIRRs(flows), guess);
}

}  // namespace vantro::core::finance
