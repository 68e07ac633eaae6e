// Feeds arbitrary bytes to the tape: as a line, the reader takes only what the writer writes, so
// a line it accepts re-encodes to the same bytes and reads back bit for bit; as an entry made of
// the bytes, every value comes back bit for bit; as a whole segment file, loading keeps every byte
// (in the segment or in the files set aside), reads back exactly what the segment still holds,
// and the tape goes on taking entries.

#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "core/tape/tape_format.h"
#include "core/tape/tape_store.h"
#include "require.h"

namespace {

namespace fs = std::filesystem;
namespace tape = vantro::core::tape;
using vantro::fuzz::require;

bool sameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool sameBits(const tape::Entry& a, const tape::Entry& b) {
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

void checkLine(std::string_view line) {
  const auto entry = tape::decodeEntry(line);
  if (!entry) return;
  const std::string again = tape::encodeEntry(*entry);
  require(again == line, "an accepted line is not the one the writer makes of its entry");
  const auto reread = tape::decodeEntry(again);
  require(reread && sameBits(*reread, *entry), "a re-encoded line reads back differently");
}

// An entry whose doubles are the input's bytes taken eight at a time (the finite ones) and
// whose texts are pieces of the input.
void checkEntryOf(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tape::Entry entry;
  entry.kind = static_cast<tape::EntryKind>(size % 4);
  entry.operation = text.substr(0, size / 4);
  entry.text = text.substr(size / 4);
  entry.message = text.substr(size / 2);
  entry.inputs.push_back({std::string(text.substr(size / 3)), 0.0});
  for (std::size_t at = 0; at + 8 <= size; at += 8) {
    double value = 0;
    std::memcpy(&value, data + at, sizeof value);
    if (std::isfinite(value)) entry.flows.push_back(value);
  }
  if (!entry.flows.empty()) entry.result = entry.flows.back();
  if (entry.flows.size() > 1) entry.inputs[0].value = entry.flows.front();
  std::int64_t time = 0;
  std::memcpy(&time, data, std::min(size, sizeof time));
  entry.timeMs = time;
  entry.decimals = static_cast<int>(time >> 32);
  entry.beginning = (time & 1) != 0;
  entry.constant = (time & 2) != 0;
  const auto decoded = tape::decodeEntry(tape::encodeEntry(entry));
  require(decoded && sameBits(*decoded, entry), "an entry does not read back bit for bit");
}

std::string contentOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void checkSegment(std::string_view bytes) {
  static const fs::path folder =
      fs::temp_directory_path() / ("fuzz_tape-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path segment = folder / "tape-000001.txt";
  std::ofstream(segment, std::ios::binary) << bytes;

  const tape::Limits limits{
      .entriesPerSegment = 50, .maxLineBytes = 2048, .maxSegmentBytes = 1 << 16};
  tape::TapeStore store(folder, limits);
  const tape::Loaded loaded = store.load();
  std::string kept = fs::exists(segment) ? contentOf(segment) : "";
  std::string written;
  for (const tape::Entry& entry : loaded.entries) written += tape::encodeEntry(entry) + "\n";
  if (!kept.empty()) {
    require(kept == tape::formatHeader() + "\n" + written, "the segment holds other than it read");
  } else {
    require(loaded.entries.empty(), "entries read from a segment that is gone");
  }
  for (const fs::path& aside : loaded.setAside) kept += contentOf(aside);
  require(kept == bytes, "loading lost or changed bytes of the segment");

  tape::Entry entry;
  entry.text = "after";
  require(store.append(entry), "the tape takes no entry after loading");
  const tape::Loaded again = tape::TapeStore(folder, limits).load();
  require(again.entries.size() == loaded.entries.size() + 1 && again.entries.back() == entry,
          "the entry appended after loading does not read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkLine(bytes);
  for (std::size_t start = 0; start < size;) {
    const std::size_t end = std::min(bytes.find('\n', start), size);
    checkLine(bytes.substr(start, end - start));
    start = end + 1;
  }
  checkEntryOf(data, size);
  checkSegment(bytes);
  return 0;
}
