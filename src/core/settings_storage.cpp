// The settings file on disk: reading it, replacing it atomically and choosing its folder.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>

#include "core/settings_file.h"

namespace vantro::core {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileName = "VantroCalc.ini";

// Reads at most `maxBytes` + 1 bytes, so that a file that grew since its size was taken is
// still recognised as too large.
std::optional<std::string> readContent(const fs::path& path, std::uintmax_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content;
  char buffer[1 << 16];
  while (content.size() <= maxBytes) {
    in.read(buffer, sizeof buffer);
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.eof()) return content;
    if (!in) return std::nullopt;
  }
  return content;
}

// A name beside the target that nobody else uses: the process id and a counter.
fs::path temporaryName(const fs::path& path, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  fs::path name = path;
  name += ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
          std::to_string(attempt);
  return name;
}

// Writes the content through to the disk, not just to the kernel's cache.
bool writeNewFile(std::FILE* file, const std::string& content) {
  return std::fwrite(content.data(), 1, content.size(), file) == content.size() &&
         std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

// Makes the rename itself durable; failing here loses nothing already written.
void syncFolder(const fs::path& folder) {
  const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

// Whether the user may change the file (true when there is none). Root passes every permission
// check, so for a file of one's own the owner's write permission decides: the user's "read-only"
// holds for root too.
bool userMayChange(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return errno == ENOENT;
  if (info.st_uid == ::geteuid() && (info.st_mode & S_IWUSR) == 0) return false;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The file to replace: a link's final target, so that the link stays. Empty for a link that
// dangles or loops.
fs::path fileToReplace(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  fs::path target = fs::canonical(path, error);
  if (error) return {};
  return target;
}

}  // namespace

SettingsReadResult readSettingsFile(const fs::path& path, std::uintmax_t maxBytes) {
  SettingsReadResult result;
  try {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return result;  // Missing
    result.status = SettingsReadStatus::Unreadable;
    if (error || status.type() != fs::file_type::regular) return result;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size > maxBytes) return result;
    if (size == 0) {
      result.status = SettingsReadStatus::Missing;
      return result;
    }
    const auto content = readContent(path, maxBytes);
    if (!content || content->size() > maxBytes) return result;
    result.status = content->empty() ? SettingsReadStatus::Missing : SettingsReadStatus::Read;
    result.lines = splitSettingsLines(*content);
  } catch (...) {  // out of memory while reading: the file stays as it is
    result.status = SettingsReadStatus::Unreadable;
    result.lines.clear();
  }
  return result;
}

bool writeFileAtomically(const fs::path& requested, const std::string& content) {
  try {
    const fs::path path = fileToReplace(requested);
    if (path.empty() || !userMayChange(path)) return false;
    std::FILE* file = nullptr;
    fs::path temporary;
    for (unsigned attempt = 0; attempt < 100 && file == nullptr; ++attempt) {
      temporary = temporaryName(path, attempt);
      file = std::fopen(temporary.c_str(), "wbx");  // "x": never reuse an existing file
      if (file == nullptr && errno != EEXIST) return false;
    }
    if (file == nullptr) return false;

    std::error_code error;
    const bool written = writeNewFile(file, content);
    const bool closed = std::fclose(file) == 0;
    if (written && closed) {
      // Keep the old file's permissions (a user may have made it private).
      const fs::file_status old = fs::status(path, error);
      if (!error && old.type() == fs::file_type::regular) {
        fs::permissions(temporary, old.permissions(), error);
      }
      fs::rename(temporary, path, error);
      if (!error) {
        syncFolder(path.parent_path());
        return true;
      }
    }
    fs::remove(temporary, error);
    return false;
  } catch (...) {
    return false;
  }
}

SettingsPaths chooseSettingsPaths(const fs::path& programFolder, const fs::path& userConfigFolder,
                                  bool programFolderWritable) {
  const fs::path beside = programFolder / kFileName;
  if (!programFolder.empty() && programFolderWritable) return {beside, beside};
  std::error_code error;
  fs::create_directories(userConfigFolder, error);
  const fs::path own = userConfigFolder / kFileName;
  // A link counts as a file even when it dangles: it is the user's to mend.
  const auto exists = [&error](const fs::path& path) {
    return fs::symlink_status(path, error).type() != fs::file_type::not_found;
  };
  const bool readBeside = !programFolder.empty() && !exists(own) && exists(beside);
  return {readBeside ? beside : own, own};
}

bool isWritableFolder(const fs::path& folder) {
  return !folder.empty() && ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace vantro::core
