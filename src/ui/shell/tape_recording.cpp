// What goes on the tape: each finished calculation with the full values it read and computed,
// and the sentence the tape shows for it. Recording only watches: it changes nothing the
// calculator does or shows, and a tape that fails is simply not written.

#include <cmath>
#include <exception>
#include <utility>

#include "core/fixed_format.h"
#include "core/number_format.h"
#include "ui/form1.h"
#include "ui/module1.h"

namespace vantro::ui {

namespace tape = core::tape;
using financial::Term;

namespace {

// "Interest 0.5833333 %", "NPer 360": a rate in percent, as it was typed.
std::string describeTerm(Term term, double value) {
  std::string text(financial::kTermNames[static_cast<std::size_t>(term)]);
  text += ' ';
  const double percent = value * 100;
  if (financial::isRate(term) && std::isfinite(percent))
    return text + core::formatGeneral(percent) + " %";
  return text + core::formatGeneral(value);
}

// "PMT: Interest 0.5833333 %, NPer 360, PV 150000, FV 0, End", the outcome still to come.
tape::Entry financialEntry(const financial::Calculation& calculation, const financial::Terms& terms,
                           int decimals) {
  tape::Entry entry;
  entry.kind = tape::EntryKind::Financial;
  entry.operation = calculation.name;
  std::vector<std::string> parts;
  for (std::size_t i = 0; i < terms.values.size(); ++i) {
    if (!terms.values[i]) continue;
    entry.inputs.push_back({std::string(financial::kTermNames[i]), *terms.values[i]});
    parts.push_back(describeTerm(static_cast<Term>(i), *terms.values[i]));
  }
  if (calculation.readsFlows) {
    entry.flows = terms.flows;
    parts.push_back(std::to_string(terms.flows.size()) + " flows");
  }
  if (calculation.usesTiming) {
    entry.beginning = terms.beginning;
    parts.emplace_back(terms.beginning ? "Begin" : "End");
  }
  entry.text = entry.operation + ":";
  for (std::size_t i = 0; i < parts.size(); ++i) entry.text += (i == 0 ? " " : ", ") + parts[i];
  entry.decimals = decimals;
  return entry;
}

}  // namespace

financial::Terms& Form1::BeginCalculation(financial::Operation operation) {
  calculation_ = FinancialLine{operation, {}, std::nullopt, {}, {}};
  if (financial::calculationOf(operation).usesTiming)
    calculation_->terms.beginning = PaymentDueCode() == 1;
  return calculation_->terms;
}

double Form1::Calculate() {
  const double result =
      financial::calculationOf(calculation_->operation).compute(calculation_->terms);
  calculation_->result = result;
  return result;
}

void Form1::NoteCalculation(tape::EntryKind kind, std::string operation, std::string text,
                            std::vector<tape::Input> inputs, std::optional<double> result,
                            std::string message) {
  tape::Entry entry;
  entry.kind = kind;
  entry.operation = std::move(operation);
  entry.text = std::move(text);
  entry.inputs = std::move(inputs);
  entry.constant = kind == tape::EntryKind::Keypad && c_.Label3.caption() == kConstantIndicator;
  if (entry.constant) entry.text += "  (K)";  // the constant's operation, as the indicator says
  entry.result = result;
  // The memory's value is not what the display shows after MC or M+.
  if (result)
    entry.shown = kind == tape::EntryKind::Memory ? core::formatGeneral(*result) : c_.Text1.text();
  entry.message = std::move(message);
  noted_.push_back(std::move(entry));
}

void Form1::RecordCalculations() {
  std::vector<tape::Entry> lines = std::exchange(noted_, {});
  std::optional<FinancialLine> financialLine = std::exchange(calculation_, std::nullopt);
  TapeRecorder* recorder = module_.tape();
  if (!recorder) return;
  try {
    if (financialLine) {
      const auto& calculation = financial::calculationOf(financialLine->operation);
      tape::Entry entry =
          financialEntry(calculation, financialLine->terms, core::decimalPlacesOf(s_.NumberFormat));
      entry.result = financialLine->result;
      entry.shown = financialLine->shown;
      entry.message = financialLine->message;
      entry.text += " -> " + (entry.message.empty() ? entry.shown : std::string("refused"));
      lines.push_back(std::move(entry));
    }
    for (tape::Entry& line : lines) recorder->record(std::move(line));
  } catch (const std::exception&) {
    // The tape is a record of the calculator, never a reason for it to fail.
  }
}

void Form1::MenuTape_Click() {
  if (TapeRecorder* recorder = module_.tape()) recorder->showTape();
}

void Form1::RecallTapeLine(const tape::Entry& line) {
  const financial::Calculation* calculation = financial::calculationNamed(line.operation);
  if (line.kind != tape::EntryKind::Financial || !calculation) {
    if (!line.result) return;
    // Entered as if typed, in place of the number being typed, as MR enters the memory.
    s_.NewEntry = true;
    EnterDigit(core::formatGeneral(*line.result));
    MoveDisplayCaretToEnd();
    c_.Text1.setFocus();
    return;
  }
  const financial::Terms terms = financial::termsOf(line);
  for (std::size_t i = 0; i < terms.values.size(); ++i) {
    if (!terms.values[i]) continue;
    const auto term = static_cast<Term>(i);
    const double typed = financial::isRate(term) ? *terms.values[i] * 100 : *terms.values[i];
    c_.textBox(financial::fieldOf(term).id)->setText(core::formatGeneral(typed));
  }
  if (calculation->readsFlows) {
    std::string list;
    for (const double flow : terms.flows) {
      if (!list.empty()) list += "\r\n";
      list += core::formatGeneral(flow);
    }
    c_.TextCF.setText(list);
  }
  if (calculation->usesTiming) c_.CheckPayment.setValue(terms.beginning ? 1 : 0);
  c_.Text1.setFocus();
}

}  // namespace vantro::ui
