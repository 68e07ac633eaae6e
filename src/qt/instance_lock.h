#pragma once
// The single-instance rule: one lock per program file, held as long as the process lives.
// It is an flock() on a lock file, so the kernel releases it when the process ends in any way,
// a crash or SIGKILL included: a dead copy never keeps the next one out. POSIX only, no Qt.

#include <cstdint>
#include <string>

namespace vantro::qt {

// 64-bit FNV-1a hash of `text`.
std::uint64_t fnv1a64(const std::string& text);

// "<runtime folder>/vantro-calculator-<hash of the canonical program path, 16 hex digits>.lock",
// the runtime folder being $XDG_RUNTIME_DIR, else the user's private folder
// /tmp/vantro-calculator-<user id>, made when missing. Empty when there is no private folder.
std::string instanceLockPath(const std::string& programPath);

// Makes `path` a folder only its owner may enter: creates it with mode 0700, or, when it exists,
// requires a folder (not a link) that the process's user owns, and takes its group's and
// others' permissions away. False when the folder cannot be had or belongs to someone else.
bool ensurePrivateFolder(const std::string& path);

class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  enum class Result { Taken, HeldElsewhere, Unavailable };
  // Tries to take the lock for the program file `programPath`. Unavailable: the lock file
  // could not be opened at all.
  Result tryTake(const std::string& programPath);
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace vantro::qt
