#include "core/finance/root_search.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/finance/compounding.h"
#include "core/finance/finance.h"

namespace vantro::core::finance::detail {

namespace {

using Reason = FinanceError::Reason;

// Refining a bracket takes a few Newton steps on smooth functions; when Newton stalls,
// bisection by bit pattern needs at most 64 halvings to reach neighbouring doubles, and the
// limit leaves room for twice that.
constexpr int kRefineIterations = 200;

struct Point {
  double y;
  Sample sample;
};

Point sampleAt(const Model& model, double y) {
  const Sample s = model(y);
  if (!std::isfinite(s.value) || !std::isfinite(s.slope) || !std::isfinite(s.noise)) {
    fail(Reason::NoConvergence);
  }
  return {y, s};
}

// The value is zero within its rounding error.
bool isZero(const Sample& s) {
  return std::fabs(s.value) <= s.noise;
}

bool opposite(double a, double b) {
  return (a < 0 && b > 0) || (a > 0 && b < 0);
}

// The finest distinction worth making in y: a few units in the last place.
double resolution(double y) {
  return 4 * DBL_EPSILON * std::fabs(y) + DBL_MIN;
}

// Doubles in the order of their values as integers, and back.
std::int64_t orderKey(double x) {
  const auto bits = std::bit_cast<std::int64_t>(x);
  return bits >= 0 ? bits : std::numeric_limits<std::int64_t>::min() - bits;
}

double fromOrderKey(std::int64_t key) {
  return std::bit_cast<double>(key >= 0 ? key : std::numeric_limits<std::int64_t>::min() - key);
}

// The middle of [a, b]: 0 where the ends differ in sign; where they differ by more than a
// factor 8, the middle in the ordering of doubles, which halves the number of doubles between
// them, so that a bracket around a root near 0 still shrinks to neighbours in 64 steps.
double bisect(double a, double b) {
  if (opposite(a, b)) return 0;
  const double small = std::min(std::fabs(a), std::fabs(b));
  const double large = std::max(std::fabs(a), std::fabs(b));
  if (large <= 8 * small) return a + (b - a) / 2;
  const std::int64_t ka = orderKey(a);
  const std::int64_t kb = orderKey(b);
  return fromOrderKey(ka / 2 + kb / 2 + (ka % 2 + kb % 2) / 2);
}

// A value within the rounding bound may still be several rounding errors away from zero:
// one more Newton step, if a short one that stays between low and high, brings it down to
// the rounding actually made.
double polish(const Point& x, double low, double high) {
  const double y = x.y - x.sample.value / x.sample.slope;
  const bool shortStep = std::fabs(y - x.y) <= 1e-8 * std::max(1.0, std::fabs(x.y));
  return std::isfinite(y) && shortStep && y > low && y < high ? y : x.y;
}

// A value zero within the rounding bound can still be far from the root where the slope is
// small (roots close together): Newton steps, kept inside the bracket, go on while they
// shrink. Two are enough from there; beyond them the steps only chase rounding.
double settle(const Model& model, Point x, double low, double high) {
  double lastStep = std::numeric_limits<double>::infinity();
  for (int i = 0; i < 2; ++i) {
    const double y = x.y - x.sample.value / x.sample.slope;
    const double step = std::fabs(y - x.y);
    if (!(y > low && y < high) || step <= resolution(x.y) || step >= lastStep / 2) break;
    lastStep = step;
    x = sampleAt(model, y);
  }
  return x.y;
}

// The root inside a bracket whose ends have values of opposite signs. Each step is Newton's
// from the end with the smaller value or, when that leaves the bracket, from the other end
// (a function that flattens out throws Newton past the root from one side only). It bisects
// instead when neither stays inside, or when Newton neither halved its step nor helped the
// bracket halve over the last two steps: the bracket then shrinks steadily whatever happens.
// A value zero within its rounding ends the bracketing; settle takes the last steps.
double refine(const Model& model, const Point& a, const Point& b) {
  Point negative = a.sample.value < 0 ? a : b;
  Point positive = a.sample.value < 0 ? b : a;
  double lastStep = std::numeric_limits<double>::infinity();
  double widthTwoStepsAgo = lastStep;
  double widthOneStepAgo = lastStep;
  for (int i = 0; i < kRefineIterations; ++i) {
    const bool negativeNearer = std::fabs(negative.sample.value) < std::fabs(positive.sample.value);
    const Point& x = negativeNearer ? negative : positive;
    const Point& other = negativeNearer ? positive : negative;
    const double left = std::min(negative.y, positive.y);
    const double right = std::max(negative.y, positive.y);
    const double width = right - left;
    if (width <= resolution(std::max(std::fabs(left), std::fabs(right)))) return x.y;
    const auto inside = [&](double y) { return std::isfinite(y) && y > left && y < right; };
    const double newtonStep = -x.sample.value / x.sample.slope;
    if (inside(x.y + newtonStep) && std::fabs(newtonStep) <= resolution(x.y)) return x.y;
    double y = x.y + newtonStep;
    if (!inside(y)) y = other.y - other.sample.value / other.sample.slope;
    const bool progressing = std::fabs(y - x.y) <= lastStep / 2 || width <= widthTwoStepsAgo / 2;
    if (!inside(y) || !progressing) {
      y = bisect(left, right);
      if (y == left || y == right) return x.y;
    }
    lastStep = std::fabs(y - x.y);
    widthTwoStepsAgo = widthOneStepAgo;
    widthOneStepAgo = width;
    const Point next = sampleAt(model, y);
    if (isZero(next.sample)) return settle(model, next, left, right);
    (next.sample.value < 0 ? negative : positive) = next;
  }
  fail(Reason::NoConvergence);
}

// The one root between the ends of a piece, whose values have opposite signs. A hint inside
// the piece replaces the end of its sign, so that Newton starts from the caller's guess.
double rootInPiece(const Model& model, Point a, Point b, double hintY) {
  if (hintY > a.y && hintY < b.y) {
    const Point hint = sampleAt(model, hintY);
    if (isZero(hint.sample)) return polish(hint, a.y, b.y);
    (opposite(hint.sample.value, a.sample.value) ? b : a) = hint;
  }
  return refine(model, a, b);
}

// Clusters of neighbouring roots with the value zero within noise between each two, each
// cluster as its middle.
std::vector<double> mergedClusters(const Model& model, const std::vector<double>& roots) {
  std::vector<double> merged;
  std::size_t first = 0;
  for (std::size_t i = 0; i < roots.size(); ++i) {
    const bool joinsNext = i + 1 < roots.size() &&
                           isZero(sampleAt(model, roots[i] + (roots[i + 1] - roots[i]) / 2).sample);
    if (joinsNext) continue;
    merged.push_back(roots[first] + (roots[i] - roots[first]) / 2);
    first = i + 1;
  }
  return merged;
}

}  // namespace

void WorkBudget::spend(std::size_t terms) {
  if (terms > left_) fail(Reason::NoConvergence);
  left_ -= terms;
}

std::vector<double> findRoots(const Model& model, std::span<const double> boundaries,
                              const SearchSpace& space, double hintY, bool mergeTouching) {
  std::vector<Point> points{sampleAt(model, space.low)};
  for (double y : boundaries) {
    if (y > points.back().y && y < space.high) points.push_back(sampleAt(model, y));
  }
  points.push_back(sampleAt(model, space.high));

  std::vector<double> roots;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point& p = points[i];
    if (isZero(p.sample)) {
      const double low = i > 0 ? points[i - 1].y : p.y;
      const double high = i + 1 < points.size() ? points[i + 1].y : p.y;
      roots.push_back(polish(p, low, high));
      continue;
    }
    if (i + 1 == points.size()) break;
    const Point& next = points[i + 1];
    // At most one root per piece, ends included: a root at an end leaves none inside.
    if (!isZero(next.sample) && opposite(p.sample.value, next.sample.value)) {
      roots.push_back(rootInPiece(model, p, next, hintY));
    }
  }
  return mergeTouching ? mergedClusters(model, roots) : roots;
}

std::vector<double> ratesOf(std::span<const double> logRoots) {
  std::vector<double> rates;
  for (double y : logRoots) {
    const double rate = std::expm1(y);
    if (rate > -1 && std::isfinite(rate) && (rates.empty() || rate > rates.back())) {
      rates.push_back(rate);
    }
  }
  return rates;
}

double nearestRate(std::span<const double> rates, double guessRate) {
  if (rates.empty()) fail(Reason::NoSolution);
  double best = rates.front();
  for (double rate : rates) {
    if (std::fabs(rate - guessRate) < std::fabs(best - guessRate)) best = rate;
  }
  return best;
}

}  // namespace vantro::core::finance::detail
