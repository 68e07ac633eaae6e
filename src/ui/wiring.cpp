#include "ui/wiring.h"

#include <array>
#include <cstddef>
#include <span>
#include <tuple>
#include <type_traits>

#include "ui/form1.h"

namespace vantro::ui {

namespace {

using F = ::vantro::ui::Form1;  // before the enumerator Form1 hides the class's name
using enum ControlId;
using namespace events;

// Calls `handler` with the arguments the event of kind `Kind` carries.
template <typename Kind, auto handler>
void invoke(F& form, EventArgs& event) {
  std::apply([&form](auto&... arguments) { (form.*handler)(arguments...); },
             std::get<Kind>(event).arguments());
}

struct Wire {
  ControlId control;
  std::size_t kind;  // the event's position in EventArgs
  void (*invoke)(F& form, EventArgs& event);
};

template <typename Kind, auto handler>
constexpr Wire on(ControlId control) {
  static_assert(kEventKind<Kind> < kEventKindCount, "not a kind of event");
  static_assert(std::is_same_v<decltype(handler), typename Kind::Handler>,
                "the handler does not take the arguments of the event it answers");
  return {control, kEventKind<Kind>, &invoke<Kind, handler>};
}

constexpr Wire kWiring[] = {
    on<Load, &F::Form_Load>(Form1),
    on<Unload, &F::Form_Unload>(Form1),
    on<KeyDown, &F::Form_KeyDown>(Form1),
    on<Click, &F::MenuExit_Click>(MenuExit),
    on<Click, &F::MenuCut_Click>(MenuCut),
    on<Click, &F::MenuCopy_Click>(MenuCopy),
    on<Click, &F::MenuPaste_Click>(MenuPaste),
    on<Click, &F::MenuLicenseAgreement_Click>(MenuLicenseAgreement),
    on<Click, &F::MenuHelpTopics_Click>(MenuHelpTopics),
    on<Click, &F::MenuAbout_Click>(MenuAbout),
    on<Click, &F::MenuLoanSchedule_Click>(MenuLoanSchedule),
    on<Click, &F::MenuCashFlowProfile_Click>(MenuCashFlowProfile),
    on<Click, &F::MenuDatedCashFlows_Click>(MenuDatedCashFlows),
    on<Click, &F::MenuTape_Click>(MenuTape),
    on<ButtonClick, &F::Toolbar1_ButtonClick>(Toolbar1),

    on<GotFocus, &F::Text1_GotFocus>(Text1),
    on<LostFocus, &F::Text1_LostFocus>(Text1),
    on<KeyPress, &F::Text1_KeyPress>(Text1),
    on<KeyDown, &F::Text1_KeyDown>(Text1),

    on<GotFocus, &F::TextN_GotFocus>(TextN),
    on<GotFocus, &F::TextInterest_GotFocus>(TextInterest),
    on<GotFocus, &F::TextPV_GotFocus>(TextPV),
    on<GotFocus, &F::TextFV_GotFocus>(TextFV),
    on<GotFocus, &F::TextPMT_GotFocus>(TextPMT),
    on<GotFocus, &F::TextPer_GotFocus>(TextPer),
    on<GotFocus, &F::TextDecimal_GotFocus>(TextDecimal),
    on<LostFocus, &F::TextDecimal_LostFocus>(TextDecimal),
    on<KeyPress, &F::TextN_KeyPress>(TextN),
    on<KeyPress, &F::TextInterest_KeyPress>(TextInterest),
    on<KeyPress, &F::TextPV_KeyPress>(TextPV),
    on<KeyPress, &F::TextFV_KeyPress>(TextFV),
    on<KeyPress, &F::TextPMT_KeyPress>(TextPMT),
    on<KeyPress, &F::TextPer_KeyPress>(TextPer),
    on<KeyPress, &F::TextDecimal_KeyPress>(TextDecimal),
    on<Click, &F::CheckPayment_Click>(CheckPayment),
    on<Click, &F::CommandClear_Click>(CommandClear),

    on<Click, &F::CommandCF_Click>(CommandCF),
    on<GotFocus, &F::TextCF_GotFocus>(TextCF),
    on<LostFocus, &F::TextCF_LostFocus>(TextCF),
    on<KeyPress, &F::TextCF_KeyPress>(TextCF),
    on<KeyUp, &F::TextCF_KeyUp>(TextCF),
    on<MouseUp, &F::TextCF_MouseUp>(TextCF),
    on<Click, &F::CommandNPV_Click>(CommandNPV),
    on<Click, &F::CommandIRR_Click>(CommandIRR),
    on<Click, &F::CommandMIRR_Click>(CommandMIRR),

    on<Click, &F::CommandN_Click>(CommandN),
    on<Click, &F::CommandInterest_Click>(CommandInterest),
    on<Click, &F::CommandPV_Click>(CommandPV),
    on<Click, &F::CommandFV_Click>(CommandFV),
    on<Click, &F::CommandPMT_Click>(CommandPMT),
    on<Click, &F::CommandPPMT_Click>(CommandPPMT),
    on<Click, &F::CommandIPMT_Click>(CommandIPMT),
    on<Click, &F::CommandPrincipal_Click>(CommandPrincipal),
    on<Click, &F::CommandInterestPaid_Click>(CommandInterestPaid),
    on<Click, &F::CommandBalance_Click>(CommandBalance),
    on<Click, &F::CommandEffect_Click>(CommandEffect),
    on<Click, &F::CommandNominal_Click>(CommandNominal),

    on<Click, &F::Num0Command_Click>(Num0Command),
    on<Click, &F::Num1Command_Click>(Num1Command),
    on<Click, &F::Num2Command_Click>(Num2Command),
    on<Click, &F::Num3Command_Click>(Num3Command),
    on<Click, &F::Num4Command_Click>(Num4Command),
    on<Click, &F::Num5Command_Click>(Num5Command),
    on<Click, &F::Num6Command_Click>(Num6Command),
    on<Click, &F::Num7Command_Click>(Num7Command),
    on<Click, &F::Num8Command_Click>(Num8Command),
    on<Click, &F::Num9Command_Click>(Num9Command),
    on<Click, &F::NumDotCommand_Click>(NumDotCommand),
    on<Click, &F::NumSignCommand_Click>(NumSignCommand),
    on<Click, &F::CommandBackSpace_Click>(CommandBackSpace),

    on<Click, &F::NumPlusCommand_Click>(NumPlusCommand),
    on<Click, &F::NumMinusCommand_Click>(NumMinusCommand),
    on<Click, &F::NumMULCommand_Click>(NumMULCommand),
    on<Click, &F::NumDivCommand_Click>(NumDivCommand),
    on<Click, &F::NumEqCommand_Click>(NumEqCommand),

    on<Click, &F::NumSqRtCommand_Click>(NumSqRtCommand),
    on<Click, &F::NumSquareCommand_Click>(NumSquareCommand),
    on<Click, &F::CommandInvertX_Click>(CommandInvertX),

    on<Click, &F::NumMCommand_Click>(NumMCommand),
    on<Click, &F::NumMPlusCommand_Click>(NumMPlusCommand),
    on<Click, &F::NumMMinusCommand_Click>(NumMMinusCommand),
    on<Click, &F::NumMRCommand_Click>(NumMRCommand),
    on<Click, &F::NumMCCommand_Click>(NumMCCommand),

    on<Click, &F::NumACCommand_Click>(NumACCommand),
    on<Click, &F::NumCCommand_Click>(NumCCommand),
};

constexpr bool eachEventWiredOnce(std::span<const Wire> wires) {
  for (std::size_t i = 0; i < wires.size(); ++i)
    for (std::size_t j = i + 1; j < wires.size(); ++j)
      if (wires[i].control == wires[j].control && wires[i].kind == wires[j].kind) return false;
  return true;
}
static_assert(eachEventWiredOnce(kWiring), "a control's event has two handlers");

// The table, indexed by control and kind of event.
constexpr auto kIndex = [] {
  std::array<std::array<const Wire*, kEventKindCount>, kControlCount> index{};
  for (const Wire& wire : kWiring) index[static_cast<std::size_t>(wire.control)][wire.kind] = &wire;
  return index;
}();

// A key or menu item that did nothing when clicked would be a control left unwired.
constexpr bool everyKeyAndMenuItemAnswersItsClick() {
  for (const ControlInfo& info : kControls) {
    const bool clickable = info.kind == ControlKind::Button || info.kind == ControlKind::MenuItem;
    if (clickable && !kIndex[static_cast<std::size_t>(info.id)][kEventKind<Click>]) return false;
  }
  return true;
}
static_assert(everyKeyAndMenuItemAnswersItsClick(), "a key or menu item answers no click");

}  // namespace

void dispatch(F& form, ControlId control, EventArgs& event) {
  if (const Wire* wire = kIndex[static_cast<std::size_t>(control)][event.index()]) {
    wire->invoke(form, event);
    form.RecordCalculations();
  }
}

}  // namespace vantro::ui
