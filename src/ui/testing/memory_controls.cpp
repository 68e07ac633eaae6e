#include "ui/testing/memory_controls.h"

#include <algorithm>

#include "core/text_edit.h"
#include "ui/keys.h"
#include "ui/testing/memory_window.h"

namespace vantro::ui::testing {

using core::charCount;
using core::charsFrom;
using core::leftChars;

int MemoryTextBox::length() const {
  return charCount(text_);
}

void MemoryTextBox::setText(const std::string& text) {
  text_ = charCount(text) > kMaxLength ? leftChars(text, kMaxLength) : text;
  selStart_ = 0;
  selLength_ = 0;
}

void MemoryTextBox::setSelStart(int position) {
  selStart_ = std::clamp(position, 0, length());
  selLength_ = 0;
}

void MemoryTextBox::setSelLength(int length) {
  selLength_ = std::clamp(length, 0, this->length() - selStart_);
}

std::string MemoryTextBox::selectedText() const {
  return leftChars(charsFrom(text_, selStart_), selLength_);
}

void MemoryTextBox::setSelectedText(const std::string& text) {
  std::string kept = leftChars(text_, selStart_);
  const std::string rest = charsFrom(text_, selStart_ + selLength_);
  const int room = kMaxLength - charCount(kept) - charCount(rest);
  const std::string inserted = leftChars(text, std::max(room, 0));
  text_ = kept + inserted + rest;
  selStart_ += charCount(inserted);
  selLength_ = 0;
}

void MemoryTextBox::setFocus() {
  window_.focus(id_);
}

void MemoryTextBox::acceptCharacter(int keyAscii) {
  if (keyAscii == keys::kBackspace) {
    if (selLength_ == 0) {
      if (selStart_ == 0) return;
      --selStart_;
      selLength_ = 1;
    }
    setSelectedText("");
    return;
  }
  if (keyAscii < 32 || keyAscii > 126) return;  // the tests type ASCII only
  setSelectedText(std::string(1, static_cast<char>(keyAscii)));
}

void MemoryTextBox::acceptKey(int keyCode) {
  switch (keyCode) {
    case keys::vkLeft:
      setSelStart(selLength_ > 0 ? selStart_ : selStart_ - 1);
      break;
    case keys::vkRight:
      setSelStart(selLength_ > 0 ? selStart_ + selLength_ : selStart_ + 1);
      break;
    case 36:  // Home
      setSelStart(0);
      break;
    case 35:  // End
      setSelStart(length());
      break;
    case keys::vkDelete:
      if (selLength_ == 0 && selStart_ < length()) selLength_ = 1;
      setSelectedText("");
      break;
    default:
      break;
  }
}

}  // namespace vantro::ui::testing
