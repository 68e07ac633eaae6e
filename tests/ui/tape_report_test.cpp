// The tape handed on: the CSV as a CSV reader reads it, the check's sentence, the spoken rows.

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "core/finance/finance.h"
#include "ui/tape/tape_report.h"

namespace vantro::test {
namespace {

using core::tape::Entry;
using core::tape::EntryKind;

Entry payment() {
  Entry line;
  line.timeMs = 1796306520000;  // 2026-12-03 14:02:00 UTC
  line.kind = EntryKind::Financial;
  line.operation = "PMT";
  line.text = "PMT: Interest 0.583333333333333 %, NPer 360, PV 150000, FV 0, End -> -997.95";
  line.inputs = {{"Interest", 7.0 / 12 / 100}, {"NPer", 360}, {"PV", 150000}, {"FV", 0}};
  line.decimals = 2;
  line.result = core::finance::PMT(7.0 / 12 / 100, 360, 150000);
  line.shown = "-997.95";
  return line;
}

Entry refusedList() {
  Entry line;
  line.kind = EntryKind::Financial;
  line.operation = "IRR";
  line.text = "IRR: Guess 10 %, 2 flows -> refused";
  line.inputs = {{"Guess", 0.1}};
  line.flows = {1.0 / 3, -1e-300};
  line.message = "Error! Please verify your input parameters.\r\nOr provide \"your\" estimate";
  return line;
}

// Python's csv module reads the file. Each row comes back as one line, its cells " | " apart: a
// number (or numbers, space-separated) as Python's shortest text for the double it read, any
// other cell quoted.
std::vector<std::string> readByCsvReader(const std::string& csv) {
  const auto path = std::filesystem::temp_directory_path() / "vantro_tape_test.csv";
  std::ofstream(path, std::ios::binary) << csv;
  const std::string command =
      "python3 -c \"import csv,sys\n"
      "def cell(c):\n"
      "  try: return ' '.join(repr(float(p)) for p in c.split(' ')) if c else repr(c)\n"
      "  except ValueError: return repr(c)\n"
      "for row in csv.reader(open(sys.argv[1], newline='')): print(' | '.join(map(cell, row)))\" " +
      path.string();
  std::vector<std::string> rows;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer{};
    std::string row;
    while (std::fgets(buffer.data(), buffer.size(), pipe)) {
      row += buffer.data();
      if (row.ends_with('\n')) {
        rows.push_back(row.substr(0, row.size() - 1));
        row.clear();
      }
    }
    pclose(pipe);
  }
  std::filesystem::remove(path);
  return rows;
}

// The shortest text that gives back `value`, as Python's repr writes it.
std::string shortest(double value) {
  std::array<char, 32> text{};
  const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
  std::string written(text.data(), end);
  if (written.find_first_of(".en") == std::string::npos) written += ".0";
  return written;
}

TEST(TapeReport, CsvReadsBackAsNumbersAndTexts) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  Entry sum;
  sum.kind = EntryKind::Keypad;
  sum.operation = "+";
  sum.text = "2  +  3 = 5";
  sum.inputs = {{"Accumulator", 2}, {"Display", 3}};
  sum.result = 5;
  sum.shown = "5";
  const Entry loan = payment();
  const std::vector<Entry> lines = {loan, refusedList(), sum};
  const std::vector<std::string> rows = readByCsvReader(ui::tape::csvText(lines));
  ASSERT_EQ(rows.size(), 4U);
  EXPECT_EQ(rows[0],
            "'Time' | 'Kind' | 'Operation' | 'Calculation' | 'Result' | 'Shown' | 'Message' | "
            "'Decimals' | 'Timing' | 'Interest' | 'NPer' | 'PV' | 'FV' | 'Guess' | "
            "'Accumulator' | 'Display' | 'Flows'");
  EXPECT_EQ(rows[1], "'2026-12-03 14:02:00' | 'Financial' | 'PMT' | '" + loan.text + "' | " +
                         shortest(*loan.result) + " | -997.95 | '' | 2.0 | 'End' | " +
                         shortest(loan.inputs[0].value) +
                         " | 360.0 | 150000.0 | 0.0 | '' | '' | "
                         "'' | ''");
  EXPECT_EQ(rows[2], "'1970-01-01 00:00:00' | 'Financial' | 'IRR' | '" + refusedList().text +
                         "' | '' | '' | 'Error! Please verify your input parameters.\\r\\nOr "
                         "provide \"your\" estimate' | '' | '' | '' | '' | '' | '' | 0.1 | '' | "
                         "'' | " +
                         shortest(1.0 / 3) + " " + shortest(-1e-300));
  EXPECT_EQ(rows[3],
            "'1970-01-01 00:00:00' | 'Keypad' | '+' | '2  +  3 = 5' | 5.0 | 5.0 | '' | '' | '' | "
            "'' | '' | '' | '' | '' | 2.0 | 3.0 | ''");
}

TEST(TapeReport, CheckSaysHowManyLinesAgree) {
  Entry sum;
  sum.kind = EntryKind::Keypad;  // not checked
  std::vector<Entry> lines(1204, payment());
  lines.push_back(sum);
  EXPECT_EQ(ui::tape::checkTape(lines, ",").sentence, "1,204 lines checked, all agree");
  *lines[7].result += 0.01;
  lines[1000].message = "refused";
  lines[1000].result.reset();
  const ui::tape::TapeCheck check = ui::tape::checkTape(lines, ".");
  EXPECT_EQ(check.sentence, "1.204 lines checked, 2 differ");
  const std::optional<double> today = payment().result;
  EXPECT_EQ(check.differing,
            (std::map<std::size_t, std::optional<double>>{{7, today}, {1000, today}}));
  EXPECT_EQ(ui::tape::checkTape({&lines[7], 1}, ",").sentence, "1 line checked, 1 differs");
}

TEST(TapeReport, RowsReadAsTheCalculatorWroteThem) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  const ui::tape::TapeRow row = ui::tape::rowOf(payment());
  EXPECT_EQ(row.time, "2026-12-03 14:02:00");
  EXPECT_EQ(row.result, "-997.95");
  EXPECT_EQ(ui::tape::spokenRow(payment()), "PMT, minus 997.95, at 14:02");
  EXPECT_EQ(ui::tape::rowOf(refusedList()).result, refusedList().message);
}

}  // namespace
}  // namespace vantro::test
