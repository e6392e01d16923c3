#!/usr/bin/env bash
# Builds the release configuration and shows a dialog tag file: until the editor
# window exists, it prints the file as JSON through `zervtag export`. With no
# arguments it shows the bundled example. Installs what is missing; safe to repeat.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j2 --target zervtag

if [ $# -eq 0 ]; then
    set -- examples/login.zerv
fi
status=0
for file in "$@"; do
    "$build/tools/zervtag" export "$file" || status=$?
done
exit "$status"
