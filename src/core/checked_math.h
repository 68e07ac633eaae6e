#pragma once
// IEEE arithmetic with the run-time checks a calculator needs: a result that overflows the
// double range, an invalid operation (NaN) or a division by zero raises ArithmeticError.
// Underflow and inexact results are not errors.

#include <stdexcept>

namespace vantro::core {

class ArithmeticError : public std::runtime_error {
 public:
  enum class Kind { Overflow, DivideByZero, Invalid };
  explicit ArithmeticError(Kind kind);
  Kind kind() const noexcept { return kind_; }

 private:
  Kind kind_;
};

// Each throws ArithmeticError when an operand is not finite or the result is not finite.
double checkedAdd(double a, double b);
double checkedSubtract(double a, double b);
double checkedMultiply(double a, double b);
// x / 0 with x != 0 is DivideByZero, 0 / 0 is Invalid.
double checkedDivide(double dividend, double divisor);
// Throws Overflow for a non-finite value, else returns it.
double checkedFinite(double value);

}  // namespace vantro::core
