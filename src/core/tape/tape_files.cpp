// The tape's files on disk, with the system calls that let nothing be overwritten or followed.

#include "core/tape/tape_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <new>
#include <system_error>

namespace vantro::core::tape {

namespace {

constexpr std::string_view kSegmentPrefix = "tape-";
constexpr std::string_view kSegmentSuffix = ".txt";
constexpr std::string_view kSetAsidePrefix = "set-aside-";
// Enough for files set aside in the same second as others of the same name.
constexpr int kNameAttempts = 1000;

// Closes the descriptor when it leaves scope.
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

bool writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Makes a rename or a new name durable; failing here loses nothing already written.
void syncFolder(const fs::path& folder) {
  const Descriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (descriptor.get() >= 0) ::fsync(descriptor.get());
}

std::string utcStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  ::gmtime_r(&now, &utc);
  char stamp[32] = {};
  std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
  return stamp;
}

fs::path setAsideName(const fs::path& file, const std::string& stamp, int attempt) {
  std::string name = std::string(kSetAsidePrefix) + stamp + "-";
  if (attempt > 0) name += std::to_string(attempt) + "-";
  return file.parent_path() / (name + file.filename().string());
}

int openNew(const fs::path& path, int flags) {
  const int descriptor =
      ::open(path.c_str(), flags | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
  // The mode asked for passes through the umask, which could only take more away.
  if (descriptor >= 0) ::fchmod(descriptor, S_IRUSR | S_IWUSR);
  return descriptor;
}

// A new file holding `bytes`, written through to the disk; false (and no file) when it fails.
bool writeNewFile(const fs::path& path, std::string_view bytes, bool& existed) {
  const Descriptor descriptor(openNew(path, O_WRONLY));
  existed = descriptor.get() < 0 && errno == EEXIST;
  if (descriptor.get() < 0) return false;
  if (writeAll(descriptor.get(), bytes) && ::fsync(descriptor.get()) == 0) return true;
  ::unlink(path.c_str());
  return false;
}

}  // namespace

std::string segmentName(std::uint64_t number) {
  std::string digits = std::to_string(number);
  if (digits.size() < 6) digits.insert(0, 6 - digits.size(), '0');
  return std::string(kSegmentPrefix) + digits + std::string(kSegmentSuffix);
}

std::optional<std::uint64_t> segmentNumber(std::string_view name) {
  if (!name.starts_with(kSegmentPrefix) || !name.ends_with(kSegmentSuffix)) return std::nullopt;
  const std::string_view digits = name.substr(
      kSegmentPrefix.size(), name.size() - kSegmentPrefix.size() - kSegmentSuffix.size());
  std::uint64_t number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc{} || end != digits.data() + digits.size() || number == 0 ||
      segmentName(number) != name) {
    return std::nullopt;
  }
  return number;
}

SegmentListing listSegments(const fs::path& folder) {
  SegmentListing listing;
  struct stat info {};
  const bool found = ::stat(folder.c_str(), &info) == 0;
  if (!found && errno == ENOENT) return listing;
  if (found ? !S_ISDIR(info.st_mode) : errno == ENOTDIR) {
    listing.problem = "the tape's folder " + folder.string() + " is not a folder";
    return listing;
  }
  std::error_code error;
  fs::directory_iterator it(folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    if (const auto number = segmentNumber(it->path().filename().string())) {
      listing.numbers.push_back(*number);
    }
  }
  if (error) listing.problem = "the tape's folder " + folder.string() + " could not be read";
  std::sort(listing.numbers.begin(), listing.numbers.end());
  return listing;
}

FileRead readRegularFile(const fs::path& path, std::size_t maxBytes) {
  FileRead result;
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    result.outcome = errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed;
    return result;
  }
  result.outcome = ReadOutcome::NotRegular;
  if (!S_ISREG(info.st_mode)) return result;
  // O_NOFOLLOW and O_NONBLOCK: should the name have become a link or a FIFO since, the open
  // fails or returns at once, and fstat tells.
  const Descriptor descriptor(
      ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (descriptor.get() < 0 || ::fstat(descriptor.get(), &info) != 0) {
    result.outcome = errno == ELOOP ? ReadOutcome::NotRegular : ReadOutcome::Failed;
    return result;
  }
  if (!S_ISREG(info.st_mode)) return result;
  result.outcome = ReadOutcome::TooLarge;
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) return result;
  try {
    // One byte more than allowed tells a file that grew since fstat.
    result.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    while (filled < result.bytes.size()) {
      const ssize_t got =
          ::read(descriptor.get(), result.bytes.data() + filled, result.bytes.size() - filled);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        result.outcome = ReadOutcome::Failed;
        result.bytes.clear();
        return result;
      }
      if (got == 0) break;
      filled += static_cast<std::size_t>(got);
      if (filled == result.bytes.size() && filled <= maxBytes) {
        result.bytes.resize(std::min(filled * 2, maxBytes + 1));
      }
    }
    if (filled > maxBytes) {
      result.bytes.clear();
      return result;
    }
    result.bytes.resize(filled);
    result.outcome = ReadOutcome::Read;
  } catch (const std::bad_alloc&) {
    result.outcome = ReadOutcome::Failed;
    result.bytes.clear();
  }
  return result;
}

std::optional<fs::path> setAsideWhole(const fs::path& file) {
  const std::string stamp = utcStamp();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const fs::path target = setAsideName(file, stamp, attempt);
    if (::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
      syncFolder(file.parent_path());
      return target;
    }
    if (errno == EEXIST) continue;
    // A file system without RENAME_NOREPLACE: a hard link fails on an existing name too.
    if (errno != EINVAL && errno != ENOSYS) return std::nullopt;
    if (::link(file.c_str(), target.c_str()) == 0) {
      ::unlink(file.c_str());
      syncFolder(file.parent_path());
      return target;
    }
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

std::optional<fs::path> setAsideCopy(const fs::path& file, std::string_view bytes) {
  const std::string stamp = utcStamp();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const fs::path target = setAsideName(file, stamp, attempt);
    bool existed = false;
    if (writeNewFile(target, bytes, existed)) {
      syncFolder(file.parent_path());
      return target;
    }
    if (!existed) return std::nullopt;
  }
  return std::nullopt;
}

bool replaceAtomically(const fs::path& file, std::string_view bytes) {
  // A leading dot keeps the temporary name from looking like a segment's.
  std::string base(".");
  base += file.filename().string();
  base += ".tmp" + std::to_string(::getpid());
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const fs::path temporary = file.parent_path() / (base + "-" + std::to_string(attempt));
    bool existed = false;
    if (writeNewFile(temporary, bytes, existed)) {
      if (::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
      }
      syncFolder(file.parent_path());
      return true;
    }
    if (!existed) return false;
  }
  return false;
}

bool makeFolder(const fs::path& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const fs::path parent = folder.parent_path();
  if (!parent.empty() && parent != folder && !makeFolder(parent)) return false;
  return ::mkdir(folder.c_str(), S_IRWXU) == 0 || errno == EEXIST;
}

int openForAppend(const fs::path& file) {
  const int descriptor =
      ::open(file.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  struct stat info {};
  if (descriptor >= 0 && (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))) {
    ::close(descriptor);
    return -1;
  }
  return descriptor;
}

int createForAppend(const fs::path& file) {
  return openNew(file, O_WRONLY | O_APPEND);
}

bool removeRegularFile(const fs::path& file) {
  struct stat info {};
  if (::lstat(file.c_str(), &info) != 0) return errno == ENOENT;
  return !S_ISREG(info.st_mode) || ::unlink(file.c_str()) == 0;
}

}  // namespace vantro::core::tape
