#include "ui/tape/tape_report.h"

#include <array>
#include <charconv>
#include <ctime>
#include <map>

#include "ui/financial/calculations.h"

namespace vantro::ui::tape {

namespace {

using core::tape::EntryKind;

std::tm localTime(std::int64_t timeMs) {
  const std::time_t seconds = static_cast<std::time_t>(timeMs / 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

std::string formatTime(std::int64_t timeMs, const char* format) {
  const std::tm local = localTime(timeMs);
  std::array<char, 64> text{};
  const std::size_t length = std::strftime(text.data(), text.size(), format, &local);
  return {text.data(), length};
}

// All the digits that give back the double, "." the point, whatever the locale.
std::string exactNumber(double value) {
  std::array<char, 32> text{};
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() ? std::string(text.data(), end) : std::string();
}

std::string kindName(EntryKind kind) {
  switch (kind) {
    case EntryKind::Keypad:
      return "Keypad";
    case EntryKind::Function:
      return "Function";
    case EntryKind::Memory:
      return "Memory";
    case EntryKind::Financial:
      break;
  }
  return "Financial";
}

// A field quoted when it holds a comma, a quote or a line end, its quotes doubled.
std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

// The input columns: the financial terms first, in the fields' order, then the keypad's.
std::vector<std::string> inputColumns(std::span<const Entry> lines) {
  std::vector<std::string> columns(financial::kTermNames.begin(), financial::kTermNames.end());
  std::vector<bool> used(columns.size(), false);
  for (const Entry& line : lines) {
    for (const core::tape::Input& input : line.inputs) {
      std::size_t i = 0;
      while (i < columns.size() && columns[i] != input.name) ++i;
      if (i == columns.size()) {
        columns.push_back(input.name);
        used.push_back(false);
      }
      used[i] = true;
    }
  }
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (used[i]) kept.push_back(columns[i]);
  return kept;
}

std::string grouped(std::size_t count, const std::string& separator) {
  std::string digits = std::to_string(count);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), separator);
  return digits;
}

// A line a row, its columns `between` apart.
std::string rowsText(std::span<const Entry> lines, const char* between) {
  std::string text;
  for (const Entry& line : lines) {
    const TapeRow row = rowOf(line);
    text += row.time + between + row.calculation + between + row.result + '\n';
  }
  return text;
}

}  // namespace

std::string timeOf(std::int64_t timeMs) {
  return formatTime(timeMs, "%Y-%m-%d %H:%M:%S");
}

std::string resultOf(const Entry& line) {
  return line.message.empty() ? line.shown : line.message;
}

TapeRow rowOf(const Entry& line) {
  return {timeOf(line.timeMs), line.text, resultOf(line)};
}

std::string spokenRow(const Entry& line) {
  std::string result = line.message.empty() ? line.shown : std::string("refused");
  if (result.starts_with('-')) result = "minus " + result.substr(1);
  return line.operation + ", " + result + ", at " + formatTime(line.timeMs, "%H:%M");
}

std::string copiedText(std::span<const Entry> lines) {
  return rowsText(lines, "\t");
}

std::string plainText(std::span<const Entry> lines) {
  return rowsText(lines, "  ");
}

std::string csvText(std::span<const Entry> lines) {
  const std::vector<std::string> inputs = inputColumns(lines);
  std::string csv = "Time,Kind,Operation,Calculation,Result,Shown,Message,Decimals,Timing";
  for (const std::string& name : inputs) csv += ',' + csvField(name);
  csv += ",Flows\r\n";
  for (const Entry& line : lines) {
    csv += timeOf(line.timeMs) + ',' + kindName(line.kind) + ',' + csvField(line.operation) + ',' +
           csvField(line.text) + ',' + (line.result ? exactNumber(*line.result) : "") + ',' +
           csvField(line.shown) + ',' + csvField(line.message) + ',' +
           (line.decimals >= 0 ? std::to_string(line.decimals) : "") + ',';
    const financial::Calculation* calculation = financial::calculationNamed(line.operation);
    if (line.kind == EntryKind::Financial && calculation && calculation->usesTiming)
      csv += line.beginning ? "Begin" : "End";
    for (const std::string& name : inputs) {
      csv += ',';
      for (const core::tape::Input& input : line.inputs)
        if (input.name == name) csv += exactNumber(input.value);
    }
    csv += ',';
    std::string flows;
    for (const double flow : line.flows) {
      if (!flows.empty()) flows += ' ';
      flows += exactNumber(flow);
    }
    csv += csvField(flows) + "\r\n";
  }
  return csv;
}

TapeCheck checkTape(std::span<const Entry> lines, const std::string& thousandsSeparator) {
  TapeCheck check;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != EntryKind::Financial) continue;
    ++check.checked;
    const financial::CheckedLine checked = financial::checkLine(lines[i]);
    if (!checked.agrees) check.differing.emplace(i, checked.recomputed);
  }
  check.sentence = grouped(check.checked, thousandsSeparator) +
                   (check.checked == 1 ? " line checked, " : " lines checked, ");
  if (check.differing.empty()) {
    check.sentence += check.checked == 1 ? "it agrees" : "all agree";
  } else {
    check.sentence += grouped(check.differing.size(), thousandsSeparator) +
                      (check.differing.size() == 1 ? " differs" : " differ");
  }
  return check;
}

}  // namespace vantro::ui::tape
