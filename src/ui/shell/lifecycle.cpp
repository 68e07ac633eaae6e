// Loading the main window and the two ways out of the program.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "ui/form1.h"
#include "ui/module1.h"

namespace vantro::ui {

namespace {

constexpr int kOuterHeightTwips = 8100;

// The window's top position as a 16-bit value, rounded half to even. A top beyond that range
// (only reachable on a very tall virtual desktop) is pinned to its end.
std::int16_t topAs16Bit(double top) {
  const double rounded = std::nearbyint(top);
  if (!(rounded >= INT16_MIN)) return INT16_MIN;
  return static_cast<std::int16_t>(std::min<double>(rounded, INT16_MAX));
}

}  // namespace

Form1::Form1(const Form1Controls& controls, Module1& module) : c_(controls), module_(module) {}

void Form1::Form_Load() {
  core::SettingsValues& settings = module_.values();
  settings.xPosition = static_cast<float>(c_.Form1.left());
  settings.yPosition = topAs16Bit(c_.Form1.top());
  module_.ReadSettings();
  c_.Form1.move(settings.xPosition, settings.yPosition);
  c_.Form1.setOuterHeight(kOuterHeightTwips);
  module_.setHelpFile(module_.HelpFilePath());

  c_.Label1.setCaption("");
  c_.Label2.setCaption("");
  c_.Label3.setCaption("");
  c_.Label4.setCaption("");
  s_.MemoryValue = 0;
  s_.Accumulator = 0;
  s_.ConstantOperand = 0;
  s_.NewEntry = false;
  c_.Text1.setText("0");
  c_.Text1.setSelStart(1);
  s_.PendingOperator.clear();
  c_.Form1.setKeyPreview(true);
  c_.Frame1.setVisible(false);
  s_.ActiveField = kFieldText1;
  c_.CheckPayment.setValue(0);
  s_.NumberFormat = "0.00";
  c_.TextDecimal.setText("2");
}

void Form1::Form_Unload() {
  module_.WriteSettings(c_.Form1);
  module_.app().endNow();
}

void Form1::MenuExit_Click() {
  module_.WriteSettings(c_.Form1);
  module_.app().endNow();
}

}  // namespace vantro::ui
