#include "ui/testing/memory_controls.h"

#include <algorithm>
#include <limits>

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

int MemoryTextBox::maxLength() const {
  return multiLine_ ? std::numeric_limits<int>::max() : kMaxLength;
}

// A multi-line box ends every line with CR LF, as its Enter key does.
std::string MemoryTextBox::withLineEnds(std::string_view text) const {
  if (!multiLine_) return std::string(text);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// A position between the CR and the LF of a line end is the position before the line end.
int MemoryTextBox::outsideLineEnd(int position) const {
  if (multiLine_ && position > 0 && charsFrom(text_, position - 1).starts_with("\r\n"))
    return position - 1;
  return position;
}

// Arrow keys, Backspace and Delete take a line end as one character.
int MemoryTextBox::stepBack(int position) const {
  if (multiLine_ && position >= 2 && charsFrom(text_, position - 2).starts_with("\r\n"))
    return position - 2;
  return position - 1;
}

int MemoryTextBox::stepForward(int position) const {
  return position + (multiLine_ && charsFrom(text_, position).starts_with("\r\n") ? 2 : 1);
}

void MemoryTextBox::setText(const std::string& given) {
  const std::string text = withLineEnds(given);
  text_ = charCount(text) > maxLength() ? leftChars(text, maxLength()) : text;
  selStart_ = 0;
  selLength_ = 0;
}

void MemoryTextBox::setSelStart(int position) {
  selStart_ = outsideLineEnd(std::clamp(position, 0, length()));
  selLength_ = 0;
}

void MemoryTextBox::setSelLength(int length) {
  selLength_ =
      outsideLineEnd(selStart_ + std::clamp(length, 0, this->length() - selStart_)) - selStart_;
}

std::string MemoryTextBox::selectedText() const {
  return leftChars(charsFrom(text_, selStart_), selLength_);
}

void MemoryTextBox::setSelectedText(const std::string& text) {
  std::string kept = leftChars(text_, selStart_);
  const std::string rest = charsFrom(text_, selStart_ + selLength_);
  const int room = maxLength() - charCount(kept) - charCount(rest);
  const std::string inserted = leftChars(withLineEnds(text), std::max(room, 0));
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
      const int from = stepBack(selStart_);
      selLength_ = selStart_ - from;
      selStart_ = from;
    }
    setSelectedText("");
    return;
  }
  if (keyAscii == keys::kEnter && multiLine_) {
    setSelectedText("\r\n");
    return;
  }
  if (keyAscii < 32 || keyAscii > 126) return;  // the tests type ASCII only
  setSelectedText(std::string(1, static_cast<char>(keyAscii)));
}

void MemoryTextBox::acceptKey(int keyCode) {
  switch (keyCode) {
    case keys::vkLeft:
      setSelStart(selLength_ > 0 ? selStart_ : stepBack(selStart_));
      break;
    case keys::vkRight:
      setSelStart(selLength_ > 0 ? selStart_ + selLength_ : stepForward(selStart_));
      break;
    case 36:  // Home
      setSelStart(0);
      break;
    case 35:  // End
      setSelStart(length());
      break;
    case keys::vkDelete:
      if (selLength_ == 0 && selStart_ < length()) selLength_ = stepForward(selStart_) - selStart_;
      setSelectedText("");
      break;
    default:
      break;
  }
}

void MemoryEventPump::processEvents(int milliseconds) {
  waited_ += milliseconds;
  ++calls_;
  // Each action is taken off before it runs: it may process events (and so this call) itself.
  for (auto action = scheduled_.find(calls_); action != scheduled_.end() && action->first == calls_;
       action = scheduled_.find(calls_)) {
    const std::function<void()> run = std::move(action->second);
    scheduled_.erase(action);
    run();
  }
}

}  // namespace vantro::ui::testing
