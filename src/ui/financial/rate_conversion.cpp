// EFFECT and NOMINAL: a nominal annual rate compounded NPer times a year, and the effective
// annual rate it amounts to.

#include <exception>

#include "ui/financial/inputs.h"
#include "ui/form1.h"

namespace vantro::ui {

namespace {

void readRateAndCount(const Form1Controls& c, financial::Terms& t) {
  t.read(financial::Term::Interest, financial::readRate(c.TextInterest));
  t.read(financial::Term::NPer, financial::readCount(c.TextN));
}

}  // namespace

void Form1::CommandEffect_Click() {
  try {
    readRateAndCount(c_, BeginCalculation(financial::Operation::EFFECT));
    ShowDisplayResult(Calculate(), "Effective Interest Rate ");
  } catch (const std::exception&) {
    ShowInputError("EFFECT(Interest, NPer)");
  }
}

void Form1::CommandNominal_Click() {
  try {
    readRateAndCount(c_, BeginCalculation(financial::Operation::NOMINAL));
    ShowDisplayResult(Calculate(), "Nominal Interest Rate ");
  } catch (const std::exception&) {
    ShowInputError("NOMINAL(Interest, NPer)");
  }
}

}  // namespace vantro::ui
