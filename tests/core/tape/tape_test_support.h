#pragma once
// Entries to write and compare bit for bit, and a folder's files by name.

#include <bit>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/tape/tape_entry.h"
#include "temp_folder.h"

namespace vantro::test {

namespace tape = vantro::core::tape;

// A financial entry numbered i, with text that needs escaping.
inline tape::Entry numberedEntry(std::int64_t i) {
  return {1'700'000'000'000 + i,
          tape::EntryKind::Financial,
          "PMT",
          "PMT #" + std::to_string(i) + "\t-> \\ done",
          {{"Interest", 0.5 / 12}, {"NPer", 360}, {"PV", static_cast<double>(i)}},
          {},
          false,
          false,
          2,
          -997.95 - static_cast<double>(i),
          "-997.95",
          ""};
}

// Entry's == takes -0 for 0; the tape must keep the sign and every bit.
inline bool sameBits(const tape::Entry& a, const tape::Entry& b) {
  const auto bits = [](const tape::Entry& entry) {
    std::vector<std::uint64_t> all{entry.result ? std::bit_cast<std::uint64_t>(*entry.result) : 1};
    for (const auto& input : entry.inputs) all.push_back(std::bit_cast<std::uint64_t>(input.value));
    for (const double flow : entry.flows) all.push_back(std::bit_cast<std::uint64_t>(flow));
    return all;
  };
  return a == b && bits(a) == bits(b);
}

// Whether the entries are those numbered first, first + 1, ... and no others.
inline bool readsAsNumbered(const std::vector<tape::Entry>& entries, std::int64_t first,
                            std::size_t count) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!sameBits(entries[i], numberedEntry(first + static_cast<std::int64_t>(i)))) return false;
  }
  return entries.size() == count;
}

inline std::map<std::string, std::string> filesIn(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::directory_iterator(folder)) {
    files[item.path().filename().string()] =
        item.is_regular_file() && !item.is_symlink() ? readFile(item.path()) : "<not a file>";
  }
  return files;
}

}  // namespace vantro::test
