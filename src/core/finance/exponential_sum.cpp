#include "core/finance/exponential_sum.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numeric>
#include <utility>

#include "core/finance/compounding.h"
#include "core/finance/finance.h"

namespace vantro::core::finance::detail {

namespace {

// The chain keeps a sum for every sign change but one: at most this many terms in all
// (16 MB), which allows 21 sign changes in 100,000 flows, or one at every period in 1,449.
constexpr double kLargestChain = 1 << 21;

int countSignChanges(const std::vector<double>& coefficients) {
  int changes = 0;
  double last = 0;
  for (double c : coefficients) {
    if (c == 0) continue;
    if ((c < 0) != (last < 0) && last != 0) ++changes;
    last = c;
  }
  return changes;
}

// Multiplies by the power of two that brings the largest magnitude into [0.5, 1): exact, and
// it keeps the chain's growing factors λ_k − μ from overflowing level after level.
void normalise(std::vector<double>& coefficients) {
  double largest = 0;
  for (double c : coefficients) largest = std::max(largest, std::fabs(c));
  if (largest == 0) return;
  int exponent = 0;
  std::frexp(largest, &exponent);
  // A product with a power of two is as exact as ldexp, and far cheaper, where that power is
  // a double.
  const double factor = std::ldexp(1.0, -exponent);
  for (double& c : coefficients) c = std::isfinite(factor) ? c * factor : std::ldexp(c, -exponent);
}

}  // namespace

ExponentialSum ExponentialSum::discounted(std::vector<double> flows) {
  return ExponentialSum(std::move(flows), {}, true);
}

ExponentialSum::ExponentialSum(std::vector<double> coefficients, std::vector<double> exponents)
    : ExponentialSum(std::move(coefficients), std::move(exponents), false) {}

ExponentialSum::ExponentialSum(std::vector<double> coefficients, std::vector<double> exponents,
                               bool asGiven) {
  if (asGiven) {
    coefficients_ = std::move(coefficients);
    exponents_ = std::move(exponents);
  } else {
    // Ascending exponents, equal ones merged and zero terms left out.
    std::vector<std::size_t> order(coefficients.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return exponents[a] < exponents[b]; });
    for (std::size_t k : order) {
      if (!exponents_.empty() && exponents_.back() == exponents[k]) {
        coefficients_.back() += coefficients[k];
      } else {
        exponents_.push_back(exponents[k]);
        coefficients_.push_back(coefficients[k]);
      }
    }
    for (std::size_t k = coefficients_.size(); k-- > 0;) {
      if (coefficients_[k] != 0) continue;
      coefficients_.erase(coefficients_.begin() + static_cast<std::ptrdiff_t>(k));
      exponents_.erase(exponents_.begin() + static_cast<std::ptrdiff_t>(k));
    }
  }
  normalise(coefficients_);
  signChanges_ = countSignChanges(coefficients_);
}

Sample ExponentialSum::operator()(double y) const {
  return exponents_.empty() ? horner(y) : direct(y);
}

// Powers of e^−|y| only. Where y < 0 the sum is multiplied by e^((n−1)·y), turning the powers
// round, and its slope gains n − 1 times the value.
Sample ExponentialSum::horner(double y) const {
  const double factor = std::exp(-std::fabs(y));
  double value = 0;
  double weighted = 0;  // Σ k·c_k·factor^…, for the slope
  double magnitude = 0;
  const auto step = [&](std::size_t k) {
    const double c = coefficients_[k];
    value = value * factor + c;
    weighted = weighted * factor + static_cast<double>(k) * c;
    magnitude = magnitude * factor + std::fabs(c);
  };
  const std::size_t count = coefficients_.size();
  if (y < 0) {
    for (std::size_t k = 0; k < count; ++k) step(k);
  } else {
    for (std::size_t k = count; k-- > 0;) step(k);
  }
  // Horner's rounding and that of the factor's powers: about one unit per term.
  const double noise = DBL_EPSILON * (1.5 * static_cast<double>(count) + 8) * magnitude;
  const double slope = y < 0 ? (static_cast<double>(count) - 1) * value - weighted : -weighted;
  return {value, slope, noise};
}

