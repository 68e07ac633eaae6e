// The keypad's entry keys: digits, decimal point, sign and backspace. They type into the
// entry box used last, at its caret, and give that box the focus back.

#include <string>

#include "core/number_text.h"
#include "core/text_edit.h"
#include "ui/form1.h"

namespace vantro::ui {

namespace {

bool contains(const std::string& text, const char* what) {
  return text.find(what) != std::string::npos;
}

std::string trimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void Form1::RouteKey(const std::string& keyText) {
  if (s_.ActiveField == kFieldText1) {
    SetCursorPos(c_.Text1.selStart());
    EnterDigit(keyText);
    FocusAtCaret(c_.Text1, s_.CursorPos + 1);
  } else if (TextBox* box = EntryBox(s_.ActiveField)) {
    SetCursorPos(box->selStart());
    box->setText(AppendNumeric(box->text(), keyText));
    FocusAtCaret(*box, s_.CursorPos + 1);
  } else {
    c_.Text1.setFocus();
  }
}

void Form1::EnterDigit(const std::string& digitText) {
  if (s_.NewEntry) NewNumberStep(true, true);
  c_.Text1.setText(AppendNumeric(c_.Text1.text(), digitText));
  c_.Label4.setCaption("");
}

// A lone zero (or a text without a number, a point or a sign) is replaced, so that 5 on "0"
// gives 5 and not 05; anything else gets the digits inserted at CursorPos.
std::string Form1::AppendNumeric(const std::string& TextBox, const std::string& num) const {
  if (contains(TextBox, ".") || core::leadingNumberValue(TextBox) != 0 || contains(TextBox, "-"))
    return core::insertAt(TextBox, s_.CursorPos, num);
  return num;
}

std::string Form1::AppendDot(const std::string& TextBox) {
  if (contains(TextBox, ".")) {
    SetCursorPos(s_.CursorPos - 1);  // the caller's + 1 leaves the caret where it was
    return TextBox;
  }
  std::string result;
  if (core::leadingNumberValue(TextBox) == 0) {
    if (s_.ActiveField == kFieldText1) {
      EnterDigit("0.");
      result = c_.Text1.text();
    } else {
      result = "0.";
    }
    SetCursorPos(s_.CursorPos + 1);
  } else if (s_.ActiveField == kFieldText1) {
    EnterDigit(".");
    result = c_.Text1.text();
  } else {
    result = AppendNumeric(TextBox, ".");
  }
  return result;
}

void Form1::NumDotCommand_Click() {
  if (s_.ActiveField == kFieldText1) {
    SetCursorPos(c_.Text1.selStart());
    if (s_.NewEntry) {
      EnterDigit("0.");
      SetCursorPos(s_.CursorPos + 1);
    } else {
      c_.Text1.setText(AppendDot(c_.Text1.text()));
    }
    FocusAtCaret(c_.Text1, s_.CursorPos + 1);
  } else if (TextBox* box = EntryBox(s_.ActiveField)) {
    SetCursorPos(box->selStart());
    box->setText(AppendDot(box->text()));
    FocusAtCaret(*box, s_.CursorPos + 1);
  } else {
    c_.Text1.setFocus();
  }
}

void Form1::NumSignCommand_Click() {
  TextBox* box = EntryBox(s_.ActiveField);
  const financial::EntryField* field = financial::entryFieldOf(s_.ActiveField);
  if (field && !field->keys.signKey) {  // a number of periods has no sign
    ReturnFocus(*box);
    return;
  }
  if (!box) {
    c_.Text1.setFocus();
    return;
  }
  const bool display = s_.ActiveField == kFieldText1;
  SetCursorPos(box->selStart());
  if (display && s_.NewEntry) NewNumberStep(false, false);
  const std::string text = box->text();
  int caret;
  // Only a leading minus makes the number negative: the exponent of a result such as
  // 1.5E-05 carries a minus sign too, and removing the first character there would mangle it.
  if (text.starts_with('-')) {
    const std::string unsigned_ = core::charsFrom(text, 1);
    box->setText(unsigned_);
    caret = (s_.CursorPos != 0 && !unsigned_.empty()) ? s_.CursorPos - 1 : 0;
  } else {
    std::string negative = trimSpaces(text);
    negative.insert(negative.begin(), '-');
    box->setText(negative);
    caret = s_.CursorPos + 1;
  }
  FocusAtCaret(*box, caret);
  if (display) c_.Label4.setCaption("");
}

void Form1::CommandBackSpace_Click() {
  TextBox* box = EntryBox(s_.ActiveField);
  if (!box) return;
  const bool display = s_.ActiveField == kFieldText1;
  if (display && s_.NewEntry) NewNumberStep(false, false);
  const int p = box->selStart();
  if (p > 0) box->setText(TextRightShift(box->text(), p));
  if (display) c_.Label4.setCaption("");
  FocusAtCaret(*box, p > 0 ? p - 1 : 0);
}

std::string Form1::TextRightShift(const std::string& TextBox, int CursorPos) {
  if (TextBox.empty()) return TextBox;
  return core::leftChars(TextBox, CursorPos - 1) + core::charsFrom(TextBox, CursorPos);
}

}  // namespace vantro::ui
