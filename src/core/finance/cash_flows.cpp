// NPV, IRR and MIRR: measures of a list of cash flows, one per period.
//
// The sums of discounted or compounded flows only ever raise to powers a factor of at most
// 1, whichever of 1/(1+rate) and 1 + rate that is, so that no power overflows on the way;
// the other factor's power is applied once at the end. NPV and the IRR search evaluate
// them by Horner's rule; MIRR, which is evaluated once, forms each power on its own.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "core/finance/compounding.h"
#include "core/finance/exponential_sum.h"
#include "core/finance/finance.h"
#include "core/finance/root_search.h"

namespace vantro::core::finance {

using Reason = FinanceError::Reason;

namespace {

// Σ coefficient(i)·factor^(n−1−i) when the first value carries the highest power (Horner from
// the front), or Σ coefficient(i)·factor^i (from the back).
template <typename Coefficient>
double horner(std::size_t count, double factor, bool fromFront, Coefficient coefficient) {
  double sum = 0;
  for (std::size_t k = 0; k < count; ++k) {
    sum = sum * factor + coefficient(fromFront ? k : count - 1 - k);
  }
  return sum;
}

// Σ amount(i)·e^(−|logRate|·power), power = n−1−i (countFromEnd) or i: every factor at most
// 1. Each power comes from exp of its own exponent, which keeps the digits of a rate near 0
// that repeated multiplication by a rounded 1 + rate would lose, and the sum is compensated
// (Neumaier), so the result is good to a few units whatever the number of flows.
template <typename Amount>
double powerWeightedSum(std::size_t count, double logRate, bool countFromEnd, Amount amount) {
  double sum = 0;
  double compensation = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double a = amount(i);
    if (a == 0) continue;
    const double power = static_cast<double>(countFromEnd ? count - 1 - i : i);
    const double term = a * std::exp(-std::fabs(logRate) * power);
    const double total = sum + term;
    compensation += std::fabs(sum) >= std::fabs(term) ? (sum - total) + term : (term - total) + sum;
    sum = total;
  }
  return sum + compensation;
}

bool hasBothSigns(std::span<const double> values) {
  const bool payment = std::any_of(values.begin(), values.end(), [](double v) { return v < 0; });
  const bool receipt = std::any_of(values.begin(), values.end(), [](double v) { return v > 0; });
  return payment && receipt;
}

// Where the roots of Σ flows[k]·e^(−k·y) can lie. In the factor v = e^−y the sum is a
// polynomial whose positive roots obey Cauchy's bounds 1/(1 + M/|first|) ≤ v ≤ 1 + M/|last|,
// M the largest |flow|; the space is kept to the rates a double can hold.
detail::SearchSpace rootSpace(const std::vector<double>& flows) {
  double largest = 0;
  for (double flow : flows) largest = std::max(largest, std::fabs(flow));
  const double margin = 1e-3;
  const double low = -std::log1p(largest / std::fabs(flows.back())) * 1.01 - margin;
  const double high = std::log1p(largest / std::fabs(flows.front())) * 1.01 + margin;
  return {std::max(low, detail::kLowestLogGrowth), std::min(high, detail::kHighestLogGrowth)};
}

// Every root, ascending, of the checked values; hintRate only speeds the search up.
std::vector<double> internalRates(std::span<const double> values, double hintRate) {
  // Zeros at either end only multiply the sum by a positive power of 1 + rate: dropping them
  // keeps the roots and keeps those powers from underflowing to a false zero.
  const auto first = std::find_if(values.begin(), values.end(), [](double v) { return v != 0; });
  const auto last = std::find_if(values.rbegin(), values.rend(), [](double v) { return v != 0; });
  const detail::AmountScale scale(values);
  std::vector<double> flows;
  flows.reserve(static_cast<std::size_t>(last.base() - first));
  for (auto it = first; it != last.base(); ++it) flows.push_back(scale.down(*it));
  const detail::SearchSpace space = rootSpace(flows);
  const auto sum = detail::ExponentialSum::discounted(std::move(flows));
  const double hintY = std::log1p(hintRate);
  detail::WorkBudget budget;
  const std::vector<double> turns = detail::turningPoints(sum, space, hintY, budget);
  return detail::ratesOf(
      detail::findRoots(detail::budgeted(sum, budget), turns, space, hintY, true));
}

void requireCashFlows(std::span<const double> values) {
  detail::requireFinite(values);
  if (!hasBothSigns(values)) detail::fail(Reason::NoSignChange);
}

}  // namespace

