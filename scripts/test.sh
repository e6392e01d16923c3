#!/usr/bin/env bash
# Builds everything and runs the test suite (headless). Installs what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=${ZP_BUILD_DIR:-build/debug}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug ${ZP_CMAKE_ARGS:-}
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
