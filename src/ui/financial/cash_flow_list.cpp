// The cash-flow list: a panel that unrolls under the cash-flow key while its box has the focus,
// the line number of the caret, the keys the box accepts, and reading the list.

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/cash_flow_text.h"
#include "core/fixed_format.h"
#include "core/text_edit.h"
#include "ui/form1.h"
#include "ui/keys.h"
#include "ui/module1.h"

namespace vantro::ui {

namespace {

// The roll: this many frames of this length, about a quarter of a second in all.
constexpr int kRollFrames = 12;
constexpr int kRollFrameMilliseconds = 20;

}  // namespace

// The panel grows from nothing to its height in a fixed number of frames, letting the window
// repaint between them; each frame's height is a fraction of the whole, so that whole-pixel
// rounding neither stalls the roll nor adds frames. A click on the cash-flow key during the roll
// starts a roll of its own to the height reached so far; the outer roll then goes on to the full
// height.
void Form1::CommandCF_Click() {
  const int target = c_.Frame1.height();
  c_.Frame1.setHeight(0);
  c_.Frame1.setVisible(true);
  for (int frame = 1; frame <= kRollFrames && c_.Frame1.height() < target; ++frame) {
    c_.Pump.processEvents(kRollFrameMilliseconds);
    c_.Frame1.setHeight(static_cast<int>(std::int64_t{target} * frame / kRollFrames));
  }
  c_.Frame1.setHeight(target);
  c_.TextCF.setFocus();
}

void Form1::TextCF_GotFocus() {
  ShowCashFlowLine();
  c_.Frame1.setVisible(true);
  s_.ActiveField = kFieldCF;
}

void Form1::TextCF_LostFocus() {
  c_.Form1.setKeyPreview(true);
  c_.Frame1.setVisible(false);
}

void Form1::TextCF_KeyPress(int& keyAscii) {
  const bool digit = keyAscii >= '0' && keyAscii <= '9';
  const bool accepted = digit || keyAscii == '.' || keyAscii == '$' || keyAscii == '-' ||
                        keyAscii == keys::kBackspace || keyAscii == keys::kLineFeed ||
                        keyAscii == keys::kEnter;
  if (!accepted) keyAscii = 0;
}

void Form1::TextCF_KeyUp(int /*keyCode*/, int /*shift*/) {
  ShowCashFlowLine();
}

void Form1::TextCF_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
  ShowCashFlowLine();
}

// Line numbers count CRs, which end every line of the box; a list may have any number of them.
void Form1::ShowCashFlowLine() {
  const std::string before = core::leftChars(c_.TextCF.text(), c_.TextCF.selStart());
  const auto line = 1 + std::count(before.begin(), before.end(), '\r');
  std::string caption = " ";  // the sign's place
  caption += std::to_string(line);
  c_.LabelLineNum.setCaption(caption);
}

void Form1::ParseCashFlows(const std::string& text) {
  core::CashFlowList list = core::parseCashFlows(text, module_.app().numberLocale(),
                                                 core::decimalPlacesOf(s_.NumberFormat));
  s_.CashFlows = std::move(list.values);
  c_.TextCF.setText(list.text);
}

// The normalised list would drop every line the reader could not use, the very lines the
// user is asked to correct.
void Form1::ShowCashFlowError(const std::string& written, const char* syntaxLine,
                              bool askForEstimate) {
  c_.TextCF.setText(written);
  ShowInputError(syntaxLine, askForEstimate);
  CommandCF_Click();
}

}  // namespace vantro::ui
