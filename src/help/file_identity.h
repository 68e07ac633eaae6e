#pragma once
// Which file a path names, and in what state: the help viewer reads a help file again only
// when this changes (the file replaced, rewritten or touched).

#include <cstdint>
#include <filesystem>
#include <optional>

namespace vantro::help {

struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
  std::int64_t modifiedSeconds = 0;
  std::int64_t modifiedNanoseconds = 0;

  bool operator==(const FileIdentity&) const = default;
};

// The identity of the regular file at `file`, links followed; nothing for anything else (a
// missing file, a folder, a device, a pipe). Never blocks on what the path names.
std::optional<FileIdentity> regularFileIdentity(const std::filesystem::path& file);

}  // namespace vantro::help
