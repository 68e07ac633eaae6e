// The tape's segments: loading them with their damage kept aside, appending, dropping the oldest.

#include "core/tape/tape_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <utility>

#include "core/settings_file.h"
#include "core/tape/tape_files.h"
#include "core/tape/tape_format.h"

namespace vantro::core::tape {

namespace {

constexpr int kNewSegmentAttempts = 1000;

struct SegmentText {
  HeaderKind header = HeaderKind::Readable;
  std::vector<Entry> entries;
  std::size_t wholeBytes = 0;   // the header and the lines before the first damaged one
  std::size_t damagedLine = 0;  // counted from 1, the header being line 1; 0 when none
};

// An empty file is a segment created by a program that died before its first line.
SegmentText readSegmentText(std::string_view bytes, std::size_t maxLineBytes) {
  SegmentText text;
  if (bytes.empty()) return text;
  std::size_t end = bytes.find('\n');
  // Every version so far is read by the one line reader of version 1.
  text.header =
      end == std::string_view::npos ? HeaderKind::Foreign : readHeader(bytes.substr(0, end)).kind;
  if (text.header != HeaderKind::Readable) return text;
  std::size_t start = end + 1;
  for (std::size_t line = 2; start < bytes.size(); ++line) {
    // A last line without its newline is the one being written when the writer died.
    end = bytes.find('\n', start);
    std::optional<Entry> entry;
    if (end != std::string_view::npos && end - start <= maxLineBytes) {
      entry = decodeEntry(bytes.substr(start, end - start));
    }
    if (!entry) {
      text.damagedLine = line;
      break;
    }
    text.entries.push_back(std::move(*entry));
    start = end + 1;
  }
  text.wholeBytes = start;
  return text;
}

std::string join(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : "; ") + part;
  return joined;
}

}  // namespace

TapeStore::TapeStore(std::filesystem::path folder, Limits limits)
    : folder_(std::move(folder)), limits_(limits) {
  if (limits_.maxEntries == 0) limits_.maxEntries = 1;
  limits_.entriesPerSegment =
      std::clamp<std::size_t>(limits_.entriesPerSegment, 1, limits_.maxEntries);
}

TapeStore::~TapeStore() {
  closeSegment();
}

std::filesystem::path TapeStore::pathOf(std::uint64_t number) const {
  return folder_ / segmentName(number);
}

void TapeStore::closeSegment() {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = -1;
}

Loaded TapeStore::load() {
  closeSegment();
  segments_.clear();
  totalEntries_ = 0;
  continueLast_ = false;
  loaded_ = true;
  Loaded loaded;
  std::vector<std::string> problems;
  try {
    const SegmentListing listing = listSegments(folder_);
    writable_ = !folder_.empty() && listing.problem.empty();
    if (folder_.empty()) problems.emplace_back("there is no folder for the tape");
    if (!listing.problem.empty()) problems.push_back(listing.problem);
    std::error_code error;
    if (writable_ && fs::exists(folder_, error) && !isWritableFolder(folder_)) {
      writable_ = false;
      problems.push_back("the tape's folder " + folder_.string() + " is read-only");
    }

    std::vector<std::vector<Entry>> perSegment;
    bool lastWhole = false;
    for (const std::uint64_t number : listing.numbers) {
      highestNumber_ = std::max(highestNumber_, number);
      const fs::path path = pathOf(number);
      const std::string name = segmentName(number);
      const FileRead file = readRegularFile(path, limits_.maxSegmentBytes);
      if (file.outcome == ReadOutcome::Missing) continue;
      if (file.outcome == ReadOutcome::NotRegular) {
        problems.push_back(name + " is not a regular file and was skipped");
        continue;
      }
      if (file.outcome == ReadOutcome::Failed) {
        problems.push_back(name + " could not be read");
        continue;
      }
      SegmentText text;
      if (file.outcome == ReadOutcome::Read)
        text = readSegmentText(file.bytes, limits_.maxLineBytes);
      if (file.outcome == ReadOutcome::TooLarge || text.header != HeaderKind::Readable) {
        const char* why = file.outcome == ReadOutcome::TooLarge ? " is too large"
                          : text.header == HeaderKind::Newer    ? " is of a newer version"
                                                                : " is not a tape file";
        if (const auto aside = setAsideWhole(path)) {
          loaded.setAside.push_back(*aside);
          problems.push_back(name + why + ", kept as " + aside->filename().string());
        } else {
          problems.push_back(name + why + " and could not be set aside");
        }
        continue;
      }
      bool whole = text.damagedLine == 0;
      if (!whole) {
        const std::string_view bytes = file.bytes;
        const auto aside = setAsideCopy(path, bytes.substr(text.wholeBytes));
        if (aside) loaded.setAside.push_back(*aside);
        whole = aside && replaceAtomically(path, bytes.substr(0, text.wholeBytes));
        problems.push_back(name + " is damaged at line " + std::to_string(text.damagedLine) +
                           (whole ? ", the rest kept in " + aside->filename().string()
                                  : " and could not be mended"));
      }
      segments_.push_back({number, text.entries.size()});
      totalEntries_ += text.entries.size();
      perSegment.push_back(std::move(text.entries));
      lastWhole = whole;
    }
    continueLast_ = lastWhole;

    const std::size_t before = segments_.size();
    dropOldestBeyondLimit();
    const std::size_t dropped = before - segments_.size();
    loaded.entries.reserve(totalEntries_);
    for (std::size_t i = dropped; i < perSegment.size(); ++i) {
      for (Entry& entry : perSegment[i]) loaded.entries.push_back(std::move(entry));
    }
  } catch (...) {  // out of memory: what was read is not given out half
    problems.emplace_back("the tape is too large to read");
    loaded.entries.clear();
    writable_ = false;
  }
  loaded.problem = join(problems);
  return loaded;
}

