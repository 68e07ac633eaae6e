#pragma once
// The tape's files on disk: the segments' names, reading one with care, and keeping a damaged
// or foreign file's bytes aside under a new name without ever overwriting or deleting a file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::core::tape {

namespace fs = std::filesystem;

// "tape-000042.txt": six digits at least, so that the names sort as the segments do.
std::string segmentName(std::uint64_t number);
// The number of a segment's name; nullopt for any other name (set-aside files among them).
std::optional<std::uint64_t> segmentNumber(std::string_view name);

struct SegmentListing {
  std::vector<std::uint64_t> numbers;  // every name of a segment, whatever the file is; sorted
  std::string problem;                 // why the folder could not be listed; empty when it could
};
SegmentListing listSegments(const fs::path& folder);

enum class ReadOutcome { Read, Missing, NotRegular, TooLarge, Failed };
struct FileRead {
  ReadOutcome outcome = ReadOutcome::Failed;
  std::string bytes;
};
// Reads a regular file of at most maxBytes. A link, a directory, a FIFO or a device is never
// opened for reading (a FIFO would block, /dev/zero never ends, a tape drive might rewind).
FileRead readRegularFile(const fs::path& path, std::size_t maxBytes);

// Renames `file` to "set-aside-<UTC time>-<its name>" beside it, replacing nothing.
std::optional<fs::path> setAsideWhole(const fs::path& file);
// Writes `bytes` to a new file "set-aside-<UTC time>-<name of file>", through to the disk.
std::optional<fs::path> setAsideCopy(const fs::path& file, std::string_view bytes);
// Replaces `file` by one holding `bytes`: a new file written through to the disk, then renamed.
bool replaceAtomically(const fs::path& file, std::string_view bytes);

// Creates the folder and its missing parents with mode 0700.
bool makeFolder(const fs::path& folder);

// Opens a regular file for appending (never a link or anything else); -1 when it cannot.
int openForAppend(const fs::path& file);
// Creates a new file of mode 0600 for appending; -1 when it exists or cannot be made.
int createForAppend(const fs::path& file);
// Removes the file when it is a regular one; a link or anything else is not ours and stays.
// False when a regular file could not be removed.
bool removeRegularFile(const fs::path& file);

}  // namespace vantro::core::tape