double NPV(double rate, std::span<const double> values) {
  // npv = Σ values[i]·discount^(i+1), discount = 1/(1+rate)
  detail::requireFinite({rate});
  detail::requireFinite(values);
  detail::requireRateAboveMinusOne(rate);
  const detail::AmountScale scale(values);
  const auto scaled = [&](std::size_t i) { return scale.down(values[i]); };
  const double logRate = std::log1p(rate);
  const std::size_t count = values.size();
  double npv = 0;
  if (logRate >= 0) {
    const double discount = std::exp(-logRate);
    npv = discount * horner(count, discount, false, scaled);
  } else {
    // Σ values[i]·growth^(n−1−i), then divided by growth^n.
    const double sum = horner(count, std::exp(logRate), true, scaled);
    npv = detail::scaleByExp(sum, -static_cast<double>(count) * logRate);
  }
  return detail::finiteResult(scale.up(npv));
}

std::vector<double> IRRs(std::span<const double> values) {
  requireCashFlows(values);
  return internalRates(values, 0.1);
}

double IRR(std::span<const double> values, double guess) {
  // rate with Σ values[i]/(1+rate)^i = 0, the one nearest guess
  detail::requireFinite({guess});
  requireCashFlows(values);
  detail::requireRateAboveMinusOne(guess);
  return detail::nearestRate(internalRates(values, guess), guess);
}

double MIRR(std::span<const double> values, double financeRate, double reinvestRate) {
  // mirr = (receipts·(1+reinvest)^(n−1−i) summed / −payments/(1+finance)^i summed)^(1/(n−1)) − 1
  detail::requireFinite(values);
  detail::requireFinite({financeRate, reinvestRate});
  if (!hasBothSigns(values)) detail::fail(Reason::NoSignChange);
  detail::requireRateAboveMinusOne(financeRate);
  detail::requireRateAboveMinusOne(reinvestRate);
  const detail::AmountScale scale(values);
  const std::size_t count = values.size();
  const double periods = static_cast<double>(count - 1);
  const auto receipt = [&](std::size_t i) { return values[i] > 0 ? scale.down(values[i]) : 0; };
  const auto payment = [&](std::size_t i) { return values[i] < 0 ? -scale.down(values[i]) : 0; };
  // Receipts compounded to the last period: (1+reinvest)^(n−1−i) directly when at most 1,
  // else (1+reinvest)^(n−1) kept aside (as reinvest's log per period) times (1+reinvest)^−i.
  const double logReinvest = std::log1p(reinvestRate);
  const double receipts = powerWeightedSum(count, logReinvest, logReinvest <= 0, receipt);
  const double logReceiptsGrowth = logReinvest > 0 ? logReinvest : 0;
  // Payments discounted to the first period, the same way round.
  const double logFinance = std::log1p(financeRate);
  const double payments = powerWeightedSum(count, logFinance, logFinance < 0, payment);
  const double logPaymentsDiscount = logFinance < 0 ? logFinance : 0;
  const double ratio = receipts / payments;
  const double logRatio = (std::isfinite(ratio) && ratio >= DBL_MIN)
                              ? std::log(ratio)
                              : std::log(receipts) - std::log(payments);
  const double logMirr = logReceiptsGrowth + logPaymentsDiscount + logRatio / periods;
  return detail::finiteResult(std::expm1(logMirr));
}

}  // namespace vantro::core::finance
