#pragma once
// The main window's logic: its shared state and every handler, Qt-free. Handlers carry the
// names of the controls and events they answer; wiring.h says which answers which.
// The handler bodies live by subsystem: keypad/ (display, entry, keyboard, operators,
// functions, memory), financial/ (fields, commands, cash flows), shell/ (load and exit, menus,
// toolbar and clipboard).

#include <cstdint>
#include <string>
#include <vector>

#include "control_id.h"
#include "controls.h"
#include "core/tape/tape_entry.h"
#include "services.h"
#include "ui/financial/calculations.h"
#include "ui/financial/entry_fields.h"

namespace vantro::ui {

class Module1;

// What the indicator labels show: Label2 while the memory is in use, Label3 in constant mode.
inline constexpr const char* kMemoryIndicator = "M";
inline constexpr const char* kConstantIndicator = "K";

// The controls the logic reaches, provided by the front end or the in-memory test set.
struct Form1Controls {
  FormWindow& Form1;
  TextBox& Text1;
  TextBox& TextN;
  TextBox& TextInterest;
  TextBox& TextPV;
  TextBox& TextFV;
  TextBox& TextPMT;
  TextBox& TextPer;
  TextBox& TextCF;
  TextBox& TextDecimal;
  // The captions of Label1, Label2 and Label3 are state, not decoration: the keypad reads them
  // back to decide what a key does (the pending operator, whether the memory holds a value,
  // whether constant mode is on), and the keystroke scripts pin that. Keep them the one record
  // of those facts; a flag beside them would be a second one that can disagree.
  Label& Label1;  // operator indicator
  Label& Label2;  // "M" while the memory is in use
  Label& Label3;  // "K" while constant mode is on
  Label& Label4;  // status bar
  Label& LabelLineNum;
  CheckBox& CheckPayment;
  Panel& Frame1;
  EventPump& Pump;  // the window system's events, for the cash-flow panel's roll
  Clipboard& SystemClipboard;
  AnalysisViewer& Analysis;

  // The text box of `id`; null for a control that is none.
  TextBox* textBox(ControlId id) const {
    switch (id) {
      case ControlId::Text1:
        return &Text1;
      case ControlId::TextN:
        return &TextN;
      case ControlId::TextInterest:
        return &TextInterest;
      case ControlId::TextPV:
        return &TextPV;
      case ControlId::TextFV:
        return &TextFV;
      case ControlId::TextPMT:
        return &TextPMT;
      case ControlId::TextPer:
        return &TextPer;
      case ControlId::TextCF:
        return &TextCF;
      case ControlId::TextDecimal:
        return &TextDecimal;
      default:
        return nullptr;
    }
  }
};

// The controls of a control set that hands out each control by its id.
template <typename ControlSet>
Form1Controls controlsOf(ControlSet& set) {
  using enum ControlId;
  return Form1Controls{set.form(),
                       set.textBox(Text1),
                       set.textBox(TextN),
                       set.textBox(TextInterest),
                       set.textBox(TextPV),
                       set.textBox(TextFV),
                       set.textBox(TextPMT),
                       set.textBox(TextPer),
                       set.textBox(TextCF),
                       set.textBox(TextDecimal),
                       set.label(Label1),
                       set.label(Label2),
                       set.label(Label3),
                       set.label(Label4),
                       set.label(LabelLineNum),
                       set.checkBox(CheckPayment),
                       set.panel(Frame1),
                       set.pump(),
                       set.clipboard(),
                       set.analysis()};
}

struct Form1State {
  double MemoryValue = 0;
  double Accumulator = 0;
  double ConstantOperand = 0;   // 0 whenever constant mode is off
  std::string PendingOperator;  // "+", "-", "X", "/" or empty
  std::int16_t ActiveField = kFieldText1;
  std::int16_t CursorPos = 0;
  bool NewEntry = false;  // the display holds a finished number
  std::string NumberFormat = "0.00";
  std::vector<double> CashFlows;
};

class Form1 {
 public:
  Form1(const Form1Controls& controls, Module1& module);

