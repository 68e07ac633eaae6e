#pragma once
// One line of the tape: a calculation the user made, as the calculator showed it and with the
// full values it read and computed, so that the line can be recalled and checked again later.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantro::core::tape {

enum class EntryKind {
  Keypad,     // a finished operation of the keypad: "2  +  3 = 5"
  Function,   // a one-operand function: "Sqr 2 = 1.4142135623731"
  Memory,     // a memory operation, with the register's new value
  Financial,  // a financial command with the inputs it read
};

// A value the calculation read, by the name the user knows it by ("Interest", "NPer").
struct Input {
  std::string name;
  double value = 0;
  friend bool operator==(const Input&, const Input&) = default;
};

struct Entry {
  std::int64_t timeMs = 0;  // when it was made, milliseconds since 1970-01-01 UTC
  EntryKind kind = EntryKind::Keypad;
  // The operation's name: "+", "Sqr", "M+", or the financial command's ("PMT", "IRR").
  std::string operation;
  // The calculation as a sentence, the way the calculator wrote it ("2  +  3 = 5",
  // "PMT: Interest 0.5833333 %, NPer 360, PV 150000, FV 0, End -> -997.95").
  std::string text;
  std::vector<Input> inputs;     // the values read, in full
  std::vector<double> flows;     // the cash-flow list read, in full (NPV, IRR, MIRR)
  bool beginning = false;        // payments due at the beginning of each period
  bool constant = false;         // a keypad operation in constant mode
  int decimals = -1;             // the decimal places the result was shown with; -1 when none
  std::optional<double> result;  // the full result; none when the calculation failed
  std::string shown;             // the result as the display showed it
  std::string message;           // the message the calculation ended in, when it failed
  friend bool operator==(const Entry&, const Entry&) = default;
};

}  // namespace vantro::core::tape
