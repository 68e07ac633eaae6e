#!/usr/bin/env bash
# Installs what the build needs, builds with warnings as errors and runs every test; then
# builds again with AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests there.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
for preset in ci sanitize; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
