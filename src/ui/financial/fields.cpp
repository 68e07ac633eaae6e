// The financial entry boxes: entering one selects its text and makes it the box the keypad
// types into; each box lets through only the keys its number can hold.

#include <cmath>
#include <cstdint>
#include <string>

#include "core/fixed_format.h"
#include "core/number_text.h"
#include "core/text_edit.h"
#include "ui/form1.h"
#include "ui/keys.h"
#include "ui/module1.h"

namespace vantro::ui {

namespace {

bool contains(const std::string& text, char c) {
  return text.find(c) != std::string::npos;
}

std::string decimalPlacesMessage() {
  return "Decimal Place can be at most " + std::to_string(core::kMaxDecimalPlaces) +
         "; results are shown with " + std::to_string(core::kMaxDecimalPlaces) + " decimal places.";
}

}  // namespace

void Form1::SelectAllOnFocus(TextBox& box, ActiveFieldCode code) {
  box.setSelStart(0);
  box.setSelLength(core::charCount(box.text()));
  s_.ActiveField = code;
}

void Form1::TextN_GotFocus() {
  SelectAllOnFocus(c_.TextN, financial::kNPer.code);
}
void Form1::TextInterest_GotFocus() {
  SelectAllOnFocus(c_.TextInterest, financial::kInterest.code);
}
void Form1::TextPV_GotFocus() {
  SelectAllOnFocus(c_.TextPV, financial::kPresentValue.code);
}
void Form1::TextFV_GotFocus() {
  SelectAllOnFocus(c_.TextFV, financial::kFutureValue.code);
}
void Form1::TextPMT_GotFocus() {
  SelectAllOnFocus(c_.TextPMT, financial::kPayment.code);
}
void Form1::TextPer_GotFocus() {
  SelectAllOnFocus(c_.TextPer, financial::kPeriod.code);
}

void Form1::TextDecimal_GotFocus() {
  c_.TextDecimal.setSelStart(0);
  c_.TextDecimal.setSelLength(core::charCount(c_.TextDecimal.text()));
}

void Form1::TextDecimal_LostFocus() {
  // Rounded half to even, as the count is a 16-bit whole number.
  const double places = std::nearbyint(core::leadingNumberValue(c_.TextDecimal.text()));
  if (places > core::kMaxDecimalPlaces) {
    s_.NumberFormat = core::numberFormatPattern(core::kMaxDecimalPlaces);
    c_.TextDecimal.setText(std::to_string(core::kMaxDecimalPlaces));
    module_.messages().show(decimalPlacesMessage());
    return;
  }
  s_.NumberFormat = core::numberFormatPattern(places > 0 ? static_cast<int>(places) : 0);
}

// Each key is judged against the text as it will be once the key replaces the selection: a box
// selects its text when it takes the focus, so typing over a selection is the usual case. A
// minus typed over the whole text starts a negative number; elsewhere it changes the sign.
void Form1::FilterFieldKey(TextBox& box, int& keyAscii, financial::KeyRules rules) {
  if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == keys::kBackspace) return;
  const std::string text = box.text();
  const int start = box.selStart();
  const int selected = box.selLength();
  const std::string kept =
      selected == 0 ? text : core::leftChars(text, start) + core::charsFrom(text, start + selected);
  if (keyAscii == '.' && rules.decimalPoint && !contains(kept, '.')) return;
  if ((keyAscii == '/' || keyAscii == '*') && rules.productOrQuotient && !contains(kept, '/') &&
      !contains(kept, '*'))
    return;
  const bool minus = keyAscii == '-';
  if (minus && rules.signKey && selected > 0 && kept.empty()) return;
  keyAscii = 0;
  if (minus && rules.signKey) NumSignCommand_Click();
}

void Form1::TextN_KeyPress(int& keyAscii) {
  FilterFieldKey(c_.TextN, keyAscii, financial::kNPer.keys);
}
void Form1::TextInterest_KeyPress(int& keyAscii) {
  FilterFieldKey(c_.TextInterest, keyAscii, financial::kInterest.keys);
}
void Form1::TextPer_KeyPress(int& keyAscii) {
  FilterFieldKey(c_.TextPer, keyAscii, financial::kPeriod.keys);
}
void Form1::TextPV_KeyPress(int& keyAscii) {
  FilterFieldKey(c_.TextPV, keyAscii, financial::kPresentValue.keys);
}
void Form1::TextFV_KeyPress(int& keyAscii) {
  FilterFieldKey(c_.TextFV, keyAscii, financial::kFutureValue.keys);
}
void Form1::TextPMT_KeyPress(int& keyAscii) {
  FilterFieldKey(c_.TextPMT, keyAscii, financial::kPayment.keys);
}
void Form1::TextDecimal_KeyPress(int& keyAscii) {
  FilterFieldKey(c_.TextDecimal, keyAscii, financial::kDecimalPlacesKeys);
}

void Form1::CheckPayment_Click() {
  c_.CheckPayment.setCaption(c_.CheckPayment.value() == 0 ? "Payment At End Period"
                                                          : "Payment At Begin Period");
  c_.Text1.setFocus();
}

void Form1::CommandClear_Click() {
  for (TextBox* box :
       {&c_.TextN, &c_.TextInterest, &c_.TextPV, &c_.TextFV, &c_.TextPMT, &c_.TextPer, &c_.TextCF})
    box->setText("");
  c_.LabelLineNum.setCaption("");
  c_.Text1.setFocus();
}

}  // namespace vantro::ui
