#pragma once
// The financial entry fields, every fact about them in one place: the box, its code as the
// keypad's active field, its caption, the kind of number it holds and the keys it takes. The
// window's layout, the readers, the key filter and the analysis window take them from here.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

#include "ui/control_id.h"

namespace vantro::ui {

// Which entry box had the focus last: the box the keypad types into.
enum ActiveFieldCode : std::int16_t {
  kFieldText1 = 0,
  kFieldN = 1,
  kFieldInterest = 2,
  kFieldPV = 3,
  kFieldFV = 4,
  kFieldPMT = 5,
  kFieldPer = 6,
  kFieldCF = 7,
};

namespace financial {

enum class NumberKind {
  Percent,  // a rate typed in percent, read as a fraction; "8/12" as a monthly rate
  Count,    // a number of periods, "30*12" as a count of months
  Money,    // an amount, by its leading number
};

// The keys a field takes besides the digits and Backspace.
struct KeyRules {
  bool decimalPoint = false;       // one "."
  bool productOrQuotient = false;  // one "*" or "/"
  // "-" typed over the whole text starts a negative number; elsewhere it changes the sign.
  bool signKey = false;
};

struct EntryField {
  ControlId id;
  ActiveFieldCode code;
  const char* caption;  // as the window labels the field and the analysis window names it
  NumberKind kind;
  KeyRules keys;
};

inline constexpr EntryField kNPer{ControlId::TextN,
                                  kFieldN,
                                  "NPer",
                                  NumberKind::Count,
                                  {.decimalPoint = true, .productOrQuotient = true}};
inline constexpr EntryField kInterest{
    ControlId::TextInterest,
    kFieldInterest,
    "Interest",
    NumberKind::Percent,
    {.decimalPoint = true, .productOrQuotient = true, .signKey = true}};
inline constexpr EntryField kPresentValue{ControlId::TextPV,
                                          kFieldPV,
                                          "Present Value",
                                          NumberKind::Money,
                                          {.decimalPoint = true, .signKey = true}};
inline constexpr EntryField kFutureValue{ControlId::TextFV,
                                         kFieldFV,
                                         "Future Value",
                                         NumberKind::Money,
                                         {.decimalPoint = true, .signKey = true}};
inline constexpr EntryField kPayment{ControlId::TextPMT,
                                     kFieldPMT,
                                     "Payment",
                                     NumberKind::Money,
                                     {.decimalPoint = true, .signKey = true}};
// The period of a payment's parts, or MIRR's reinvestment rate (read then as a percent).
inline constexpr EntryField kPeriod{
    ControlId::TextPer,
    kFieldPer,
    "Per / Reinvest Rate",
    NumberKind::Count,
    {.decimalPoint = true, .productOrQuotient = true, .signKey = true}};

inline constexpr EntryField kEntryFields[] = {kNPer,        kInterest, kPresentValue,
                                              kFutureValue, kPayment,  kPeriod};

// Each field once, by its box and by its code.
static_assert([] {
  for (std::size_t i = 0; i < std::size(kEntryFields); ++i) {
    for (std::size_t j = i + 1; j < std::size(kEntryFields); ++j) {
      if (kEntryFields[i].id == kEntryFields[j].id || kEntryFields[i].code == kEntryFields[j].code)
        return false;
    }
  }
  return true;
}());

// The decimal places box takes a whole number of places only.
inline constexpr KeyRules kDecimalPlacesKeys{};

// The field whose active-field code is `code`; null for the display and the cash-flow list.
constexpr const EntryField* entryFieldOf(int code) {
  for (const EntryField& field : kEntryFields) {
    if (field.code == code) return &field;
  }
  return nullptr;
}

// The number a field's text holds as a kind of number: a rate as a fraction, a count, money.
// Throws (ArithmeticError) on what no command can use.
double readNumber(const std::string& text, NumberKind kind);

}  // namespace financial
}  // namespace vantro::ui
