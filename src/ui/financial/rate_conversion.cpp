// EFFECT and NOMINAL: a nominal annual rate compounded m times a year, and the effective
// annual rate it amounts to.

#include <cmath>
#include <exception>
#include <stdexcept>

#include "core/checked_math.h"
#include "ui/financial/inputs.h"
#include "ui/form1.h"

namespace vantro::ui {

using financial::readCount;
using financial::readRate;

namespace {

constexpr const char* kEffectSyntax = "EFFECT(Interest, NPer)";
constexpr const char* kNominalSyntax = "NOMINAL(Interest, NPer)";

struct Conversion {
  double compoundings;  // m, at least 1
  double rate;          // j, a fraction, above 0
};

// Throws when m is below 1 or j is not above 0.
Conversion readConversion(const Form1Controls& c) {
  const double m = readCount(c.TextN);
  if (!(m >= 1)) throw std::domain_error("fewer than one compounding a year");
  const double j = readRate(c.TextInterest);
  if (!(j > 0)) throw std::domain_error("rate not above 0");
  return {m, j};
}

}  // namespace

// effective = (1 + j/m)^m - 1, through log1p and expm1 so that tiny rates keep their digits.
void Form1::CommandEffect_Click() {
  try {
    const auto [m, j] = readConversion(c_);
    const double effective = core::checkedFinite(std::expm1(m * std::log1p(j / m)));
    ShowDisplayResult(core::checkedMultiply(effective, 100), "Effective Interest Rate ");
  } catch (const std::exception&) {
    ShowInputError(kEffectSyntax);
  }
}

// nominal = ((1 + j)^(1/m) - 1) * m
void Form1::CommandNominal_Click() {
  try {
    const auto [m, j] = readConversion(c_);
    const double nominal = core::checkedMultiply(std::expm1(std::log1p(j) / m), m);
    ShowDisplayResult(core::checkedMultiply(nominal, 100), "Nominal Interest Rate ");
  } catch (const std::exception&) {
    ShowInputError(kNominalSyntax);
  }
}

}  // namespace vantro::ui
