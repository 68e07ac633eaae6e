#!/usr/bin/env bash
# Installs what the build needs, builds an optimised calculator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target vantro-calculator
exec build/release/src/qt/vantro-calculator
