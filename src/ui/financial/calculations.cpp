#include "ui/financial/calculations.h"

#include <cmath>

#include "core/checked_math.h"
#include "core/finance/finance.h"
#include "core/fixed_format.h"

namespace vantro::ui::financial {

namespace fin = core::finance;
using enum Term;

namespace {

fin::PaymentDue due(const Terms& t) {
  return t.beginning ? fin::PaymentDue::BeginningOfPeriod : fin::PaymentDue::EndOfPeriod;
}

double percent(double rate) {
  return core::checkedMultiply(rate, 100);
}

[[noreturn]] void noResult() {
  throw fin::FinanceError(fin::FinanceError::Reason::NoSolution);
}

// Before the first payment nothing is paid, and the loan's terms were not read.
double principalPaid(const Terms& t) {
  const std::int16_t last = lastPeriodOfTotal(t[Per]);
  if (last < 1) return 0;
  return fin::TPPMT(t[Interest], last, t[NPer], t[PV], t[FV], due(t));
}

constexpr Calculation kCalculations[] = {
    {Operation::NPer, "NPer", true, false,
     [](const Terms& t) { return fin::NPer(t[Interest], t[PMT], t[PV], t[FV], due(t)); }},
    {Operation::Rate, "Rate", true, false,
     [](const Terms& t) {
       return percent(fin::Rate(t[NPer], t[PMT], t[PV], t[FV], due(t), t[Guess]));
     }},
    {Operation::PV, "PV", true, false,
     [](const Terms& t) { return fin::PV(t[Interest], t[NPer], t[PMT], t[FV], due(t)); }},
    {Operation::FV, "FV", true, false,
     [](const Terms& t) { return fin::FV(t[Interest], t[NPer], t[PMT], t[PV], due(t)); }},
    {Operation::PMT, "PMT", true, false,
     [](const Terms& t) { return fin::PMT(t[Interest], t[NPer], t[PV], t[FV], due(t)); }},
    {Operation::PPMT, "PPMT", true, false,
     [](const Terms& t) { return fin::PPMT(t[Interest], t[Per], t[NPer], t[PV], t[FV], due(t)); }},
    {Operation::IPMT, "IPMT", true, false,
     [](const Terms& t) { return fin::IPMT(t[Interest], t[Per], t[NPer], t[PV], t[FV], due(t)); }},
    {Operation::TPPMT, "TPPMT", true, false,
     [](const Terms& t) {
       const double total = principalPaid(t);
       if (total == 0) noResult();
       return total;
     }},
    {Operation::TIPMT, "TIPMT", true, false,
     [](const Terms& t) {
       const std::int16_t last = lastPeriodOfTotal(t[Per]);
       if (last < 1) return 0.0;
       return fin::TIPMT(t[Interest], last, t[NPer], t[PV], t[FV], due(t));
     }},
    {Operation::BAL, "BAL", true, false,
     [](const Terms& t) {
       const double principal = principalPaid(t);
       if (principal == 0) noResult();
       return fin::BAL(t[PV], principal);
     }},
    {Operation::EFFECT, "EFFECT", false, false,
     [](const Terms& t) { return percent(fin::EFFECT(t[Interest], t[NPer])); }},
    {Operation::NOMINAL, "NOMINAL", false, false,
     [](const Terms& t) { return percent(fin::NOMINAL(t[Interest], t[NPer])); }},
    // A list that starts with nothing invested or received (or has no amount at all) is refused.
    {Operation::NPV, "NPV", false, true,
     [](const Terms& t) {
       if (t.flows.empty() || t.flows.front() == 0) noResult();
       return fin::NPV(t[Interest], t.flows);
     }},
    {Operation::IRR, "IRR", false, true,
     [](const Terms& t) { return percent(fin::IRR(t.flows, t[Guess])); }},
    {Operation::MIRR, "MIRR", false, true,
     [](const Terms& t) { return percent(fin::MIRR(t.flows, t[Interest], t[Reinvest])); }},
};

constexpr bool inOperationOrder() {
  for (std::size_t i = 0; i < std::size(kCalculations); ++i)
    if (static_cast<std::size_t>(kCalculations[i].operation) != i) return false;
  return true;
}
static_assert(inOperationOrder(), "the table is indexed by operation");

}  // namespace

const EntryField& fieldOf(Term term) {
  switch (term) {
    case Interest:
    case Guess:
      return kInterest;
    case NPer:
      return kNPer;
    case PV:
      return kPresentValue;
    case FV:
      return kFutureValue;
    case PMT:
      return kPayment;
    case Per:
    case Reinvest:
      break;
  }
  return kPeriod;
}

const Calculation& calculationOf(Operation operation) {
  return kCalculations[static_cast<std::size_t>(operation)];
}

const Calculation* calculationNamed(std::string_view name) {
  for (const Calculation& calculation : kCalculations)
    if (calculation.name == name) return &calculation;
  return nullptr;
}

std::int16_t lastPeriodOfTotal(double per) {
  const double rounded = std::nearbyint(per);
  if (!(rounded >= INT16_MIN && rounded < INT16_MAX))
    throw core::ArithmeticError(core::ArithmeticError::Kind::Overflow);
  return static_cast<std::int16_t>(rounded);
}

Terms termsOf(const core::tape::Entry& entry) {
  Terms terms;
  for (const core::tape::Input& input : entry.inputs) {
    for (std::size_t i = 0; i < kTermNames.size(); ++i)
      if (kTermNames[i] == input.name) terms.values[i] = input.value;
  }
  terms.beginning = entry.beginning;
  terms.flows = entry.flows;
  return terms;
}

std::optional<double> recompute(const core::tape::Entry& entry) {
  const Calculation* calculation = calculationNamed(entry.operation);
  if (entry.kind != core::tape::EntryKind::Financial || !calculation) return std::nullopt;
  try {
    return calculation->compute(termsOf(entry));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

CheckedLine checkLine(const core::tape::Entry& entry) {
  const std::optional<double> recomputed = recompute(entry);
  if (!recomputed || !entry.result) return {!recomputed && !entry.result, recomputed};
  if (entry.decimals < 0) return {*recomputed == *entry.result, recomputed};
  return {core::formatFixed(*recomputed, entry.decimals) ==
              core::formatFixed(*entry.result, entry.decimals),
          recomputed};
}

}  // namespace vantro::ui::financial
