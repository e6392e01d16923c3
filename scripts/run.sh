#!/usr/bin/env bash
# Builds the editor (release configuration) and opens the given dialog tag files, or
# the bundled example when none is given. Installs what is missing; safe to repeat.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j2 --target zerv-dialog-editor zervtag

if [ $# -eq 0 ]; then
    set -- examples/login.zerv
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display to open the editor on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    echo "Run this from a desktop session, or under a virtual one: xvfb-run bash $0 $*" >&2
    exit 1
fi
exec "$build/editor/zerv-dialog-editor" "$@"
