#include "core/checked_math.h"

#include <cmath>

namespace vantro::core {

namespace {

const char* describe(ArithmeticError::Kind kind) {
  switch (kind) {
    case ArithmeticError::Kind::Overflow:
      return "Overflow";
    case ArithmeticError::Kind::DivideByZero:
      return "Division by zero";
    case ArithmeticError::Kind::Invalid:
      return "Invalid operation";
  }
  return "Arithmetic error";
}

// A NaN operand makes the operation invalid; an infinite one is an overflow carried in.
void checkOperand(double operand) {
  if (std::isnan(operand)) throw ArithmeticError(ArithmeticError::Kind::Invalid);
  if (std::isinf(operand)) throw ArithmeticError(ArithmeticError::Kind::Overflow);
}

double checkResult(double result) {
  checkOperand(result);
  return result;
}

}  // namespace

ArithmeticError::ArithmeticError(Kind kind) : std::runtime_error(describe(kind)), kind_(kind) {}

double checkedAdd(double a, double b) {
  checkOperand(a);
  checkOperand(b);
  return checkResult(a + b);
}

double checkedSubtract(double a, double b) {
  checkOperand(a);
  checkOperand(b);
  return checkResult(a - b);
}

double checkedMultiply(double a, double b) {
  checkOperand(a);
  checkOperand(b);
  return checkResult(a * b);
}

double checkedDivide(double dividend, double divisor) {
  checkOperand(dividend);
  checkOperand(divisor);
  if (divisor == 0) {
    throw ArithmeticError(dividend == 0 ? ArithmeticError::Kind::Invalid
                                        : ArithmeticError::Kind::DivideByZero);
  }
  return checkResult(dividend / divisor);
}

double checkedFinite(double value) {
  if (!std::isfinite(value)) throw ArithmeticError(ArithmeticError::Kind::Overflow);
  return value;
}

}  // namespace vantro::core