  const Form1State& state() const { return s_; }
  // Hands the calculations the last event made to the tape, if there is one
  // (shell/tape_recording.cpp). The dispatch calls it after every event, so that a line holds
  // everything its event showed, the message included.
  void RecordCalculations();
  // Puts a tape line back: a financial line's values into their fields (and its flows into
  // the list), any other line's result into the display as a new number.
  void RecallTapeLine(const core::tape::Entry& line);
  // The fields as the analysis window reads them (analysis/analysis_menu.cpp).
  AnalysisFields AnalysisSnapshot() const;
  AnalysisLink AnalysisLinkToFields();

  // Lifecycle (shell/)
  void Form_Load();
  void Form_Unload();
  void MenuExit_Click();

  // Menus and toolbar (shell/menus.cpp); Cut, Copy and Paste act on the focused text box
  // (shell/clipboard.cpp)
  void MenuCut_Click();
  void MenuCopy_Click();
  void MenuPaste_Click();
  void MenuLicenseAgreement_Click();
  void MenuHelpTopics_Click();
  void MenuAbout_Click();
  void MenuLoanSchedule_Click();
  void MenuCashFlowProfile_Click();
  void MenuDatedCashFlows_Click();
  // The Tape window (shell/tape_recording.cpp)
  void MenuTape_Click();
  void Toolbar1_ButtonClick(const std::string& key);

  // Display and clear keys (keypad/display.cpp)
  void Text1_GotFocus();
  void Text1_LostFocus();
  void NumACCommand_Click();
  void NumCCommand_Click();

  // Number entry (keypad/number_entry.cpp)
  void Num0Command_Click() { RouteKey("0"); }
  void Num1Command_Click() { RouteKey("1"); }
  void Num2Command_Click() { RouteKey("2"); }
  void Num3Command_Click() { RouteKey("3"); }
  void Num4Command_Click() { RouteKey("4"); }
  void Num5Command_Click() { RouteKey("5"); }
  void Num6Command_Click() { RouteKey("6"); }
  void Num7Command_Click() { RouteKey("7"); }
  void Num8Command_Click() { RouteKey("8"); }
  void Num9Command_Click() { RouteKey("9"); }
  void NumDotCommand_Click();
  void NumSignCommand_Click();
  void CommandBackSpace_Click();

  // Keyboard (keypad/keyboard.cpp)
  void Text1_KeyPress(int& keyAscii);
  void Text1_KeyDown(int keyCode, int shift);
  void Form_KeyDown(int keyCode, int shift);

  // Operators (keypad/operators.cpp)
  void NumPlusCommand_Click();
  void NumMinusCommand_Click();
  void NumMULCommand_Click();
  void NumDivCommand_Click();
  void NumEqCommand_Click();

  // One-operand functions (keypad/functions.cpp)
  void NumSqRtCommand_Click();
  void NumSquareCommand_Click();
  void CommandInvertX_Click();

  // Memory (keypad/memory.cpp)
  void NumMCommand_Click();
  void NumMPlusCommand_Click();
  void NumMMinusCommand_Click();
  void NumMRCommand_Click();
  void NumMCCommand_Click();

  // Financial fields (financial/fields.cpp)
  void TextN_GotFocus();
  void TextInterest_GotFocus();
  void TextPV_GotFocus();
  void TextFV_GotFocus();
  void TextPMT_GotFocus();
  void TextPer_GotFocus();
  void TextDecimal_GotFocus();
  void TextDecimal_LostFocus();
  void TextN_KeyPress(int& keyAscii);
  void TextInterest_KeyPress(int& keyAscii);
  void TextPer_KeyPress(int& keyAscii);
  void TextPV_KeyPress(int& keyAscii);
  void TextFV_KeyPress(int& keyAscii);
  void TextPMT_KeyPress(int& keyAscii);
  void TextDecimal_KeyPress(int& keyAscii);
  void CheckPayment_Click();
  void CommandClear_Click();

  // Time-value solvers (financial/solvers.cpp)
  void CommandN_Click();
  void CommandInterest_Click();
  void CommandPV_Click();
  void CommandFV_Click();
  void CommandPMT_Click();

  // Amortisation (financial/amortisation.cpp)
  void CommandPPMT_Click();
  void CommandIPMT_Click();
  void CommandPrincipal_Click();
  void CommandInterestPaid_Click();
  void CommandBalance_Click();

