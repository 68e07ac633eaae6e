#include "core/finance/root_search.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/finance/compounding.h"
#include "core/finance/finance.h"

namespace vantro::core::finance::detail {

namespace {

using Reason = FinanceError::Reason;

// Limits. Refining a bracket takes a few Newton steps on smooth functions; when Newton
// stalls, bisection by bit pattern needs at most 64 halvings to reach neighbouring doubles,
// and the limit leaves room for twice that. The scan doubles its step from about the
// function's finest detail to the ends of the space in far fewer steps than its limit.
constexpr int kNewtonIterations = 16;
constexpr double kNewtonLargestStep = 1;  // a factor e in 1 + rate
constexpr int kRefineIterations = 200;
constexpr int kScanStepsPerSide = 200;
constexpr double kScanGrowth = 2;
constexpr int kExtremumSearches = 64;
constexpr int kExtremumIterations = 70;

struct Point {
  double y;
  Sample sample;
};

bool isFinite(const Sample& s) {
  return std::isfinite(s.value) && std::isfinite(s.slope) && std::isfinite(s.noise);
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

// The middle of [a, b]. Where the ends differ in sign or by more than a factor 8, the middle
// in the ordering of doubles: it halves the number of doubles between them, so a bracket
// around a root at or near 0 still shrinks to neighbours in at most 64 steps.
double bisect(double a, double b) {
  const double small = std::min(std::fabs(a), std::fabs(b));
  const double large = std::max(std::fabs(a), std::fabs(b));
  if (!opposite(a, b) && large <= 8 * small) return a + (b - a) / 2;
  const std::int64_t ka = orderKey(a);
  const std::int64_t kb = orderKey(b);
  return fromOrderKey(ka / 2 + kb / 2 + (ka % 2 + kb % 2) / 2);
}

class Search {
 public:
  Search(const Model& model, double guessRate, const SearchSpace& space)
      : model_(model),
        guessRate_(guessRate),
        space_(space),
        yGuess_(std::clamp(std::log1p(guessRate), space.low, space.high)) {}

  double run();

 private:
  struct Walker {
    double direction;
    Point frontier;
    int steps = 0;
    bool active = true;
  };

  std::optional<Point> sampleAt(double y) const;
  double distance(double y) const { return std::fabs(std::expm1(y) - guessRate_); }
  void consider(double y);
  std::optional<double> newton(Point start);
  double polish(const Point& x) const;
  bool confirmRoot(double y, double width);
  void advance(Walker& walker);
  std::optional<double> rootBetween(const Point& near, const Point& far);
  std::optional<double> refine(Point a, Point b);

  const Model& model_;
  double guessRate_;
  SearchSpace space_;
  double yGuess_;
  std::optional<Point> newtonRoot_;
  std::optional<double> best_;
  double bestDistance_ = std::numeric_limits<double>::infinity();
  bool limited_ = false;  // a limit or an unusable value cut part of the search short
  int extremumSearches_ = kExtremumSearches;
};

std::optional<Point> Search::sampleAt(double y) const {
  const Sample sample = model_(y);
  if (!isFinite(sample)) return std::nullopt;
  return Point{y, sample};
}

void Search::consider(double y) {
  const double d = distance(y);
  if (d < bestDistance_) {
    best_ = y;
    bestDistance_ = d;
  }
}

// Newton's method from the guess, steps limited in length and kept inside the space, until
// a step crosses the root (then the bracket is refined). A root is accepted when the value is
// zero within rounding, or when the step has become too small to move y and a sign change
// around it confirms the root.
std::optional<double> Search::newton(Point x) {
  for (int i = 0; i < kNewtonIterations; ++i) {
    if (isZero(x.sample)) return polish(x);
    const double step = -x.sample.value / x.sample.slope;
    if (!std::isfinite(step)) return std::nullopt;
    const double limited = std::clamp(step, -kNewtonLargestStep, kNewtonLargestStep);
    const double y = std::clamp(x.y + limited, space_.low, space_.high);
    if (std::fabs(y - x.y) <= resolution(x.y)) {
      if (limited != step) return std::nullopt;
      return confirmRoot(x.y, std::max(4 * std::fabs(step), 2 * resolution(x.y)))
                 ? std::optional<double>(x.y)
                 : std::nullopt;
    }
    const auto next = sampleAt(y);
    if (!next) return std::nullopt;
    // A step across the root brackets it: safeguarded steps from here on.
    if (opposite(x.sample.value, next->sample.value)) return refine(x, *next);
    x = *next;
  }
  return std::nullopt;
}

// A value within the rounding bound may still be several rounding errors away from zero:
// one more Newton step, if a short one, brings it down to the rounding actually made.
double Search::polish(const Point& x) const {
  const double y = x.y - x.sample.value / x.sample.slope;
  const bool shortStep = std::fabs(y - x.y) <= 1e-8 * std::max(1.0, std::fabs(x.y));
  return std::isfinite(y) && shortStep ? std::clamp(y, space_.low, space_.high) : x.y;
}

bool Search::confirmRoot(double y, double width) {
  const auto below = sampleAt(y - width);
  const auto above = sampleAt(y + width);
  if (!below || !above) return false;
  return isZero(below->sample) || isZero(above->sample) ||
         opposite(below->sample.value, above->sample.value);
}

double Search::run() {
  const auto start = sampleAt(yGuess_);
  if (!start) fail(Reason::NoConvergence);
  if (isZero(start->sample)) return polish(*start);
  if (const auto root = newton(*start)) {
    consider(*root);
    newtonRoot_ = sampleAt(*root);
  }

  // Walk outward, always extending the side whose frontier is nearer the guess, until no
  // unexplored rate can be nearer than the best root found.
  Walker walkers[] = {{-1, *start}, {+1, *start}};
  for (;;) {
    Walker* nearer = nullptr;
    for (Walker& w : walkers) {
      if (w.active && (!nearer || distance(w.frontier.y) < distance(nearer->frontier.y))) {
        nearer = &w;
      }
    }
    if (!nearer) break;
    advance(*nearer);
  }
  if (best_) return *best_;
  fail(limited_ ? Reason::NoConvergence : Reason::NoSolution);
}

void Search::advance(Walker& walker) {
  if (distance(walker.frontier.y) >= bestDistance_) {
    walker.active = false;
    return;
  }
  if (walker.steps == kScanStepsPerSide) {
    walker.active = false;
    limited_ = true;
    return;
  }
  const double offset = space_.initialStep * std::pow(kScanGrowth, walker.steps++);
  const double y = std::clamp(yGuess_ + walker.direction * offset, space_.low, space_.high);
  if (y == walker.frontier.y) {  // already at the end of the space
    walker.active = false;
    return;
  }
  // A step past Newton's root ends at the root: only the stretch before it is left to search.
  const bool pastRoot = newtonRoot_ &&
                        (newtonRoot_->y - walker.frontier.y) * walker.direction > 0 &&
                        (newtonRoot_->y - y) * walker.direction <= 0;
  const auto next = pastRoot ? newtonRoot_ : sampleAt(y);
  if (!next) {
    walker.active = false;
    limited_ = true;
    return;
  }
  if (const auto root = rootBetween(walker.frontier, *next)) {
    consider(*root);
    walker.active = false;
    return;
  }
  walker.frontier = *next;
}

// A root between two neighbouring scan points, the one nearer `near` when the search can
// tell. Without a sign change a root can still hide where the slope turns: two close roots,
// or one where the function touches zero. Bisection on the slope's sign finds that turning
// point and the value there decides.
std::optional<double> Search::rootBetween(const Point& near, const Point& far) {
  if (isZero(far.sample)) return far.y;
  if (opposite(near.sample.value, far.sample.value)) return refine(near, far);
  if (!opposite(near.sample.slope, far.sample.slope)) return std::nullopt;
  if (extremumSearches_ == 0) {
    limited_ = true;
    return std::nullopt;
  }
  --extremumSearches_;
  Point a = near;
  Point b = far;
  for (int i = 0; i < kExtremumIterations; ++i) {
    const double y = bisect(a.y, b.y);
    if (y == a.y || y == b.y) break;
    const auto mid = sampleAt(y);
    if (!mid) {
      limited_ = true;
      return std::nullopt;
    }
    if (opposite(near.sample.value, mid->sample.value)) return refine(near, *mid);
    if (isZero(mid->sample)) return mid->y;
    if (mid->sample.slope == 0) break;
    (opposite(a.sample.slope, mid->sample.slope) ? b : a) = *mid;
  }
  return std::nullopt;
}

// The root inside a bracket whose ends have values of opposite signs. Each step is Newton's
// from the end with the smaller value or, when that leaves the bracket, from the other end
// (a function that flattens out throws Newton past the root from one side only). It bisects
// instead when neither stays inside, or when Newton neither halved its step nor helped the
// bracket halve over the last two steps: the bracket then shrinks steadily whatever happens.
std::optional<double> Search::refine(Point a, Point b) {
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
    const auto next = sampleAt(y);
    if (!next) break;
    if (next->sample.value == 0) return y;
    (next->sample.value < 0 ? negative : positive) = *next;
  }
  limited_ = true;
  return std::nullopt;
}

}  // namespace

double findRootNearest(const Model& model, double guessRate, const SearchSpace& space) {
  return Search(model, guessRate, space).run();
}

}  // namespace vantro::core::finance::detail
