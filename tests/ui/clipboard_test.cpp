// What another program may leave on the clipboard (megabytes, NUL characters, binary data)
// pastes or is refused while the window goes on working.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "form_fixture.h"

namespace vantro::test {
namespace {

std::string randomBytes(std::size_t count) {
  std::mt19937 random(7);
  std::string bytes(count, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

TEST(Clipboard, HugeOrBinaryTextPastesOrIsRefusedAndTheWindowGoesOn) {
  const std::string megabyteOfDigits(1 << 20, '7');
  std::string megabyteOfLines;
  while (megabyteOfLines.size() < megabyteOfDigits.size()) megabyteOfLines += "-1000\r\n300\r\n";
  const std::string withNul(
      "12\0"
      "34",
      5);
  struct Case {
    ControlId box;
    std::string clipboard;
    std::size_t shownLength;  // of the box's text afterwards
  };
  const Case cases[] = {
      {ControlId::Text1, megabyteOfDigits, 32767},  // a single-line box's limit, then cut off
      {ControlId::TextPV, withNul, 0},              // not a number
      {ControlId::TextPV, randomBytes(1 << 20), 0},
      {ControlId::TextCF, withNul, withNul.size()},  // the list takes any text
      // A line longer than an editor lays out at once is refused; a megabyte of lines goes in.
      {ControlId::TextCF, megabyteOfDigits + "\r\n-1", 0},
      {ControlId::TextCF, megabyteOfLines, megabyteOfLines.size()},
      {ControlId::TextCF, std::string(1000, '\t') + "-5\r1\n2\r\n", 1010},  // CR LF ends each line
      {ControlId::TextPV, "1\t2", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(ui::controlInfo(c.box).name));
    LoadedForm f;
    if (c.box == ControlId::TextCF)
      f.window.click(ControlId::CommandCF);
    else
      f.window.textBox(c.box).setText("");
    f.window.focus(c.box);
    f.window.clipboard().setText(c.clipboard);
    f.window.click(ControlId::MenuPaste);
    EXPECT_EQ(f.window.text(c.box).size(), c.shownLength);
    // The commands read what was pasted and answer in their usual ways.
    f.window.click(ControlId::NumEqCommand);
    f.window.click(ControlId::CommandNPV);
    EXPECT_LE(f.messages.shown.size(), 1u);
  }
}

}  // namespace
}  // namespace vantro::test