bool TapeStore::append(const Entry& entry) {
  if (!loaded_) load();
  if (!writable_) return false;
  try {
    std::string line = encodeEntry(entry);
    if (line.size() > limits_.maxLineBytes) return false;
    line += '\n';
    if (!ensureRoomFor(line.size())) return false;
    const bool fresh = segmentBytes_ == 0;
    if (fresh) line.insert(0, formatHeader() + '\n');
    // One write: a kill leaves the line whole or the segment's earlier lines untouched.
    ssize_t written = -1;
    do {
      written = ::write(descriptor_, line.data(), line.size());
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(line.size())) {
      // A full disk wrote part of the line: cut it off, or write no more into this segment.
      if (written > 0 && ::ftruncate(descriptor_, static_cast<off_t>(segmentBytes_)) != 0) {
        closeSegment();
      }
      return false;
    }
    segmentBytes_ += line.size();
    ++segments_.back().entries;
    ++totalEntries_;
    if (fresh) dropOldestBeyondLimit();
    return true;
  } catch (...) {  // out of memory
    return false;
  }
}

bool TapeStore::ensureRoomFor(std::size_t lineBytes) {
  const std::size_t headerBytes = formatHeader().size() + 1;
  const auto hasRoom = [&] {
    return segments_.back().entries < limits_.entriesPerSegment &&
           segmentBytes_ + headerBytes + lineBytes <= limits_.maxSegmentBytes;
  };
  if (descriptor_ >= 0 && hasRoom()) return true;
  if (descriptor_ < 0 && continueLast_ && !segments_.empty()) {
    continueLast_ = false;
    descriptor_ = openForAppend(pathOf(segments_.back().number));
    struct stat info {};
    if (descriptor_ >= 0 && ::fstat(descriptor_, &info) == 0) {
      segmentBytes_ = static_cast<std::uint64_t>(info.st_size);
      if (hasRoom()) return true;
    }
  }
  return startSegment();
}

bool TapeStore::startSegment() {
  closeSegment();
  if (!makeFolder(folder_)) return false;
  for (int attempt = 0; attempt < kNewSegmentAttempts; ++attempt) {
    // A name taken by anything (a directory, a link, a file made since loading) is passed over.
    const std::uint64_t number = ++highestNumber_;
    descriptor_ = createForAppend(pathOf(number));
    if (descriptor_ >= 0) {
      segments_.push_back({number, 0});
      segmentBytes_ = 0;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

// Keeps room for a full last segment: the segments before it and a full one make no more than
// the limit.
void TapeStore::dropOldestBeyondLimit() {
  std::size_t dropped = 0;
  while (segments_.size() - dropped > 1 &&
         totalEntries_ - segments_.back().entries + limits_.entriesPerSegment >
             limits_.maxEntries) {
    removeRegularFile(pathOf(segments_[dropped].number));
    totalEntries_ -= segments_[dropped].entries;
    ++dropped;
  }
  segments_.erase(segments_.begin(), segments_.begin() + static_cast<std::ptrdiff_t>(dropped));
}

bool TapeStore::clear() {
  closeSegment();
  continueLast_ = false;
  segments_.clear();
  totalEntries_ = 0;
  try {
    const SegmentListing listing = listSegments(folder_);
    bool removed = listing.problem.empty();
    for (const std::uint64_t number : listing.numbers) {
      removed = removeRegularFile(pathOf(number)) && removed;
    }
    return removed;
  } catch (...) {  // out of memory
    return false;
  }
}

std::filesystem::path defaultTapeFolder(const EnvironmentLookup& environment) {
  const auto absolute = [&](const char* name) {
    const char* value = environment ? environment(name) : nullptr;
    std::filesystem::path path = value != nullptr ? value : "";
    return path.is_absolute() ? path : std::filesystem::path{};
  };
  if (const auto data = absolute("XDG_DATA_HOME"); !data.empty()) return data / "vantro-calculator";
  if (const auto home = absolute("HOME"); !home.empty()) {
    return home / ".local" / "share" / "vantro-calculator";
  }
  return {};
}

}  // namespace vantro::core::tape