// Each term's own power. The rounding of the exponent (λ_k − λ)·y, relative to its size, is
// an error of that size in the term.
Sample ExponentialSum::direct(double y) const {
  const double top = y >= 0 ? exponents_.back() : exponents_.front();
  double value = 0;
  double slope = 0;
  double magnitude = 0;
  double exponentError = 0;
  for (std::size_t k = 0; k < coefficients_.size(); ++k) {
    const double power = exponents_[k] - top;
    const double term = coefficients_[k] * std::exp(power * y);
    value += term;
    slope += power * term;
    magnitude += std::fabs(term);
    exponentError += std::fabs(term * power * y);
  }
  const double count = static_cast<double>(coefficients_.size());
  return {value, slope, DBL_EPSILON * ((count + 4) * magnitude + 2 * exponentError)};
}

SearchSpace ExponentialSum::rootSpace() const {
  // log(others/|c|)/gap, y beyond which the term c outweighs the others: from the logarithms
  // of the magnitudes, since a tiny coefficient's quotient would overflow.
  const auto beyond = [this](std::size_t dominant, std::size_t next) {
    double others = 0;
    for (std::size_t k = 0; k < size(); ++k) {
      if (k != dominant) others += std::fabs(coefficients_[k]);
    }
    const double gap = std::fabs(exponent(dominant) - exponent(next));
    const double distance = (std::log(others) - std::log(std::fabs(coefficients_[dominant]))) / gap;
    return std::max(distance, 0.0) * 1.01 + 1e-3;
  };
  // Discounted flows have their exponents descending, given ones ascending.
  const std::size_t last = size() - 1;
  if (exponents_.empty()) return {-beyond(last, last - 1), beyond(0, 1)};
  return {-beyond(0, 1), beyond(last, last - 1)};
}

ExponentialSum ExponentialSum::next() const {
  // The first sign change, between the nonzero terms i and j.
  std::size_t i = 0;
  while (coefficients_[i] == 0) ++i;
  std::size_t j = i + 1;
  for (; j < coefficients_.size(); ++j) {
    if (coefficients_[j] == 0) continue;
    if ((coefficients_[j] < 0) != (coefficients_[i] < 0)) break;
    i = j;
  }
  const double mu = (exponent(i) + exponent(j)) / 2;
  std::vector<double> coefficients(coefficients_.size());
  for (std::size_t k = 0; k < coefficients.size(); ++k) {
    coefficients[k] = (exponent(k) - mu) * coefficients_[k];
  }
  return ExponentialSum(std::move(coefficients), exponents_, true);
}

Model budgeted(const ExponentialSum& sum, WorkBudget& budget) {
  return [&sum, &budget](double y) {
    budget.spend(sum.size());
    return sum(y);
  };
}

std::vector<double> turningPoints(const ExponentialSum& sum, const SearchSpace& space, double hintY,
                                  WorkBudget& budget) {
  const int changes = sum.signChanges();
  if (changes < 2) return {};
  if (static_cast<double>(changes - 1) * static_cast<double>(sum.size()) > kLargestChain) {
    fail(FinanceError::Reason::NoConvergence);
  }
  // f₁, f₂, … down to one sign change; each has at least one fewer than the one before.
  std::vector<ExponentialSum> chain{sum.next()};
  while (chain.back().signChanges() > 1) chain.push_back(chain.back().next());
  std::vector<double> roots;
  for (std::size_t index = chain.size(); index-- > 0;) {
    const ExponentialSum& level = chain[index];
    if (level.signChanges() == 0) continue;  // no root, and the level above is monotone
    roots = findRoots(budgeted(level, budget), roots, space, hintY, false);
  }
  return roots;
}

}  // namespace vantro::core::finance::detail
