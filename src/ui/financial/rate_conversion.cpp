// EFFECT and NOMINAL: a nominal annual rate compounded NPer times a year, and the effective
// annual rate it amounts to.

#include <exception>

#include "core/checked_math.h"
#include "core/finance/finance.h"
#include "ui/financial/inputs.h"
#include "ui/form1.h"

namespace vantro::ui {

namespace fin = core::finance;
using financial::readCount;
using financial::readRate;

void Form1::CommandEffect_Click() {
  try {
    const double effective = fin::EFFECT(readRate(c_.TextInterest), readCount(c_.TextN));
    ShowDisplayResult(core::checkedMultiply(effective, 100), "Effective Interest Rate ");
  } catch (const std::exception&) {
    ShowInputError("EFFECT(Interest, NPer)");
  }
}

void Form1::CommandNominal_Click() {
  try {
    const double nominal = fin::NOMINAL(readRate(c_.TextInterest), readCount(c_.TextN));
    ShowDisplayResult(core::checkedMultiply(nominal, 100), "Nominal Interest Rate ");
  } catch (const std::exception&) {
    ShowInputError("NOMINAL(Interest, NPer)");
  }
}

}  // namespace vantro::ui
