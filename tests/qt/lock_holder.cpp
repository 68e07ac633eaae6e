// Holds the single-instance lock of the program file given as its argument until killed; with
// a user id after it (root only), as that user.
#include <grp.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "qt/instance_lock.h"

int main(int argc, char* argv[]) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: vantro_lock_holder PROGRAM-PATH [UID]\n");
    return 2;
  }
  if (argc == 3) {
    const auto id = static_cast<uid_t>(std::strtoul(argv[2], nullptr, 10));
    if (::setgroups(0, nullptr) != 0 || ::setgid(id) != 0 || ::setuid(id) != 0) {
      std::puts("cannot change user");
      return 2;
    }
  }
  vantro::qt::InstanceLock lock;
  if (lock.tryTake(argv[1]) != vantro::qt::InstanceLock::Result::Taken) {
    std::puts("busy");
    return 1;
  }
  std::puts("locked");
  std::fflush(stdout);
  for (;;) pause();
}
