// Feeds the Dated Cash Flows tab's table with text pasted from the clipboard, under a locale
// and a short date form the fuzzer picks, and builds the tab's report from it. Checks: the
// table ends in one empty row (or is full), every row that is not blank gives a flow or is
// named, the sentence names the first of those and counts the rest, and every date read
// writes back as itself in ISO form and, from 1950 to 2049, in the locale's.
//
// Input: a byte choosing the locale, a byte each for the row and column pasted at, a length
// byte and the Rate box's text, a length byte and the Guess box's text, then the pasted text.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/date_text.h"
#include "require.h"
#include "ui/analysis/dated_cash_flows_report.h"
#include "ui/analysis/dated_flow_table.h"

namespace {

using vantro::fuzz::Input;
using vantro::fuzz::require;
namespace core = vantro::core;
namespace ui = vantro::ui;

struct Desktop {
  core::NumberLocale locale;
  const char* datePattern;
};

// Qt's short date forms of en_US, de_DE, fr_FR, C, bg_BG and ko_KR, and one it cannot read.
const Desktop kDesktops[] = {
    {{".", ",", "$"}, "M/d/yy"},
    {{",", ".", "\u20AC"}, "dd.MM.yy"},
    {{",", "\u202F", "\u20AC"}, "dd/MM/yyyy"},
    {{".", ",", "\u00A4"}, "d MMM yyyy"},
    {{",", "\u00A0", "\u043B\u0432."}, "d.MM.yy '\u0433'."},
    {{".", ",", "\u20A9"}, "yy. M. d."},
    {{".", ",", "$"}, "dddd, d MMMM yyyy"},
};

void checkTable(const ui::DatedFlowTable& table) {
  const auto& rows = table.rows();
  require(!rows.empty() && rows.size() <= ui::DatedFlowTable::kMaxRows, "a table out of bounds");
  require(ui::isBlank(rows.back()) || rows.size() == ui::DatedFlowTable::kMaxRows,
          "a table that does not end in an empty row");
  require(rows.size() == 1 || !ui::isBlank(rows[rows.size() - 2]),
          "a table that ends in more than one empty row");
}

void checkReport(const ui::DatedCashFlowsReport& report, const ui::DatedFlowInputs& inputs) {
  std::size_t flow = 0;
  std::size_t problem = 0;
  for (std::size_t row = 0; row < inputs.rows.size(); ++row) {
    const bool gaveFlow = flow < report.flowRows.size() && report.flowRows[flow] == row;
    const bool named = problem < report.problems.size() && report.problems[problem].row == row;
    require(!(gaveFlow && named), "a row both a flow and named");
    require(ui::isBlank(inputs.rows[row]) != (gaveFlow || named),
            "a row dropped silently, or a blank one used");
    flow += gaveFlow;
    problem += named;
  }
  require(flow == report.flowRows.size() && problem == report.problems.size(),
          "flows or problems out of the table's order");
  require(report.flows.size() == report.flowRows.size(), "a flow without its row");
  require(!report.sentence.empty(), "no sentence");
  const std::size_t named =
      std::min(report.problems.size(), ui::DatedCashFlowsReport::kNamedProblems);
  for (std::size_t i = 0; i < named; ++i)
    require(report.sentence.find(report.problems[i].sentence) != std::string::npos,
            "a row that cannot be used, not named in the sentence");
  if (report.problems.size() > named)
    require(report.sentence.find("more row") != std::string::npos,
            "the rows past the named not counted");
  require(report.problems.empty() || report.figures.empty(), "figures beside unusable rows");
}

void checkDates(const ui::DatedFlowTable& table, const core::DateReader& reader) {
  const core::DateReader iso("");
  for (const ui::DatedFlowRow& row : table.rows()) {
    const auto day = reader.read(row.date);
    if (!day) continue;
    const std::string written = core::isoDate(*day);
    require(iso.read(written) == day, "a date that does not write back as itself");
    const int year = std::stoi(written.substr(0, 4));
    if (reader.readsPattern() && year >= 1950 && year <= 2049)
      require(reader.read(reader.write(*day)) == day, "a date that the pattern writes otherwise");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const Desktop& desktop = kDesktops[input.byte() % std::size(kDesktops)];
  const std::size_t row = input.byte();
  const int column = input.byte() % 2;
  ui::DatedFlowInputs inputs;
  inputs.rate = input.text(input.byte() % 16);
  inputs.guess = input.text(input.byte() % 16);
  inputs.locale = desktop.locale;
  inputs.datePattern = desktop.datePattern;

  ui::DatedFlowTable table;
  table.setCell(0, ui::DatedFlowTable::kDateColumn, "2008-01-01");
  table.setCell(0, ui::DatedFlowTable::kAmountColumn, "-100");
  table.paste(input.rest(), std::min(row, table.rowCount() - 1), column);
  checkTable(table);
  inputs.rows = table.rows();
  const auto report = ui::DatedCashFlowsReport::build(inputs, 20);
  checkReport(report, inputs);
  checkDates(table, core::DateReader(desktop.datePattern));
  return 0;
}
