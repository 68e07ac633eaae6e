#include "ui/wiring.h"

#include <array>

#include "ui/form1.h"

namespace vantro::ui {

namespace {

using F = ::vantro::ui::Form1;  // before the enumerator Form1 hides the class's name
using enum ControlId;

constexpr Wire kWiring[] = {
    {Form1, Event::Load, &F::Form_Load},
    {Form1, Event::Unload, &F::Form_Unload},
    {Form1, Event::KeyDown, &F::Form_KeyDown},
    {MenuExit, Event::Click, &F::MenuExit_Click},
    {MenuCut, Event::Click, &F::MenuCut_Click},
    {MenuCopy, Event::Click, &F::MenuCopy_Click},
    {MenuPaste, Event::Click, &F::MenuPaste_Click},
    {MenuLicenseAgreement, Event::Click, &F::MenuLicenseAgreement_Click},
    {MenuHelpTopics, Event::Click, &F::MenuHelpTopics_Click},
    {MenuAbout, Event::Click, &F::MenuAbout_Click},
    {MenuLoanSchedule, Event::Click, &F::MenuLoanSchedule_Click},
    {MenuCashFlowProfile, Event::Click, &F::MenuCashFlowProfile_Click},
    {Toolbar1, Event::ButtonClick, &F::Toolbar1_ButtonClick},

    {Text1, Event::GotFocus, &F::Text1_GotFocus},
    {Text1, Event::LostFocus, &F::Text1_LostFocus},
    {Text1, Event::KeyPress, &F::Text1_KeyPress},
    {Text1, Event::KeyDown, &F::Text1_KeyDown},

    {TextN, Event::GotFocus, &F::TextN_GotFocus},
    {TextInterest, Event::GotFocus, &F::TextInterest_GotFocus},
    {TextPV, Event::GotFocus, &F::TextPV_GotFocus},
    {TextFV, Event::GotFocus, &F::TextFV_GotFocus},
    {TextPMT, Event::GotFocus, &F::TextPMT_GotFocus},
    {TextPer, Event::GotFocus, &F::TextPer_GotFocus},
    {TextDecimal, Event::GotFocus, &F::TextDecimal_GotFocus},
    {TextDecimal, Event::LostFocus, &F::TextDecimal_LostFocus},
    {TextN, Event::KeyPress, &F::TextN_KeyPress},
    {TextInterest, Event::KeyPress, &F::TextInterest_KeyPress},
    {TextPV, Event::KeyPress, &F::TextPV_KeyPress},
    {TextFV, Event::KeyPress, &F::TextFV_KeyPress},
    {TextPMT, Event::KeyPress, &F::TextPMT_KeyPress},
    {TextPer, Event::KeyPress, &F::TextPer_KeyPress},
    {TextDecimal, Event::KeyPress, &F::TextDecimal_KeyPress},
    {CheckPayment, Event::Click, &F::CheckPayment_Click},
    {CommandClear, Event::Click, &F::CommandClear_Click},

    {CommandCF, Event::Click, &F::CommandCF_Click},
    {TextCF, Event::GotFocus, &F::TextCF_GotFocus},
    {TextCF, Event::LostFocus, &F::TextCF_LostFocus},
    {TextCF, Event::KeyPress, &F::TextCF_KeyPress},
    {TextCF, Event::KeyUp, &F::TextCF_KeyUp},
    {TextCF, Event::MouseUp, &F::TextCF_MouseUp},
    {CommandNPV, Event::Click, &F::CommandNPV_Click},
    {CommandIRR, Event::Click, &F::CommandIRR_Click},
    {CommandMIRR, Event::Click, &F::CommandMIRR_Click},

    {CommandN, Event::Click, &F::CommandN_Click},
    {CommandInterest, Event::Click, &F::CommandInterest_Click},
    {CommandPV, Event::Click, &F::CommandPV_Click},
    {CommandFV, Event::Click, &F::CommandFV_Click},
    {CommandPMT, Event::Click, &F::CommandPMT_Click},
    {CommandPPMT, Event::Click, &F::CommandPPMT_Click},
    {CommandIPMT, Event::Click, &F::CommandIPMT_Click},
    {CommandPrincipal, Event::Click, &F::CommandPrincipal_Click},
    {CommandInterestPaid, Event::Click, &F::CommandInterestPaid_Click},
    {CommandBalance, Event::Click, &F::CommandBalance_Click},
    {CommandEffect, Event::Click, &F::CommandEffect_Click},
    {CommandNominal, Event::Click, &F::CommandNominal_Click},

    {Num0Command, Event::Click, &F::Num0Command_Click},
    {Num1Command, Event::Click, &F::Num1Command_Click},
    {Num2Command, Event::Click, &F::Num2Command_Click},
    {Num3Command, Event::Click, &F::Num3Command_Click},
    {Num4Command, Event::Click, &F::Num4Command_Click},
    {Num5Command, Event::Click, &F::Num5Command_Click},
    {Num6Command, Event::Click, &F::Num6Command_Click},
    {Num7Command, Event::Click, &F::Num7Command_Click},
    {Num8Command, Event::Click, &F::Num8Command_Click},
    {Num9Command, Event::Click, &F::Num9Command_Click},
    {NumDotCommand, Event::Click, &F::NumDotCommand_Click},
    {NumSignCommand, Event::Click, &F::NumSignCommand_Click},
    {CommandBackSpace, Event::Click, &F::CommandBackSpace_Click},

    {NumPlusCommand, Event::Click, &F::NumPlusCommand_Click},
    {NumMinusCommand, Event::Click, &F::NumMinusCommand_Click},
    {NumMULCommand, Event::Click, &F::NumMULCommand_Click},
    {NumDivCommand, Event::Click, &F::NumDivCommand_Click},
    {NumEqCommand, Event::Click, &F::NumEqCommand_Click},

    {NumSqRtCommand, Event::Click, &F::NumSqRtCommand_Click},
    {NumSquareCommand, Event::Click, &F::NumSquareCommand_Click},
    {CommandInvertX, Event::Click, &F::CommandInvertX_Click},

    {NumMCommand, Event::Click, &F::NumMCommand_Click},
    {NumMPlusCommand, Event::Click, &F::NumMPlusCommand_Click},
    {NumMMinusCommand, Event::Click, &F::NumMMinusCommand_Click},
    {NumMRCommand, Event::Click, &F::NumMRCommand_Click},
    {NumMCCommand, Event::Click, &F::NumMCCommand_Click},

    {NumACCommand, Event::Click, &F::NumACCommand_Click},
    {NumCCommand, Event::Click, &F::NumCCommand_Click},
};

constexpr int kEventCount = static_cast<int>(Event::ButtonClick) + 1;

// The table, indexed by control and event, for a look-up per event.
using Index = std::array<std::array<const Wire*, kEventCount>, kControlCount>;

const Index& index() {
  static const Index table = [] {
    Index built{};
    for (const Wire& wire : kWiring)
      built[static_cast<int>(wire.control)][static_cast<int>(wire.event)] = &wire;
    return built;
  }();
  return table;
}

const Wire* find(ControlId control, Event event) {
  return index()[static_cast<int>(control)][static_cast<int>(event)];
}

}  // namespace

std::span<const Wire> wiring() {
  return kWiring;
}

bool hasHandler(ControlId control, Event event) {
  return find(control, event) != nullptr;
}

void raise(F& form, ControlId control, Event event) {
  if (const Wire* wire = find(control, event))
    if (auto* handler = std::get_if<PlainHandler>(&wire->handler)) (form.**handler)();
}

void raiseKeyPress(F& form, ControlId control, int& keyAscii) {
  if (const Wire* wire = find(control, Event::KeyPress))
    if (auto* handler = std::get_if<KeyPressHandler>(&wire->handler)) (form.**handler)(keyAscii);
}

static void raiseKey(F& form, ControlId control, Event event, int keyCode, int shift) {
  if (const Wire* wire = find(control, event))
    if (auto* handler = std::get_if<KeyHandler>(&wire->handler)) (form.**handler)(keyCode, shift);
}

void raiseKeyDown(F& form, ControlId control, int keyCode, int shift) {
  raiseKey(form, control, Event::KeyDown, keyCode, shift);
}

void raiseKeyUp(F& form, ControlId control, int keyCode, int shift) {
  raiseKey(form, control, Event::KeyUp, keyCode, shift);
}

void raiseMouseUp(F& form, ControlId control, int button, int shift, double x, double y) {
  if (const Wire* wire = find(control, Event::MouseUp))
    if (auto* handler = std::get_if<MouseHandler>(&wire->handler))
      (form.**handler)(button, shift, x, y);
}

void raiseButtonClick(F& form, ControlId control, const std::string& key) {
  if (const Wire* wire = find(control, Event::ButtonClick))
    if (auto* handler = std::get_if<ButtonHandler>(&wire->handler)) (form.**handler)(key);
}

}  // namespace vantro::ui
