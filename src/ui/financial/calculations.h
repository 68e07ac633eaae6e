#pragma once
// What each financial command computes from the values it read, in one table. The commands
// compute through it, the tape names the values it records by the terms here, and checking a
// recorded line computes it again through the same function, so that a line checks against
// exactly what the key would show today.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/tape/tape_entry.h"
#include "ui/financial/entry_fields.h"

namespace vantro::ui::financial {

// A value a command reads, named as the tape records it.
enum class Term { Interest, NPer, PV, FV, PMT, Per, Reinvest, Guess };
inline constexpr std::array<std::string_view, 8> kTermNames = {
    "Interest", "NPer", "PV", "FV", "PMT", "Per", "Reinvest", "Guess"};

// A rate: read as a fraction from a field that holds percent.
constexpr bool isRate(Term term) {
  return term == Term::Interest || term == Term::Reinvest || term == Term::Guess;
}

// The field a term is read from: the guess from the interest field, the reinvestment rate from
// the period field.
const EntryField& fieldOf(Term term);

// The values a command read, each as it was read (rates as fractions), and only those.
struct Terms {
  std::array<std::optional<double>, kTermNames.size()> values{};
  bool beginning = false;     // payments due at the beginning of each period
  std::vector<double> flows;  // the cash-flow list, for NPV, IRR and MIRR

  // Keeps `value` as the term read, and gives it back, so a read can be written in place.
  double read(Term term, double value) {
    values[static_cast<std::size_t>(term)] = value;
    return value;
  }
  // The term as read; throws when it was not read, so that a line recorded from a command that
  // could not read its fields is never computed from zeros when it is checked.
  double operator[](Term term) const {
    const std::optional<double>& value = values[static_cast<std::size_t>(term)];
    if (!value) throw std::invalid_argument("a term the command did not read");
    return *value;
  }
};

enum class Operation {
  NPer,
  Rate,
  PV,
  FV,
  PMT,
  PPMT,
  IPMT,
  TPPMT,
  TIPMT,
  BAL,
  EFFECT,
  NOMINAL,
  NPV,
  IRR,
  MIRR
};

struct Calculation {
  Operation operation;
  std::string_view name;  // the spreadsheet function's name, as the tape records it
  bool usesTiming;        // reads whether payments fall at the beginning or the end
  bool readsFlows;        // reads the cash-flow list
  // The result as the calculator shows it (a rate in percent); throws where the command shows
  // its message instead.
  double (*compute)(const Terms&);
};

const Calculation& calculationOf(Operation operation);
const Calculation* calculationNamed(std::string_view name);

// The last period of a total as a 16-bit count, rounded half to even. The period counter is
// 16-bit too, so counting past 32,767 would overflow: 32,767 and beyond is refused (throws).
std::int16_t lastPeriodOfTotal(double per);

// The terms a recorded financial line read, by their names; a name that is no term is passed
// over.
Terms termsOf(const core::tape::Entry& entry);

// A financial line of the tape computed again from its recorded values: the result, or none
// where the command would show its message.
std::optional<double> recompute(const core::tape::Entry& entry);

// A recorded financial line checked against today's calculation: it agrees when both show the
// same at the line's decimals, or both end in the message.
struct CheckedLine {
  bool agrees = false;
  std::optional<double> recomputed;
};
CheckedLine checkLine(const core::tape::Entry& entry);

}  // namespace vantro::ui::financial
