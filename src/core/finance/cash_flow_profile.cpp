// The profile of a cash-flow list: where to look at its NPV curve, the curve itself, and the
// payback periods.

#include "core/finance/cash_flow_profile.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/finance/compounding.h"
#include "core/finance/finance.h"

namespace vantro::core::finance {

using Reason = FinanceError::Reason;

namespace {

// The margin on each side: a fifth of the span of the rates shown, and never less than 20
// percentage points, so that a single rate still sits in a readable stretch of curve.
constexpr double kMarginShare = 0.2;
constexpr double kLeastMargin = 0.2;

void requireRate(double rate) {
  detail::requireFinite({rate});
  detail::requireRateAboveMinusOne(rate);
}

// The first index from which the running total stays at or above 0, found on the amounts
// amount(0..n−1), with linear interpolation inside the period that crosses:
//   payback = t − 1 + a/(a + b), the total going from −a at t − 1 to b at t.
template <typename Amount>
std::optional<double> payback(std::size_t count, Amount amount) {
  detail::CompensatedSum total;
  std::optional<std::size_t> lastNegative;
  double deficit = 0;  // a: minus the total at the last negative one
  double surplus = 0;  // b: the total one period later
  bool justCrossed = false;
  for (std::size_t i = 0; i < count; ++i) {
    total.add(amount(i));
    const double running = total.value();
    if (!std::isfinite(running)) detail::fail(Reason::Overflow);
    if (running < 0) {
      lastNegative = i;
      deficit = -running;
      justCrossed = true;
    } else if (justCrossed) {
      surplus = running;
      justCrossed = false;
    }
  }
  if (!lastNegative) return 0.0;
  if (justCrossed) return std::nullopt;  // ends below 0
  // Halved, a + b cannot overflow; the ratio is the same.
  const double share = (deficit / 2) / (deficit / 2 + surplus / 2);
  return static_cast<double>(*lastNegative) + share;
}

}  // namespace

RateRange profileRange(std::span<const double> irrs, double rate) {
  requireRate(rate);
  double lowest = rate;
  double highest = rate;
  for (double irr : irrs) {
    requireRate(irr);
    lowest = std::min(lowest, irr);
    highest = std::max(highest, irr);
  }
  // low < lowest ≤ highest < high, with low kept above −1: at most halfway from the lowest
  // rate down to −1, where the NPV of a list ending in a payment or receipt grows without bound.
  // A fifth of the largest rate's size too: beside a rate of 1e16 a margin of 0.2 would be lost
  // in rounding, and the range would have no width.
  const double margin = std::max({kMarginShare * (highest - lowest), kLeastMargin,
                                  kMarginShare * std::max(std::fabs(lowest), std::fabs(highest))});
  const double halfwayToMinusOne = -1 + (1 + lowest) / 2;
  double low = std::max(lowest - margin, halfwayToMinusOne);
  if (low <= -1) low = lowest;  // the lowest rate is the double next to −1: nothing lies between
  const double high = std::min(highest + margin, DBL_MAX);
  return {low, high};
}

namespace {

// `samples` rates evenly over the range, ends included, and the IRRs inside it, ascending, each
// with the value `valueAt` gives it; a rate at which it throws FinanceError is left out.
template <typename ValueAt>
std::vector<NpvPoint> curveOver(RateRange range, int samples, std::span<const double> irrs,
                                ValueAt valueAt) {
  detail::requireFinite({range.low, range.high});
  detail::requireRateAboveMinusOne(range.low);
  if (!(range.low < range.high)) detail::fail(Reason::InvalidArgument);
  const int count = std::clamp(samples, 2, 100'000);
  std::vector<double> rates;
  rates.reserve(static_cast<std::size_t>(count) + irrs.size());
  const double step = (range.high - range.low) / (count - 1);
  for (int i = 0; i + 1 < count; ++i) rates.push_back(range.low + step * i);
  rates.push_back(range.high);
  const auto evenCount = static_cast<std::ptrdiff_t>(rates.size());
  for (double irr : irrs) {
    if (irr >= range.low && irr <= range.high) rates.push_back(irr);
  }
  std::sort(rates.begin() + evenCount, rates.end());
  std::inplace_merge(rates.begin(), rates.begin() + evenCount, rates.end());
  rates.erase(std::unique(rates.begin(), rates.end()), rates.end());

  std::vector<NpvPoint> curve;
  curve.reserve(rates.size());
  for (double rate : rates) {
    try {
      curve.push_back({rate, valueAt(rate)});
    } catch (const FinanceError&) {
      // Beyond the range of a double, near −1 or at huge rates: no point to plot.
    }
  }
  return curve;
}

}  // namespace

std::vector<NpvPoint> npvCurve(std::span<const double> flows, RateRange range, int samples,
                               std::span<const double> irrs) {
  detail::requireFinite(flows);
  return curveOver(range, samples, irrs, [&](double rate) { return NPV(rate, flows); });
}

std::vector<NpvPoint> xnpvCurve(std::span<const DatedFlow> flows, RateRange range, int samples,
                                std::span<const double> xirrs) {
  for (const DatedFlow& flow : flows) detail::requireFinite({flow.amount});
  return curveOver(range, samples, xirrs, [&](double rate) { return XNPV(rate, flows); });
}

std::optional<double> paybackPeriod(std::span<const double> flows) {
  detail::requireFinite(flows);
  const detail::AmountScale scale(flows);
  return payback(flows.size(), [&](std::size_t i) { return scale.down(flows[i]); });
}

std::optional<double> discountedPaybackPeriod(std::span<const double> flows, double rate) {
  // discounted flow i = flow i·e^(−i·log1p(rate)) = flow i/(1 + rate)^i
  detail::requireFinite(flows);
  requireRate(rate);
  const detail::AmountScale scale(flows);
  const double logGrowth = std::log1p(rate);
  return payback(flows.size(), [&](std::size_t i) {
    return detail::scaleByExp(scale.down(flows[i]), -static_cast<double>(i) * logGrowth);
  });
}

}  // namespace vantro::core::finance
