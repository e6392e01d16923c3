#!/usr/bin/env bash
# Fuzzes the dialog tag file reader for the given number of seconds (default 60):
# every input must be refused, or read, written and read again to the same model.
# Builds with clang++ into build/fuzz; runs over a scratch copy of fuzz/corpus so the
# committed seeds stay small. Exits non-zero when the fuzzer finds a crash.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
case "$seconds" in
    '' | *[!0-9]*)
        echo "usage: $0 [SECONDS]" >&2
        exit 2
        ;;
esac

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DZP_BUILD_FUZZ=ON -DZP_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_tag_reader

work="$build/corpus-run"
rm -rf "$work"
mkdir -p "$work"
cp fuzz/corpus/* "$work/"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$build/fuzz/fuzz_tag_reader" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -artifact_prefix="$build/" -print_final_stats=1 "$work"