  // Rate conversion (financial/rate_conversion.cpp)
  void CommandEffect_Click();
  void CommandNominal_Click();

  // The cash-flow list (financial/cash_flow_list.cpp)
  void CommandCF_Click();
  void TextCF_GotFocus();
  void TextCF_LostFocus();
  void TextCF_KeyPress(int& keyAscii);
  void TextCF_KeyUp(int keyCode, int shift);
  void TextCF_MouseUp(int button, int shift, double x, double y);

  // Cash-flow analysis (financial/cash_flow_analysis.cpp)
  void CommandNPV_Click();
  void CommandIRR_Click();
  void CommandMIRR_Click();

 private:
  // The entry box numbered `field` (0 to 6), or nullptr for any other number.
  TextBox* EntryBox(int field) const;
  // The text box that has the focus, or nullptr when the focus is on another control.
  TextBox* FocusedTextBox() const;
  // The value of the display: the leading-number value of Text1's text.
  double DisplayValue() const;

  void NewNumberStep(bool emptyLabel1, bool emptyDisplay);
  void RouteKey(const std::string& keyText);
  void EnterDigit(const std::string& digitText);
  std::string AppendNumeric(const std::string& TextBox, const std::string& num) const;
  std::string AppendDot(const std::string& TextBox);
  static std::string TextRightShift(const std::string& TextBox, int CursorPos);
  void EnterOperator(const std::string& op);
  void UpdateMemory(bool add);
  void EvaluatePending();
  void SelectAllOnFocus(TextBox& box, ActiveFieldCode code);
  // The key filter of the financial boxes: digits and Backspace, and what the field's key
  // rules admit.
  void FilterFieldKey(TextBox& box, int& keyAscii, financial::KeyRules rules);

  // Shows the caret's line number of the cash-flow list.
  void ShowCashFlowLine();
  // Turns `text` into CashFlows and writes the list back normalised.
  void ParseCashFlows(const std::string& text);
  // Puts the list back as the user wrote it (`written`), shows the command's message, then
  // unrolls the cash-flow panel for correction.
  void ShowCashFlowError(const std::string& written, const char* syntaxLine,
                         bool askForEstimate = false);

  // Financial results and errors (financial/results.cpp)
  std::string FormatResult(double value) const;
  // Writes a solved quantity into its box and the display, names it and focuses the box.
  void ShowSolvedField(TextBox& box, double value, const char* status);
  // Writes a result into the display, names it and focuses the display.
  void ShowDisplayResult(double value, const char* status);
  void ShowInputError(const char* syntaxLine, bool askForEstimate = false);
  int PaymentDueCode() const;  // 0: payments at the end of each period, 1: at the beginning
  // Gives `box` the focus, then puts its caret at `caret`. A keypad key hands the focus back
  // to the box it typed into; the caret it set must survive that box's GotFocus handler
  // (which selects all, or moves the display's caret to the end), or a second keypad digit
  // would land before the first.
  static void FocusAtCaret(TextBox& box, int caret);
  // Gives `box` the focus back with the caret and selection it had.
  static void ReturnFocus(TextBox& box);
  // CursorPos is a 16-bit position; a box never holds more than 32767 characters.
  void SetCursorPos(int position);
  void MoveDisplayCaretToEnd();
  void ShowOverflow();

  // The tape (shell/tape_recording.cpp). A financial command begins its line, reads its values
  // into the terms returned and computes through Calculate; the Show functions above add what
  // the window showed. Keypad, function and memory lines are noted whole.
  financial::Terms& BeginCalculation(financial::Operation operation);
  double Calculate();
  void NoteCalculation(core::tape::EntryKind kind, std::string operation, std::string text,
                       std::vector<core::tape::Input> inputs, std::optional<double> result,
                       std::string message = {});

  Form1Controls c_;
  Module1& module_;
  Form1State s_;

  struct FinancialLine {
    financial::Operation operation;
    financial::Terms terms;
    std::optional<double> result;
    std::string shown;
    std::string message;
  };
  std::optional<FinancialLine> calculation_;
  std::vector<core::tape::Entry> noted_;
};

}  // namespace vantro::ui
