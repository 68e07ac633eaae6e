#pragma once
// The main window's fields read for the analysis window, which answers a missing or unusable
// input with a sentence in place of a result, never with a message box.

#include <optional>
#include <stdexcept>
#include <string>

#include "core/finance/finance.h"
#include "core/number_text.h"
#include "ui/financial/entry_fields.h"

namespace vantro::ui::analysis {

// Why an input cannot be used, as a plain sentence for the window.
class InputProblem : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The Per field read as MIRR's reinvestment rate.
inline constexpr const char* kReinvestCaption = "Reinvest Rate";

using financial::NumberKind;

// The field's value; nothing for an empty field. Throws InputProblem naming the field when its
// text is no number the commands could use.
std::optional<double> readField(const std::string& text, NumberKind kind, const char* caption);

// The same for a field that must not be empty: `need` says what for ("the schedule").
double requireField(const std::string& text, NumberKind kind, const char* caption,
                    const char* need);

// A rate in percent typed into one of the analysis window's own boxes, which, unlike the main
// window's fields, take any key: a number in the program's form or the locale's ("6,5" in
// German is 6.5, never 6), or a quotient or product as the Interest field takes them ("8/12").
// Nothing for a blank box; InputProblem naming the box for anything else.
std::optional<double> readBoxPercent(const std::string& text, const core::NumberLocale& locale,
                                     const char* caption);

// An amount with `decimalPlaces` places, as the fields show results.
std::string formatAmount(double value, int decimalPlaces);
// A rate given as a fraction, in percent with `decimalPlaces` places: "7.25 %".
std::string formatPercent(double rate, int decimalPlaces);

// The same for the sentences people read: the locale's decimal point and thousands separator
// ("1,234,567.50", "1.234.567,50"). Table cells, which are copied and saved, keep the plain
// forms above.
std::string readableAmount(double value, int decimalPlaces, const core::NumberLocale& locale);
std::string readablePercent(double rate, int decimalPlaces, const core::NumberLocale& locale);
// A figure's value, or the sentence that says why there is none: the input's problem,
// `atOrBelowMinusOne` for a rate the figure cannot take, `otherwise` for any other failure.
template <typename Compute>
std::string figureOrReason(Compute compute, const char* atOrBelowMinusOne, const char* otherwise) {
  try {
    return compute();
  } catch (const InputProblem& problem) {
    return problem.what();
  } catch (const core::finance::FinanceError& error) {
    using Reason = core::finance::FinanceError::Reason;
    return error.reason() == Reason::RateAtOrBelowMinusOne ? atOrBelowMinusOne : otherwise;
  }
}

// A count, or a fractional one, in its shortest exact form: "1,000,000", "360.5".
std::string readableCount(double count, const core::NumberLocale& locale);

// A sentence made of its pieces, appended in turn: "literal" + a string temporary would do the
// same, but GCC 12's optimiser reports a false -Wrestrict on it.
template <typename... Pieces>
std::string joined(const Pieces&... pieces) {
  std::string text;
  ((text += pieces), ...);
  return text;
}

}  // namespace vantro::ui::analysis
