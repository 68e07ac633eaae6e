#pragma once
// Entries to write and compare bit for bit, and the files of a folder by name.

#include <bit>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "core/tape/tape_entry.h"
#include "temp_folder.h"

namespace vantro::test {

namespace tape = vantro::core::tape;

// A financial entry numbered i, with text that needs escaping.
inline tape::Entry numberedEntry(std::int64_t i) {
  tape::Entry entry;
  entry.timeMs = 1'700'000'000'000 + i;
  entry.kind = tape::EntryKind::Financial;
  entry.operation = "PMT";
  entry.text = "PMT #" + std::to_string(i) + "\t-> \\ done";
  entry.inputs = {{"Interest", 0.5 / 12}, {"NPer", 360}, {"PV", static_cast<double>(i)}};
  entry.result = -997.95 - static_cast<double>(i);
  entry.shown = "-997.95";
  entry.decimals = 2;
  return entry;
}

// Entry's == takes -0 for 0; the tape must keep the sign and every bit.
inline bool sameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
inline bool sameBits(const tape::Entry& a, const tape::Entry& b) {
  if (!(a == b) || a.result.has_value() != b.result.has_value()) return false;
  if (a.result && !sameBits(*a.result, *b.result)) return false;
  for (std::size_t i = 0; i < a.inputs.size(); ++i) {
    if (!sameBits(a.inputs[i].value, b.inputs[i].value)) return false;
  }
  for (std::size_t i = 0; i < a.flows.size(); ++i) {
    if (!sameBits(a.flows[i], b.flows[i])) return false;
  }
  return true;
}

// Every name in the folder with its content ("<not a file>" for anything else).
inline std::map<std::string, std::string> filesIn(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::directory_iterator(folder)) {
    files[item.path().filename().string()] =
        item.is_regular_file() && !item.is_symlink() ? readFile(item.path()) : "<not a file>";
  }
  return files;
}

}  // namespace vantro::test
