#pragma once
// The root search behind Rate and IRR. It works in y = log(1 + rate), which maps every rate
// above −100 % onto the whole line, and returns the root nearest the caller's guess: Newton
// from the guess, then a scan outward from the guess on both sides that brackets sign
// changes (and looks into every stretch where the slope turns, for pairs of close roots and
// touching roots), each bracket refined by Newton steps safeguarded by bisection. Every loop
// has a fixed limit, so the search ends on any input.

#include <functional>

namespace vantro::core::finance::detail {

// A function at one point: the function searched has the roots and signs of the caller's
// relation (it is the relation times a positive factor that keeps it in range), slope is
// its derivative, and noise bounds the rounding error of value.
struct Sample {
  double value;
  double slope;
  double noise;
};

using Model = std::function<Sample(double y)>;

// The rates a double can tell from −100 % and from infinity: 1 + rate from 2^−53 to e^709.
inline constexpr double kLowestLogGrowth = -53 * 0.6931471805599453;
inline constexpr double kHighestLogGrowth = 709;

struct SearchSpace {
  double low;          // no root below ...
  double high;         // ... or above, in y
  double initialStep;  // the scan's first step, about the finest detail of the function
};

// y of the root nearest guessRate (nearest as rates, guessRate > −1). Throws FinanceError:
// NoSolution when the whole space was searched without finding a root, NoConvergence when a
// limit ended the search first.
double findRootNearest(const Model& model, double guessRate, const SearchSpace& space);

}  // namespace vantro::core::finance::detail
