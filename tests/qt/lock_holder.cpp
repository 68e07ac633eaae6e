// Holds the single-instance lock of the program file given as its argument until killed.
#include <unistd.h>

#include <cstdio>

#include "qt/instance_lock.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vantro_lock_holder PROGRAM-PATH\n");
    return 2;
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
