#pragma once
// The tape as the Tape window shows it and hands it on: its rows, the lines copied, the tape
// saved as CSV or plain text, and the check of every financial line.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/tape/tape_entry.h"

namespace vantro::ui::tape {

using core::tape::Entry;

// The window's three columns: when, what, and the result as the calculator wrote it (or the
// message the calculation ended in).
struct TapeRow {
  std::string time;
  std::string calculation;
  std::string result;
};

// "2026-12-07 14:02:05", in the local time zone.
std::string timeOf(std::int64_t timeMs);
// The result column: the result as the calculator wrote it, or the message.
std::string resultOf(const Entry& line);
TapeRow rowOf(const Entry& line);
// What a screen reader says for a line: "PMT, minus 997.95, at 14:02".
std::string spokenRow(const Entry& line);

// Lines copied: one row a line, its columns separated by tabs.
std::string copiedText(std::span<const Entry> lines);
// The tape as plain text: a line per row, the columns two spaces apart.
std::string plainText(std::span<const Entry> lines);
// The tape as CSV (RFC 4180, CR LF line ends): a header row, then every number as a number a
// spreadsheet reads in any locale ("." the point, all the digits that give back the double),
// one column for each kind of input.
std::string csvText(std::span<const Entry> lines);

// Every financial line computed again. `differing` holds the positions of those that no longer
// agree; `sentence` says it: "1,204 lines checked, all agree".
struct TapeCheck {
  std::size_t checked = 0;
  std::map<std::size_t, std::optional<double>> differing;  // with today's result, if any
  std::string sentence;
};
TapeCheck checkTape(std::span<const Entry> lines, const std::string& thousandsSeparator);

}  // namespace vantro::ui::tape
