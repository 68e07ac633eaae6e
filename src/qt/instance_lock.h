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
// the runtime folder being $XDG_RUNTIME_DIR, else /tmp.
std::string instanceLockPath(const std::string& programPath);

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
