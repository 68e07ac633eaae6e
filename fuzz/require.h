#pragma once
// The fuzz targets' check: a broken invariant ends the run with its name, for libFuzzer to keep
// the input that broke it.

#include <cstdio>
#include <cstdlib>

namespace vantro::fuzz {

inline void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

}  // namespace vantro::fuzz
