#!/usr/bin/env bash
# Installs what the build needs; checks the formatting; builds with warnings as errors and runs
# every test; builds again with AddressSanitizer and UndefinedBehaviorSanitizer and runs the
# tests there; runs the static analysis; builds the fuzz targets and replays their corpora;
# builds the release with the benchmarks, which must compile (they are timed by hand, not here).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen

echo "== format"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
else
  find src tests fuzz bench -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror
fi

for preset in ci sanitize; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "== static analysis (.clang-tidy) on the ci build's compile commands"
run-clang-tidy -p build/ci -quiet "$(pwd)/src/" >build/ci/clang-tidy.log 2>&1 || {
  grep -E 'warning:|error:' build/ci/clang-tidy.log
  exit 1
}

echo "== fuzz targets, their corpora replayed"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_core fuzz_numbers fuzz_events fuzz_help \
  fuzz_help_page fuzz_tape fuzz_xirr fuzz_dated_flows fuzz_loan_extras
ctest --test-dir build/fuzz --output-on-failure

echo "== release build with the benchmarks"
cmake --preset release -DVANTRO_BUILD_TESTS=OFF >/dev/null
cmake --build --preset release
