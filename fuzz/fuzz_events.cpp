// Feeds arbitrary bytes to the main window's logic as clicks, keys, caret moves, texts, clicks
// that arrive while the cash-flow panel rolls, and clipboard contents pasted with the Edit menu
// or the toolbar, on the in-memory controls. No exception may leave a handler (libFuzzer reports
// one that does), and the window keeps its invariants after every event. At the end the analysis
// window's tabs are built from whatever the fields then hold: they answer with rows or a sentence,
// never with an exception or a NaN, and every financial line on the tape checks.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "require.h"
#include "ui/analysis/cash_flow_profile_report.h"
#include "ui/analysis/loan_schedule_report.h"
#include "ui/financial/calculations.h"
#include "ui/testing/loaded_form.h"

namespace {

using vantro::fuzz::require;

using vantro::ui::ControlId;
using vantro::ui::ControlKind;

bool readable(const std::string& text) {
  return text.find("nan") == std::string::npos && text.find("inf") == std::string::npos;
}

void checkInvariants(vantro::ui::testing::MemoryWindow& w, const vantro::ui::Form1& form) {
  const auto& s = form.state();
  require(s.ActiveField >= 0 && s.ActiveField <= 7, "active field out of range");
  const auto& panel = w.panel(ControlId::Frame1);
  require(panel.height() == 2400, "panel not at its height");
  require(panel.visible() == (w.focused() == ControlId::TextCF), "panel open without its box");
  require(readable(w.text(ControlId::Text1)) && readable(w.caption(ControlId::Label4)),
          "a number the user cannot read");
}

void checkAnalysis(const vantro::ui::AnalysisFields& fields) {
  using vantro::ui::LoanScheduleReport;
  const auto schedule = LoanScheduleReport::build(fields, {});
  require(schedule.problem().empty() != (schedule.rowCount() == 0), "rows and a sentence");
  for (const std::size_t row : {std::size_t{0}, schedule.rowCount() / 2, schedule.rowCount() - 1})
    for (int column = 0; column < schedule.columnCount(); ++column)
      require(readable(schedule.cell(row, column)), "a schedule cell the user cannot read");
  const auto profile = vantro::ui::CashFlowProfileReport::build(fields, 64);
  require(!profile.sentence.empty(), "a profile without its sentence");
  for (const auto& [label, value] : profile.figures)
    require(readable(value), "a profile figure the user cannot read");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vantro::ui::testing::LoadedForm loaded;
  auto& w = loaded.window;
  const vantro::ui::Form1& form = loaded.form;

  static constexpr std::string_view kTyped = "0123456789.+-*/\r\b$ ,aE";
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const std::uint8_t action = data[i];
    const std::uint8_t argument = data[i + 1];
    const auto control = static_cast<ControlId>(argument % vantro::ui::kControlCount);
    const ControlKind kind = vantro::ui::controlInfo(control).kind;
    const auto bytes = [&] {
      return std::string(reinterpret_cast<const char*>(data + i),
                         std::min<std::size_t>(argument % 32, size - i));
    };
    switch (action % 8) {
      case 0:
        if (kind != ControlKind::Form && kind != ControlKind::Label && kind != ControlKind::Panel &&
            kind != ControlKind::Toolbar)
          w.click(control);
        break;
      case 1:
        w.type(std::string(1, kTyped[argument % kTyped.size()]));
        break;
      case 2:
        w.pressKey(std::string_view("\x25\x26\x27\x28\x23\x24\x2E")[argument % 7]);
        break;
      case 3:
        if (w.focused() && vantro::ui::controlInfo(*w.focused()).kind == ControlKind::TextBox)
          w.textBox(*w.focused()).setSelStart(argument % 40);
        break;
      case 4:  // a click that lands while the panel rolls
        w.pump().during(w.pump().calls() + 1 + argument % 12, [&w, control] { w.click(control); });
        break;
      case 6:  // whatever another program put on the clipboard
        w.clipboard().setText(bytes());
        w.click(argument % 2 ? ControlId::MenuPaste : ControlId::MenuCut);
        break;
      case 7: {
        static constexpr const char* kButtons[] = {"Cut", "Copy", "Paste", "Help", "Exit", "?"};
        w.clickToolbarButton(kButtons[argument % 6]);
        break;
      }
      default:  // a list of amounts, as pasted
        w.textBox(ControlId::TextCF).setText(bytes());
        break;
    }
    checkInvariants(w, form);
  }
  checkAnalysis(form.AnalysisSnapshot());
  // Every financial line the tape recorded computes again to what the window showed.
  for (const vantro::core::tape::Entry& line : loaded.tape.lines)
    if (line.kind == vantro::core::tape::EntryKind::Financial)
      require(vantro::ui::financial::checkLine(line).agrees, "a tape line that does not check");
  return 0;
}
