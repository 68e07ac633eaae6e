#pragma once
// The root search behind Rate and IRR. It works in y = log(1 + rate), which maps every rate
// above −100 % onto the whole line. The caller divides the line into pieces on each of which
// its function has at most one root (exponential_sum.h finds such pieces); a sign change
// across a piece then brackets that root, which Newton steps safeguarded by bisection refine.
// Every loop has a fixed limit, so the search ends on any input.

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

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
  double low;   // no root below ...
  double high;  // ... or above, in y
};

// Work left for one call, counted in terms of sums evaluated. Long lists of flows that change
// sign often would otherwise keep the search busy for minutes; NoConvergence when spent.
class WorkBudget {
 public:
  void spend(std::size_t terms);

 private:
  std::size_t left_ = std::size_t{1} << 27;
};

// Every root of model in the space, ascending, given ascending boundaries between which
// (and between the space's ends and them) the model has at most one root. A boundary where
// the value is zero within its noise is a root, multiple or close to a turning point. With
// mergeTouching, neighbouring roots between which the value stays zero within noise are
// one root that rounding split. hintY, when inside a piece with a root, starts its
// refinement. Throws NoConvergence when a value is unusable or a refinement does not end.
std::vector<double> findRoots(const Model& model, std::span<const double> boundaries,
                              const SearchSpace& space, double hintY, bool mergeTouching);

// Roots in y as rates, ascending and distinct, those a double tells from −100 % only.
std::vector<double> ratesOf(std::span<const double> logRoots);

// The rate nearest the guess (the lower of two equally near); NoSolution when there is none.
double nearestRate(std::span<const double> rates, double guessRate);

}  // namespace vantro::core::finance::detail
