#pragma once
// Exponential sums f(y) = Σ c_k·e^(λ_k·y), and the pieces of the line on which such a sum
// has at most one root: what makes the root search behind Rate and IRR complete.
//
// Descartes' rule of signs holds for them: f has at most V real roots, counted with
// multiplicity, V the number of sign changes of the coefficients taken in the order of their
// exponents. Its proof finds the pieces. With μ strictly between the exponents of one sign
// change, e^(−μy)·f has the derivative e^(−μy)·f₁, f₁ = Σ (λ_k − μ)·c_k·e^(λ_k·y): the factor
// λ_k − μ flips the signs on one side of μ only, so f₁ keeps every sign change but that one.
// Between neighbouring roots of f₁, e^(−μy)·f is strictly monotone and f has at most one root.
// The roots of f₁ come the same way from f₂, and so on down to a sum with one sign change,
// which has exactly one root on the whole line, or none, which has no root.

#include <cstddef>
#include <vector>

#include "core/finance/root_search.h"

namespace vantro::core::finance::detail {

class ExponentialSum {
 public:
  // Σ flows[k]·e^(−k·y): cash flows discounted at rate e^y − 1, evaluated by Horner's rule.
  static ExponentialSum discounted(std::vector<double> flows);
  // Σ coefficients[k]·e^(exponents[k]·y): a few terms with any exponents.
  ExponentialSum(std::vector<double> coefficients, std::vector<double> exponents);

  // The sum divided by e^(λ·y), λ its largest exponent where y ≥ 0 and its smallest where
  // y < 0: the same sign, and every power in it at most 1.
  Sample operator()(double y) const;
  std::size_t size() const { return coefficients_.size(); }
  int signChanges() const { return signChanges_; }
  // Where every root lies, for a sum of at least two terms. Above high the term of the
  // largest exponent λ outweighs all others together: for y ≥ 0 each other term is at most
  // |c_k|·e^((λ − g)·y), g the gap to the next exponent, so |f|·e^(−λy) ≥ |c_λ| − S·e^(−g·y)
  // > 0 once y > log(S/|c_λ|)/g, S the sum of the other |c_k|. Below low, likewise the term
  // of the smallest exponent. Both with a margin for the rounding of the bound.
  SearchSpace rootSpace() const;
  // f₁ for the first sign change (there must be one), scaled by a power of two to keep its
  // terms in range.
  ExponentialSum next() const;

 private:
  // asGiven: exponents already ascending and distinct (or empty for discounted flows).
  ExponentialSum(std::vector<double> coefficients, std::vector<double> exponents, bool asGiven);
  Sample horner(double y) const;
  Sample direct(double y) const;
  double exponent(std::size_t k) const {
    return exponents_.empty() ? -static_cast<double>(k) : exponents_[k];
  }

  std::vector<double> coefficients_;
  std::vector<double> exponents_;  // ascending; empty for discounted flows, whose k-th is −k
  int signChanges_ = 0;
};

// The sum as a model for findRoots, each evaluation paid for from the budget.
Model budgeted(const ExponentialSum& sum, WorkBudget& budget);

// The roots of f₁ inside the space, ascending: the boundaries for findRoots on f. None when
// f has fewer than two sign changes. hintY starts the refinements as in findRoots: roots of
// the chain tend to lie where the caller expects its own. NoConvergence when the chain of
// sums is too large to build (sign changes times terms) or its search overruns the budget.
std::vector<double> turningPoints(const ExponentialSum& sum, const SearchSpace& space, double hintY,
                                  WorkBudget& budget);

}  // namespace vantro::core::finance::detail
