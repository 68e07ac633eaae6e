// How every financial command shows its result or its failure.

#include "core/fixed_format.h"
#include "ui/form1.h"
#include "ui/module1.h"

namespace vantro::ui {

namespace {
constexpr const char* kInputError = "Error! Please verify your input parameters.";
constexpr const char* kAskForEstimate = "Or provide your estimate Rate.";
}  // namespace

std::string Form1::FormatResult(double value) const {
  return core::formatFixed(value, core::decimalPlacesOf(s_.NumberFormat));
}

void Form1::ShowSolvedField(TextBox& box, double value, const char* status) {
  box.setText(FormatResult(value));
  c_.Text1.setText(box.text());
  c_.Label4.setCaption(status);
  if (calculation_) calculation_->shown = box.text();
  box.setFocus();
}

void Form1::ShowDisplayResult(double value, const char* status) {
  c_.Text1.setText(FormatResult(value));
  c_.Label4.setCaption(status);
  if (calculation_) calculation_->shown = c_.Text1.text();
  c_.Text1.setFocus();
}

void Form1::ShowInputError(const char* syntaxLine, bool askForEstimate) {
  std::string text = kInputError;
  text += "\r\n";
  if (askForEstimate) {
    text += kAskForEstimate;
    text += "\r\n";
  }
  text += syntaxLine;
  if (calculation_) calculation_->message = text;  // before the box, which may run other events
  module_.messages().show(text);
}

int Form1::PaymentDueCode() const {
  return c_.CheckPayment.value() == 0 ? 0 : 1;
}

}  // namespace vantro::ui
