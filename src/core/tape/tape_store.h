#pragma once
// The tape kept on disk: a folder of numbered segment files, each appended one whole line at a
// time so that a kill at any moment loses at most the line being written. The oldest segment
// falls off whole when the tape would grow past its limit. A damaged or foreign file is read up
// to the damage and the rest kept under another name: the store never deletes what it cannot
// read. Nothing here throws; a failure ends in a false answer or a problem to show.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/tape/tape_entry.h"

namespace vantro::core::tape {

struct Limits {
  std::size_t entriesPerSegment = 10000;
  std::size_t maxEntries = 100000;
  // A longer line is damage when read; an entry that would make one is not written.
  std::size_t maxLineBytes = std::size_t{1} << 20;
  // A longer segment file is set aside whole: the writer starts a new segment before one grows
  // past it, so such a file is not ours as we wrote it, and renaming it costs nothing where
  // copying its rest aside could take minutes at start.
  std::size_t maxSegmentBytes = std::size_t{64} << 20;
};

struct Loaded {
  std::vector<Entry> entries;                   // oldest first
  std::vector<std::filesystem::path> setAside;  // files made while loading
  std::string problem;                          // a short description; empty when all was well
};

class TapeStore {
 public:
  explicit TapeStore(std::filesystem::path folder, Limits limits = {});
  ~TapeStore();
  TapeStore(const TapeStore&) = delete;
  TapeStore& operator=(const TapeStore&) = delete;

  // Reads the whole tape; call once at start. Appending then continues the last segment.
  Loaded load();
  // False when the entry could not be written (a read-only or missing folder, a full disk, an
  // entry longer than a line may be); the caller turns recording off.
  bool append(const Entry& entry);
  // Removes every segment; the files set aside stay.
  bool clear();

 private:
  struct Segment {
    std::uint64_t number = 0;
    std::size_t entries = 0;
  };
  bool ensureRoomFor(std::size_t lineBytes);
  bool startSegment();
  void dropOldestBeyondLimit();
  void closeSegment();
  std::filesystem::path pathOf(std::uint64_t number) const;

  std::filesystem::path folder_;
  Limits limits_;
  std::vector<Segment> segments_;  // the segments read or written, oldest first
  std::size_t totalEntries_ = 0;
  std::uint64_t highestNumber_ = 0;  // of any file with a segment's name, readable or not
  bool loaded_ = false;
  bool writable_ = false;
  bool continueLast_ = false;  // the last segment read is whole and has room
  int descriptor_ = -1;        // the last segment, open for appending
  std::uint64_t segmentBytes_ = 0;
};

using EnvironmentLookup = std::function<const char*(const char* name)>;

// $XDG_DATA_HOME/vantro-calculator, or $HOME/.local/share/vantro-calculator when XDG_DATA_HOME
// is unset or not absolute; empty when neither gives an absolute path.
std::filesystem::path defaultTapeFolder(const EnvironmentLookup& environment);

}  // namespace vantro::core::tape
