#pragma once
// What a list of cash flows looks like across rates: its NPV curve over a range that holds
// every IRR (the XNPV curve of dated flows likewise), and how long it takes to pay back. Pure
// functions, standard library only. Flow i falls at the end of period i (the first at time 0), as
// IRR counts them.

#include <optional>
#include <span>
#include <vector>

#include "core/finance/finance.h"

namespace vantro::core::finance {

struct NpvPoint {
  double rate = 0;  // per period (a year for dated flows), as a fraction
  double npv = 0;   // NPV(rate, flows): the first flow discounted one period, as the NPV key
                    // does; XNPV(rate, flows) on a curve of dated flows
};

// A range of rates, above −1, that holds every rate of `irrs` and `rate` with a margin on
// each side, so that each crossing of zero shows on a plot: a fifth of their span or of the
// largest rate's size, at least 0.2 (20 percentage points), and below them never more than
// halfway down to −1. Without IRRs,
// a range around `rate`. Throws FinanceError: InvalidArgument for a NaN or infinite rate,
// RateAtOrBelowMinusOne for a rate of −1 or less.
struct RateRange {
  double low = 0;
  double high = 0;
};
RateRange profileRange(std::span<const double> irrs, double rate);

// `samples` points (clamped to 2..100,000) evenly spread over the range, ends included, with
// the IRRs inside it added as points of their own so that the curve passes through each,
// ascending. Points where the NPV is beyond the range of a double are left out. Throws
// FinanceError: InvalidArgument for a NaN or infinite flow or range end, or low ≥ high;
// RateAtOrBelowMinusOne for low ≤ −1.
std::vector<NpvPoint> npvCurve(std::span<const double> flows, RateRange range, int samples,
                               std::span<const double> irrs);

// The same for dated flows: XNPV at annual rates, each XIRR inside the range a point of its
// own. The same errors.
std::vector<NpvPoint> xnpvCurve(std::span<const DatedFlow> flows, RateRange range, int samples,
                                std::span<const double> xirrs);

// The number of periods after which the running total of the flows becomes 0 or more and
// stays so to the end, by linear interpolation within the period that crosses it (a total that
// crosses during period t, from −a at t − 1 to b at t, gives t − 1 + a/(a + b)). 0 when the total
// is never negative (an empty list too); nothing ("never") when it ends below 0. Throws
// FinanceError (InvalidArgument) for a NaN or infinite flow.
std::optional<double> paybackPeriod(std::span<const double> flows);
// The same with each flow discounted to time 0 at `rate` (flow i divided by (1 + rate)^i).
// Also throws RateAtOrBelowMinusOne for a rate of −1 or less, InvalidArgument for a NaN or
// infinite one, and Overflow when a discounted total leaves the range of a double.
std::optional<double> discountedPaybackPeriod(std::span<const double> flows, double rate);

}  // namespace vantro::core::finance
