#pragma once
// Every control of the main window, named as the logic names it.

#include <array>
#include <optional>
#include <string_view>

namespace vantro::ui {

enum class ControlKind { Form, TextBox, Label, Button, CheckBox, Panel, MenuItem, Toolbar };

// X(name, kind)
#define VANTRO_MAIN_WINDOW_CONTROLS(X) \
  X(Form1, Form)                       \
  X(Text1, TextBox)                    \
  X(TextN, TextBox)                    \
  X(TextInterest, TextBox)             \
  X(TextPV, TextBox)                   \
  X(TextFV, TextBox)                   \
  X(TextPMT, TextBox)                  \
  X(TextPer, TextBox)                  \
  X(TextCF, TextBox)                   \
  X(TextDecimal, TextBox)              \
  X(Label1, Label)                     \
  X(Label2, Label)                     \
  X(Label3, Label)                     \
  X(Label4, Label)                     \
  X(LabelLineNum, Label)               \
  X(CheckPayment, CheckBox)            \
  X(Frame1, Panel)                     \
  X(Num0Command, Button)               \
  X(Num1Command, Button)               \
  X(Num2Command, Button)               \
  X(Num3Command, Button)               \
  X(Num4Command, Button)               \
  X(Num5Command, Button)               \
  X(Num6Command, Button)               \
  X(Num7Command, Button)               \
  X(Num8Command, Button)               \
  X(Num9Command, Button)               \
  X(NumDotCommand, Button)             \
  X(NumSignCommand, Button)            \
  X(CommandBackSpace, Button)          \
  X(NumPlusCommand, Button)            \
  X(NumMinusCommand, Button)           \
  X(NumMULCommand, Button)             \
  X(NumDivCommand, Button)             \
  X(NumEqCommand, Button)              \
  X(NumSqRtCommand, Button)            \
  X(NumSquareCommand, Button)          \
  X(CommandInvertX, Button)            \
  X(NumMCommand, Button)               \
  X(NumMPlusCommand, Button)           \
  X(NumMMinusCommand, Button)          \
  X(NumMRCommand, Button)              \
  X(NumMCCommand, Button)              \
  X(NumACCommand, Button)              \
  X(NumCCommand, Button)               \
  X(CommandClear, Button)              \
  X(CommandN, Button)                  \
  X(CommandInterest, Button)           \
  X(CommandPV, Button)                 \
  X(CommandFV, Button)                 \
  X(CommandPMT, Button)                \
  X(CommandPPMT, Button)               \
  X(CommandIPMT, Button)               \
  X(CommandPrincipal, Button)          \
  X(CommandInterestPaid, Button)       \
  X(CommandBalance, Button)            \
  X(CommandEffect, Button)             \
  X(CommandNominal, Button)            \
  X(CommandCF, Button)                 \
  X(CommandNPV, Button)                \
  X(CommandIRR, Button)                \
  X(CommandMIRR, Button)               \
  X(MenuCut, MenuItem)                 \
  X(MenuCopy, MenuItem)                \
  X(MenuPaste, MenuItem)               \
  X(MenuExit, MenuItem)                \
  X(MenuLoanSchedule, MenuItem)        \
  X(MenuCashFlowProfile, MenuItem)     \
  X(MenuDatedCashFlows, MenuItem)      \
  X(MenuTape, MenuItem)                \
  X(MenuLicenseAgreement, MenuItem)    \
  X(MenuHelpTopics, MenuItem)          \
  X(MenuAbout, MenuItem)               \
  X(Toolbar1, Toolbar)

enum class ControlId {
#define VANTRO_ENUM_ENTRY(name, kind) name,
  VANTRO_MAIN_WINDOW_CONTROLS(VANTRO_ENUM_ENTRY)
#undef VANTRO_ENUM_ENTRY
};

inline constexpr int kControlCount = 0
#define VANTRO_COUNT_ENTRY(name, kind) +1  // NOLINT(bugprone-macro-parentheses): a term of a sum
    VANTRO_MAIN_WINDOW_CONTROLS(VANTRO_COUNT_ENTRY)
#undef VANTRO_COUNT_ENTRY
    ;

struct ControlInfo {
  ControlId id;
  std::string_view name;
  ControlKind kind;
};

inline constexpr std::array<ControlInfo, kControlCount> kControls = {{
#define VANTRO_INFO_ENTRY(name, kind) {ControlId::name, #name, ControlKind::kind},
    VANTRO_MAIN_WINDOW_CONTROLS(VANTRO_INFO_ENTRY)
#undef VANTRO_INFO_ENTRY
}};

constexpr const ControlInfo& controlInfo(ControlId id) {
  return kControls[static_cast<int>(id)];
}

std::optional<ControlId> controlByName(std::string_view name);

}  // namespace vantro::ui
