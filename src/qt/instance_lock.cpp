#include "qt/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace vantro::qt {

std::uint64_t fnv1a64(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char byte : text) {
    hash ^= byte;
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string instanceLockPath(const std::string& programPath) {
  std::error_code error;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(programPath, error);
  if (error) canonical = programPath;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder;
  if (runtime && *runtime) {
    folder = runtime;
  } else {
    // /tmp is shared: a lock file of one name there could belong to another user, who could
    // then keep our copy from starting or from keeping the rule.
    folder = "/tmp/vantro-calculator-";
    folder += std::to_string(::geteuid());
    if (!ensurePrivateFolder(folder)) return {};
  }
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx",
                static_cast<unsigned long long>(fnv1a64(canonical.string())));
  return folder + "/vantro-calculator-" + hash + ".lock";
}

bool ensurePrivateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  // O_NOFOLLOW and fstat: the folder checked is the folder opened, never a link's target.
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  const bool ours = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid();
  const bool usable = ours && ((info.st_mode & 077) == 0 || ::fchmod(fd, 0700) == 0);
  ::close(fd);
  return usable;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

InstanceLock::Result InstanceLock::tryTake(const std::string& programPath) {
  if (fd_ >= 0) return Result::Taken;
  const std::string path = instanceLockPath(programPath);
  if (path.empty()) return Result::Unavailable;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return Result::Unavailable;
  int rc;
  do {
    rc = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy ? Result::HeldElsewhere : Result::Unavailable;
  }
  fd_ = fd;
  return Result::Taken;
}

}  // namespace vantro::qt
