#pragma once
// The main window's fields read for the analysis window, which answers a missing or unusable
// input with a sentence in place of a result, never with a message box.

#include <optional>
#include <stdexcept>
#include <string>

namespace vantro::ui::analysis {

// Why an input cannot be used, as a plain sentence for the window.
class InputProblem : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The fields' captions, as the main window labels them.
inline constexpr const char* kInterestCaption = "Interest";
inline constexpr const char* kPeriodsCaption = "NPer";
inline constexpr const char* kPresentValueCaption = "Present Value";
inline constexpr const char* kFutureValueCaption = "Future Value";
inline constexpr const char* kPaymentCaption = "Payment";
inline constexpr const char* kReinvestCaption = "Reinvest Rate";

enum class FieldKind {
  Percent,  // a rate typed in percent, read as a fraction; "8/12" and "30*12" as the fields do
  Count,    // a number of periods, "30*12" allowed
  Money,    // an amount, by its leading number
};

// The field's value; nothing for an empty field. Throws InputProblem naming the field when its
// text is no number the commands could use.
std::optional<double> readField(const std::string& text, FieldKind kind, const char* caption);

// The same for a field that must not be empty: `need` says what for ("the schedule").
double requireField(const std::string& text, FieldKind kind, const char* caption, const char* need);

// An amount with `decimalPlaces` places, as the fields show results.
std::string formatAmount(double value, int decimalPlaces);
// A rate given as a fraction, in percent with `decimalPlaces` places: "7.25 %".
std::string formatPercent(double rate, int decimalPlaces);

}  // namespace vantro::ui::analysis
